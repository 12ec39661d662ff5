#include "ui/panes/RowPressTracker.h"

#include <QApplication>
#include <QLineF>

namespace vellum {

RowPressTracker::RowPressTracker(QObject* parent) : QObject(parent) {
    collapseTimer.setSingleShot(true);
    connect(&collapseTimer, &QTimer::timeout, this, [this] { emit collapseDue(collapseKey); });
}

void RowPressTracker::press(QPointF position, QVariant pressed, bool collapsePending) {
    collapseTimer.stop();
    pressedAt = position;
    key = std::move(pressed);
    pendingCollapse = collapsePending;
    dragged = false;
}

void RowPressTracker::doubleClick() {
    collapseTimer.stop();
    pendingCollapse = false;
    // The second press of a double click starts nothing of its own.
    pressedAt.reset();
}

bool RowPressTracker::moveStartsDrag(QPointF position) const {
    return pressedAt && !dragged && QLineF(*pressedAt, position).length() >= dragDistance;
}

void RowPressTracker::dragStarted() {
    dragged = true;
    pendingCollapse = false;
    collapseTimer.stop();
}

void RowPressTracker::release() {
    if (pressedAt && !dragged && pendingCollapse) {
        collapseKey = key;
        collapseTimer.start(QApplication::doubleClickInterval());
    }
    pressedAt.reset();
    pendingCollapse = false;
    dragged = false;
}

void RowPressTracker::cancel() {
    collapseTimer.stop();
    pressedAt.reset();
    pendingCollapse = false;
    dragged = false;
}

} // namespace vellum
