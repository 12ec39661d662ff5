#pragma once

#include "ui/panes/DragAutoScroller.h"
#include "ui/panes/RowPressTracker.h"
#include "ui/panes/TypeAhead.h"

#include <QTreeView>
#include <functional>
#include <optional>

class QDrag;

namespace vellum {

class PaneListBridge;

// The list of a file pane: a flat tree view over one of the session's list models. Its
// selection model follows the session's selection (the model's selected role), and it
// turns every press, drag, key and menu request into a call of its bridge, so the session
// stays the only place a selection is decided. It also hosts the empty-state and drop-hint
// overlays and paints a row that a drag targets.
class PaneListView : public QTreeView {
    Q_OBJECT

public:
    // Runs a drag that the list has made; it owns the drag from then on. The default runs
    // QDrag::exec; tests record the drag instead.
    using DragLauncher = std::function<void(QDrag*)>;

    explicit PaneListView(PaneListBridge& bridge, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Columns: the first stretches, the others get the width of their widest text among
    // the samples, the rows and the heading, and align it to the right when asked. A column that
    // may hide gives way when the names would otherwise get less than a third of a narrow
    // list.
    struct FixedColumn {
        int column = 0;
        QStringList samples;
        bool alignRight = false;
        bool hidesWhenNarrow = false;
    };
    void setFixedColumns(QList<FixedColumn> columns);
    bool isRightAligned(int column) const;
    // The first column shows the row's symbol (folder, image, document).
    void setShowsRowIcons(bool shows);
    bool showsRowIcons() const { return rowIcons; }

    // Shown over the list while it has no rows.
    void setEmptyState(QWidget* overlay);
    // Shown over the list while the pane is a drop target.
    void setDropHint(QWidget* overlay);
    void setDropHintShown(bool shown);
    // The row painted as a drop target, if any.
    void setDropTargetRow(std::optional<int> row);
    std::optional<int> dropTargetRow() const { return targetRow; }

    void setDragLauncher(DragLauncher launcher);
    // Scrolls while a drag hovers near the top or bottom edge.
    DragAutoScroller& dragScroller() { return autoScroller; }
    // Moves the current row to the session's anchor, when the anchor moved by itself (a
    // made folder, a fresh reading); presses and keys set the current row themselves.
    void followAnchor();
    // Whether this list's pane is the one menu commands act on, and the repaint when that
    // changes: the focused pane's selection in the full tone, a focus line under its
    // headings.
    bool isFocusedPane() const;
    void showPaneFocus();

    const RowPressTracker& pressTracker() const { return tracker; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void initViewItemOption(QStyleOptionViewItem* option) const override;

public:
    void keyboardSearch(const QString& search) override;

private:
    void modelRowsChanged();
    void layOutOverlays();
    void updateEmptyState();
    void fitColumns();
    void moveCurrentTo(int row, bool scroll);
    void navigate(CursorAction action, bool extend);
    void startRowDrag(int row);
    void showMenu(const QPoint& globalPosition, std::optional<int> row);
    std::optional<int> rowAt(const QPoint& viewportPosition) const;

    PaneListBridge& bridge;
    RowPressTracker tracker;
    DragAutoScroller autoScroller;
    TypeAhead typeAhead;
    DragLauncher launcher;
    QList<FixedColumn> fixedColumns;
    QWidget* emptyState = nullptr;
    QWidget* dropHint = nullptr;
    std::optional<int> targetRow;
    bool rowIcons = false;
    // Set while the list hands the user's input to the bridge: anchor moves it causes are
    // the list's own doing and must not scroll.
    bool handlingInput = false;
};

} // namespace vellum
