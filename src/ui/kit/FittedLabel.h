#pragma once

#include <QLabel>

namespace vellum {

// A label that shows its text fitted to the room it is given, worked out again whenever
// the room or the font changes, with the whole text as its tooltip while it is shortened.
// Subclasses decide how a text is shortened.
class FittedLabel : public QLabel {
    Q_OBJECT

public:
    // A tooltip that is shown whether or not the text is shortened.
    void setFixedToolTip(const QString& toolTip);

protected:
    explicit FittedLabel(QWidget* parent);

    // Works out what to show at the present width and hands it to `present`.
    virtual void refit() = 0;
    // Shows `shown`; while it is `shortened`, `whole` is the tooltip.
    void present(const QString& shown, bool shortened, const QString& whole);

    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString fixedToolTip;
};

} // namespace vellum
