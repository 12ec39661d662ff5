#pragma once

#include <QObject>
#include <QTimer>

class QAbstractItemView;

namespace vellum {

// Scrolls a list while a drag hovers near its top or bottom edge, so rows out of sight
// can still be reached as drop targets.
class DragAutoScroller : public QObject {
    Q_OBJECT

public:
    explicit DragAutoScroller(QAbstractItemView& view);

    // The drag is at `viewportPosition`; scrolling starts, goes on or stops.
    void hover(const QPoint& viewportPosition);
    void stop();
    // -1 up, 1 down, 0 still.
    int direction() const { return scrolling; }

private:
    QAbstractItemView& view;
    QTimer timer;
    int scrolling = 0;
};

} // namespace vellum
