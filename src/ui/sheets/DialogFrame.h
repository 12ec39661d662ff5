#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QStringList>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace vellum {

// The one look of the window's sheets, confirmations and alert: a title line, a line that
// explains, optional fields with upper-case labels over them, an error line in the warning
// style, and a row of buttons. Closing by Escape or the window's close button rejects, like
// Cancel, so whoever opened the dialog hears of every way out through `finished`.
class DialogFrame : public QDialog {
    Q_OBJECT

public:
    enum class MessageStyle { secondary, body };

    explicit DialogFrame(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    void setMessage(const QString& message, MessageStyle style = MessageStyle::secondary);
    QString message() const;

    // A labelled text field in a new row of fields; `stretch` shares the row's width.
    QLineEdit* addTextField(const QString& label, bool newRow = true, int stretch = 1);
    // A labelled list of choices, laid out as the text fields are.
    QComboBox* addChoiceField(const QString& label, const QStringList& choices, bool newRow = true,
                              int stretch = 1);
    // Any other control under the fields (a check box).
    void addControl(QWidget* control);

    void setError(const std::optional<QString>& error);
    std::optional<QString> error() const;

    // The buttons, in the platform's order. Cancel rejects the dialog; the others only
    // report their click, so a sheet can stay open when its fields are refused.
    QPushButton* addCancelButton(const QString& title);
    QPushButton* addButton(const QString& title, QDialogButtonBox::ButtonRole role);
    // Makes `button` the one that Return presses. Call once the buttons are added: a
    // button finds its dialog only once it is inside it.
    void makeDefault(QPushButton* button);
    // The sheets' row: Cancel (Escape) and the confirming button (Return), which emits
    // `confirmRequested` and leaves the closing to whoever answers it.
    QPushButton* addSheetButtons(const QString& confirmTitle);
    // Puts the focus in `field` with its text selected, ready to be typed over.
    void startIn(QLineEdit* field);
    QDialogButtonBox* buttonBox() const { return buttons; }

signals:
    void confirmRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Gives an open dialog the height its contents need at its width.
    void fitContents();

private:
    void addLabelled(QWidget* field, const QString& label, bool newRow, int stretch);

    QLabel* titleLabel;
    QLabel* messageLabel;
    QWidget* fields;
    QVBoxLayout* fieldRows;
    QLabel* errorLabel;
    QDialogButtonBox* buttons;
};

} // namespace vellum
