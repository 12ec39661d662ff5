#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPoint>

class QWidget;

namespace vellum {

struct DragImage {
    QPixmap pixmap;
    QPoint hotSpot;
};

// What the pointer carries while `count` rows of `source` are dragged: a small card with
// the first row's symbol and name in the list's font, with up to two more cards fanned out
// behind it 4 pixels apart and the number of rows on a badge when there are several.
DragImage dragImage(const QWidget& source, const QString& name, const QIcon& icon, qsizetype count);

} // namespace vellum
