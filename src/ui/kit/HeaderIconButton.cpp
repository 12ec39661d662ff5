#include "ui/kit/HeaderIconButton.h"

#include <QPainter>

namespace vellum {

namespace {

constexpr int side = 28;
constexpr int iconSide = 17;

} // namespace

HeaderIconButton::HeaderIconButton(IconName symbol, QWidget* parent) : KitButton(parent) {
    setSymbol(symbol);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void HeaderIconButton::setSymbol(IconName symbol) {
    setIcon(themedIcon(symbol));
    update();
}

QSize HeaderIconButton::sizeHint() const {
    return {side, side};
}

void HeaderIconButton::paintContent(QPainter& painter, const QRect& area) {
    const QRect iconRect(area.center().x() - iconSide / 2 + 1, area.center().y() - iconSide / 2 + 1,
                         iconSide, iconSide);
    icon().paint(&painter, iconRect, Qt::AlignCenter);
}

} // namespace vellum
