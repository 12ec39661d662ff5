#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>
#include <QVariant>
#include <optional>

namespace vellum {

// One mouse press on a row, from press to release: whether the pointer has moved far enough
// for a drag (one drag per press), and the collapse of a kept multiple selection, which
// waits for the double-click interval so that a double click or a drag can still claim the
// selection.
class RowPressTracker : public QObject {
    Q_OBJECT

public:
    // How far the pointer moves, in a straight line, before a press becomes a drag.
    static constexpr double dragDistance = 5.0;

    explicit RowPressTracker(QObject* parent = nullptr);

    // A single click on the row `key` at `position`; `collapsePending` says the press fell
    // inside a multiple selection that was kept for a drag.
    void press(QPointF position, QVariant key, bool collapsePending);
    // The second click of a double click: nothing collapses, no drag starts from it.
    void doubleClick();
    // True once per press, when the pointer is far enough from the press to drag.
    bool moveStartsDrag(QPointF position) const;
    // A drag began; no other starts before the next press. (A press with nothing to
    // carry does not call this, so the next movement tries again.)
    void dragStarted();
    // The button went up: a pending collapse now waits for the double-click interval.
    void release();
    // Forgets the press and any waiting collapse.
    void cancel();

    bool isPressed() const { return pressedAt.has_value(); }
    QPointF pressPosition() const { return pressedAt.value_or(QPointF()); }
    bool collapseWaiting() const { return collapseTimer.isActive(); }
    const QVariant& pressedKey() const { return key; }

signals:
    // The interval passed without a double click or a drag: narrow to the pressed row.
    void collapseDue(const QVariant& key);

private:
    std::optional<QPointF> pressedAt;
    QVariant key;
    bool pendingCollapse = false;
    bool dragged = false;
    QVariant collapseKey;
    QTimer collapseTimer;
};

} // namespace vellum
