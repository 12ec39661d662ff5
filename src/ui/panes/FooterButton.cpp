#include "ui/panes/FooterButton.h"

#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

namespace {

constexpr int sidePadding = 9;
constexpr int verticalPadding = 4;

} // namespace

FooterButton::FooterButton(const QString& title, QWidget* parent) : KitButton(parent) {
    setText(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QFont FooterButton::titleFont() const {
    QFont font = this->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    return font;
}

QSize FooterButton::sizeHint() const {
    const QFontMetrics metrics(titleFont());
    return {metrics.horizontalAdvance(text()) + 2 * sidePadding,
            metrics.height() + 2 * verticalPadding};
}

QColor FooterButton::restingFill() const {
    return Theme::shared().colors().buttonFill;
}

QColor FooterButton::restingBorder() const {
    return Theme::shared().colors().line;
}

void FooterButton::paintContent(QPainter& painter, const QRect& area) {
    painter.setFont(titleFont());
    painter.setPen(Theme::shared().colors().buttonText);
    painter.drawText(area, Qt::AlignCenter, text());
}

} // namespace vellum
