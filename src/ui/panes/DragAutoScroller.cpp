#include "ui/panes/DragAutoScroller.h"

#include <QAbstractItemView>
#include <QScrollBar>

namespace vellum {

namespace {

// A drag this close to the top or bottom edge scrolls the list, this often.
constexpr int edgeMargin = 20;
constexpr int interval = 40;

} // namespace

DragAutoScroller::DragAutoScroller(QAbstractItemView& view) : QObject(&view), view(view) {
    timer.setInterval(interval);
    connect(&timer, &QTimer::timeout, this, [this] {
        QScrollBar* bar = this->view.verticalScrollBar();
        const int step = std::max(4, this->view.sizeHintForRow(0) / 2);
        bar->setValue(bar->value() + scrolling * step);
    });
}

void DragAutoScroller::hover(const QPoint& viewportPosition) {
    const QRect area = view.viewport()->rect();
    scrolling = 0;
    if (viewportPosition.x() >= area.left() && viewportPosition.x() <= area.right()) {
        if (viewportPosition.y() >= area.top() && viewportPosition.y() < area.top() + edgeMargin) {
            scrolling = -1;
        } else if (viewportPosition.y() <= area.bottom() &&
                   viewportPosition.y() > area.bottom() - edgeMargin) {
            scrolling = 1;
        }
    }
    if (scrolling == 0) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

void DragAutoScroller::stop() {
    scrolling = 0;
    timer.stop();
}

} // namespace vellum
