#include "ui/kit/FittedLabel.h"

#include <QEvent>

namespace vellum {

FittedLabel::FittedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void FittedLabel::setFixedToolTip(const QString& toolTip) {
    fixedToolTip = toolTip;
    refit();
}

void FittedLabel::present(const QString& shown, bool shortened, const QString& whole) {
    if (shown != QLabel::text()) {
        QLabel::setText(shown);
    }
    if (!fixedToolTip.isEmpty()) {
        setToolTip(fixedToolTip);
    } else {
        setToolTip(shortened ? whole : QString());
    }
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refit();
}

void FittedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        refit();
        updateGeometry();
    }
}

} // namespace vellum
