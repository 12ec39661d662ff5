#include "ui/kit/ElidedLabel.h"

#include <QEvent>

namespace vellum {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setText(text);
}

void ElidedLabel::setText(const QString& text) {
    whole = text;
    refit();
    updateGeometry();
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode) {
    elideMode = mode;
    refit();
}

void ElidedLabel::setFixedToolTip(const QString& toolTip) {
    fixedToolTip = toolTip;
    refit();
}

QSize ElidedLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(whole) + margins.left() + margins.right() +
                2 * margin(),
            QLabel::sizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refit();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        refit();
    }
}

void ElidedLabel::refit() {
    const QString shown = fontMetrics().elidedText(whole, elideMode, contentsRect().width());
    if (shown != QLabel::text()) {
        QLabel::setText(shown);
    }
    if (!fixedToolTip.isEmpty()) {
        setToolTip(fixedToolTip);
    } else {
        setToolTip(shown != whole ? whole : QString());
    }
}

} // namespace vellum
