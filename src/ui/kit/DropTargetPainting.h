#pragma once

#include <QRectF>

class QPainter;

namespace vellum {

// Draws the drop-target look of one row or area (a D64 row under a drag) in the current
// theme, the same look as a highlighted pane: a tinted fill inside an accent edge.
void paintDropTarget(QPainter& painter, const QRectF& area);

} // namespace vellum
