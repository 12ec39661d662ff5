#include "ui/kit/ElidedLabel.h"

namespace vellum {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : FittedLabel(parent) {
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

QSize ElidedLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(whole) + margins.left() + margins.right() +
                2 * margin(),
            QLabel::sizeHint().height()};
}

void ElidedLabel::refit() {
    const QString shown = fontMetrics().elidedText(whole, elideMode, contentsRect().width());
    present(shown, shown != whole, whole);
}

} // namespace vellum
