#include "ui/kit/LogoView.h"

#include "ui/kit/Icons.h"

#include <QPainter>
#include <QPainterPath>

namespace vellum {

namespace {

constexpr int shadowBlur = 6;
constexpr int shadowDrop = 3;

} // namespace

LogoView::LogoView(int side, int cornerRadius, QWidget* parent)
    : QWidget(parent), logoSide(side), radius(cornerRadius) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LogoView::setGeometryOfLogo(int side, int cornerRadius, bool shadow) {
    logoSide = side;
    radius = cornerRadius;
    shadowShown = shadow;
    updateGeometry();
    update();
}

int LogoView::margin() const {
    return shadowShown ? shadowBlur : 0;
}

QSize LogoView::sizeHint() const {
    const int outer = logoSide + 2 * margin();
    return {outer, outer + (shadowShown ? shadowDrop : 0)};
}

void LogoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF logoRect(margin(), margin(), logoSide, logoSide);
    if (shadowShown) {
        // A soft shadow from a few widening, fading rounded squares under the logo.
        painter.setPen(Qt::NoPen);
        for (int step = shadowBlur; step >= 1; --step) {
            painter.setBrush(QColor(0, 0, 0, 9 + (shadowBlur - step) * 3));
            const QRectF spread =
                logoRect.translated(0, shadowDrop).adjusted(-step, -step, step, step);
            painter.drawRoundedRect(spread, radius + step, radius + step);
        }
    }
    QPainterPath clip;
    clip.addRoundedRect(logoRect, radius, radius);
    painter.setClipPath(clip);
    appLogoIcon().paint(&painter, logoRect.toRect());
}

} // namespace vellum
