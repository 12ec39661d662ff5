#include "ui/kit/CompactActionButton.h"

#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

namespace {

constexpr int iconSide = 18;
constexpr int topPadding = 6;
constexpr int titleGap = 3;
constexpr int bottomPadding = 5;
constexpr int sidePadding = 4;
constexpr int minimumTitledWidth = 40;
constexpr int untitledSide = 30;
constexpr int besideIconSide = 14;
constexpr int besideHeight = 24;
constexpr int besideGap = 5;
constexpr int besidePadding = 8;

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
    updateToolTip();
    updateGeometry();
    update();
}

// Without its title on screen the button is named in its tooltip, above what it does.
QString CompactActionButton::toolTipText() const {
    const QString helpText = help();
    if (titleShown || text().isEmpty() || helpText == text()) {
        return helpText.isEmpty() ? text() : helpText;
    }
    return helpText.isEmpty() ? text() : text() + QLatin1Char('\n') + helpText;
}

// The pill stands among text and shows its edge; in a toolbar the strip is the edge.
QColor CompactActionButton::restingFill() const {
    return titleBeside ? Theme::shared().colors().buttonFill : QColor();
}

QColor CompactActionButton::restingBorder() const {
    return titleBeside ? Theme::shared().colors().line : QColor();
}

QFont CompactActionButton::titleFont() const {
    QFont font = this->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    return font;
}

void CompactActionButton::setTitleBeside(bool beside) {
    if (titleBeside == beside) {
        return;
    }
    titleBeside = beside;
    updateGeometry();
    update();
}

QSize CompactActionButton::sizeHint() const {
    if (!titleShown) {
        return {untitledSide, untitledSide};
    }
    if (titleBeside) {
        const QFontMetrics metrics(titleFont());
        return {2 * besidePadding + besideIconSide + besideGap + metrics.horizontalAdvance(text()),
                qMax(besideHeight, metrics.height() + 6)};
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
    if (titleBeside) {
        const QRect iconRect(area.left() + besidePadding,
                             area.center().y() - besideIconSide / 2 + 1, besideIconSide,
                             besideIconSide);
        icon().paint(&painter, iconRect, Qt::AlignCenter);
        painter.setFont(titleFont());
        painter.setPen(colors.text);
        const QRect titleRect =
            area.adjusted(besidePadding + besideIconSide + besideGap, 0, -besidePadding, 0);
        painter.drawText(
            titleRect, Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(text(), Qt::ElideRight, titleRect.width()));
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
