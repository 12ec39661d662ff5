#include "ui/kit/TransferArrowButton.h"

#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

namespace {

constexpr int side = 36;
constexpr int iconSide = 20;

} // namespace

TransferArrowButton::TransferArrowButton(IconName symbol, QWidget* parent) : KitButton(parent) {
    setIcon(themedIcon(symbol));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TransferArrowButton::sizeHint() const {
    return {side, side};
}

void TransferArrowButton::paintContent(QPainter& painter, const QRect& area) {
    const QRect iconRect(area.center().x() - iconSide / 2 + 1, area.center().y() - iconSide / 2 + 1,
                         iconSide, iconSide);
    icon().paint(&painter, iconRect, Qt::AlignCenter);
}

QColor TransferArrowButton::restingFill() const {
    return Theme::shared().colors().buttonFill;
}

QColor TransferArrowButton::restingBorder() const {
    return Theme::shared().colors().line;
}

} // namespace vellum
