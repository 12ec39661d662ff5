#include "ui/panes/DragPixmap.h"

#include "ui/kit/Theme.h"

#include <QPainter>
#include <QWidget>

namespace vellum {

namespace {

constexpr int cardsShown = 3;
constexpr int fan = 4;
constexpr int maximumCardWidth = 260;
constexpr int iconSide = 16;
constexpr int padding = 8;

} // namespace

DragImage dragImage(const QWidget& source, const QString& name, const QIcon& icon,
                    qsizetype count) {
    if (count <= 0) {
        return {};
    }
    const ThemeColors& colors = Theme::shared().colors();
    const QFont font = source.font();
    const QFontMetrics metrics(font);
    const int iconSpace = icon.isNull() ? 0 : iconSide + padding;
    const int cardHeight = std::max(metrics.height(), iconSide) + padding + 4;
    const int cards = int(std::min<qsizetype>(count, cardsShown));
    const int textWidth =
        std::min(metrics.horizontalAdvance(name), maximumCardWidth - iconSpace - 2 * padding);
    const int cardWidth = iconSpace + textWidth + 2 * padding;
    const QString countText = QString::number(count);
    const int badgeHeight = count > 1 ? metrics.height() + 6 : 0;
    const int badgeWidth =
        count > 1 ? std::max(badgeHeight, metrics.horizontalAdvance(countText) + 12) : 0;

    // Room for the fanned cards and for the badge, which overlaps the front card's corner.
    const int fanSpan = fan * (cards - 1);
    const int top = std::max(fanSpan, badgeHeight / 2);
    const QSize size(std::max(cardWidth + fanSpan, cardWidth + badgeWidth / 2), top + cardHeight);
    const qreal ratio = source.devicePixelRatioF();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = cards - 1; i >= 0; --i) {
        const QRectF card(fan * i + 0.5, top - fan * i + 0.5, cardWidth - 1, cardHeight - 1);
        painter.setPen(QPen(colors.line, 1));
        painter.setBrush(i == 0 ? colors.selection : colors.panelBackground);
        painter.setOpacity(i == 0 ? 0.94 : 0.85);
        painter.drawRoundedRect(card, 5, 5);
    }
    painter.setOpacity(1.0);
    const QRect front(0, top, cardWidth, cardHeight);
    if (!icon.isNull()) {
        const QRect iconRect(padding, front.center().y() - iconSide / 2 + 1, iconSide, iconSide);
        icon.paint(&painter, iconRect, Qt::AlignCenter, QIcon::Selected);
    }
    painter.setFont(font);
    painter.setPen(colors.selectionText);
    const QRect textRect(padding + iconSpace, front.top(), textWidth, cardHeight);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(name, Qt::ElideMiddle, textWidth));
    if (count > 1) {
        const QRectF badge(size.width() - badgeWidth, top - badgeHeight / 2.0, badgeWidth,
                           badgeHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colors.focusRing);
        painter.drawRoundedRect(badge, badgeHeight / 2.0, badgeHeight / 2.0);
        painter.setPen(colors.selectionText);
        painter.drawText(badge, Qt::AlignCenter, countText);
    }
    painter.end();
    return {pixmap, QPoint(padding + iconSide / 2, top + cardHeight / 2)};
}

} // namespace vellum
