#include "ui/kit/IconView.h"

#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

IconView::IconView(const QIcon& icon, int side, QWidget* parent)
    : QWidget(parent), shown(icon), iconSide(side) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void IconView::setIcon(const QIcon& icon) {
    shown = icon;
    update();
}

void IconView::setSide(int side) {
    iconSide = side;
    updateGeometry();
    update();
}

void IconView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    shown.paint(&painter, rect(), Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

} // namespace vellum
