#include "ui/kit/CompactActionButton.h"

#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

namespace {

constexpr int iconSide = 18;
constexpr int topPadding = 6;
constexpr int titleGap = 3;
constexpr int bottomPadding = 5;
constexpr int sidePadding = 7;
constexpr int minimumTitledWidth = 46;
constexpr int untitledSide = 30;

} // namespace

CompactActionButton::CompactActionButton(const QIcon& icon, const QString& title, QWidget* parent)
    : KitButton(parent) {
    setIcon(icon);
    setText(title);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void CompactActionButton::setShowsTitle(bool shows) {
    if (titleShown == shows) {
        return;
    }
    titleShown = shows;
    updateGeometry();
    update();
}

QFont CompactActionButton::titleFont() const {
    QFont font = this->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    return font;
}

QSize CompactActionButton::sizeHint() const {
    if (!titleShown) {
        return {untitledSide, untitledSide};
    }
    const QFontMetrics metrics(titleFont());
    const int width = qMax(minimumTitledWidth, metrics.horizontalAdvance(text()) + 2 * sidePadding);
    return {width, topPadding + iconSide + titleGap + metrics.height() + bottomPadding};
}

QSize CompactActionButton::minimumSizeHint() const {
    return sizeHint();
}

void CompactActionButton::paintContent(QPainter& painter, const QRect& area) {
    const ThemeColors& colors = Theme::shared().colors();
    if (!titleShown) {
        const QRect iconRect(area.center().x() - iconSide / 2 + 1,
                             area.center().y() - iconSide / 2 + 1, iconSide, iconSide);
        icon().paint(&painter, iconRect, Qt::AlignCenter);
        return;
    }
    const QRect iconRect(area.center().x() - iconSide / 2 + 1, area.top() + topPadding, iconSide,
                         iconSide);
    icon().paint(&painter, iconRect, Qt::AlignCenter);

    painter.setFont(titleFont());
    painter.setPen(colors.text);
    const QFontMetrics metrics(painter.font());
    const QRect titleRect(area.left() + 2, iconRect.bottom() + 1 + titleGap, area.width() - 4,
                          metrics.height());
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignTop,
                     metrics.elidedText(text(), Qt::ElideRight, titleRect.width()));
}

} // namespace vellum
