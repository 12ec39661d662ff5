#pragma once

#include <QAbstractButton>

namespace vellum {

// A flat button that paints itself from the theme: a rounded fill under the mouse and when
// pressed, a ring when it has keyboard focus, and everything at 0.42 opacity when disabled
// (a disabled button takes no clicks). Subclasses draw what sits on it.
class KitButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit KitButton(QWidget* parent = nullptr);

    // Sets the tooltip and, for buttons without a visible title, the accessible name.
    void setHelp(const QString& help);
    QString help() const { return helpText; }

    static constexpr double disabledOpacity = 0.42;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    virtual void paintContent(QPainter& painter, const QRect& area) = 0;
    // The fill when neither hovered nor pressed; invalid for none.
    virtual QColor restingFill() const { return {}; }
    virtual QColor restingBorder() const { return {}; }
    virtual qreal cornerRadius() const { return 6.0; }
    // What the tooltip says; the help text unless a button has more to tell.
    virtual QString toolTipText() const { return helpText; }
    void updateToolTip();

private:
    QString helpText;
    bool keyboardFocus = false;
};

} // namespace vellum
