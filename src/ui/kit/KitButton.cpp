#include "ui/kit/KitButton.h"

#include "ui/kit/Theme.h"

#include <QFocusEvent>
#include <QPainter>

namespace vellum {

KitButton::KitButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void KitButton::setHelp(const QString& help) {
    helpText = help;
    updateToolTip();
    if (text().isEmpty()) {
        setAccessibleName(help);
    }
}

void KitButton::updateToolTip() {
    setToolTip(toolTipText());
}

void KitButton::paintEvent(QPaintEvent*) {
    const ThemeColors& colors = Theme::shared().colors();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        painter.setOpacity(disabledOpacity);
    }
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = restingFill();
    if (isEnabled() && isDown()) {
        fill = colors.pressed;
    } else if (isEnabled() && underMouse()) {
        fill = colors.hover;
    }
    const QColor border = restingBorder();
    painter.setPen(border.isValid() ? QPen(border, 1.0) : QPen(Qt::NoPen));
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    if (fill.isValid() || border.isValid()) {
        painter.drawRoundedRect(frame, cornerRadius(), cornerRadius());
    }
    if (keyboardFocus && hasFocus()) {
        painter.setPen(QPen(colors.focusRing, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), cornerRadius(),
                                cornerRadius());
    }
    paintContent(painter, rect());
}

void KitButton::focusInEvent(QFocusEvent* event) {
    keyboardFocus = event->reason() == Qt::TabFocusReason ||
                    event->reason() == Qt::BacktabFocusReason ||
                    event->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void KitButton::focusOutEvent(QFocusEvent* event) {
    keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
}

void KitButton::enterEvent(QEnterEvent* event) {
    update();
    QAbstractButton::enterEvent(event);
}

void KitButton::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace vellum
