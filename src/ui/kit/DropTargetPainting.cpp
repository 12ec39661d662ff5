#include "ui/kit/DropTargetPainting.h"

#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

void paintDropTarget(QPainter& painter, const QRectF& area) {
    const ThemeColors& colors = Theme::shared().colors();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colors.dropTargetBorder, 1.5));
    painter.setBrush(colors.dropTargetFill);
    painter.drawRoundedRect(area.adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
    painter.restore();
}

} // namespace vellum
