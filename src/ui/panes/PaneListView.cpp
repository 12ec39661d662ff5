#include "ui/panes/PaneListView.h"

#include "session/PaneListModel.h"
#include "ui/kit/StyleRoles.h"
#include "ui/panes/DragPixmap.h"
#include "ui/panes/PaneContextMenu.h"
#include "ui/panes/PaneDragData.h"
#include "ui/panes/PaneHeaderView.h"
#include "ui/panes/PaneItemDelegate.h"
#include "ui/panes/PaneListBridge.h"
#include "ui/panes/SessionSelectionModel.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>

namespace vellum {

namespace {

// Space a cell leaves around its text, as the style sheet pads items.
constexpr int cellPadding = 14;

SelectionModifiers modifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier)};
}

bool isPlainText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers blocking = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return !(event.modifiers() & blocking) && !event.text().isEmpty() &&
           event.text().front().isPrint();
}

} // namespace

PaneListView::PaneListView(PaneListBridge& bridge, QWidget* parent)
    : QTreeView(parent), bridge(bridge), tracker(this), autoScroller(*this),
      launcher([](QDrag* drag) { drag->exec(Qt::CopyAction, Qt::CopyAction); }) {
    setHeader(new PaneHeaderView(*this));
    setItemDelegate(new PaneItemDelegate(*this, this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Only paints the session's selection; no input reaches the selection model directly.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setHighlightSections(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(&tracker, &RowPressTracker::collapseDue, this,
            [this](const QVariant& key) { this->bridge.collapseTo(key); });
}

void PaneListView::setModel(QAbstractItemModel* model) {
    // A view leaves its old selection models to whoever made them; these are ours.
    QItemSelectionModel* previous = selectionModel();
    QTreeView::setModel(model);
    delete previous;
    if (!model) {
        return;
    }
    // The view's own selection model would take clicks and keys; this one shows the
    // session's selection only.
    QItemSelectionModel* standard = selectionModel();
    setSelectionModel(new SessionSelectionModel(model, this));
    delete standard;
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) {
                    fitColumns();
                }
            });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(model, signal, this, &PaneListView::modelRowsChanged);
    }
    connect(model, &QAbstractItemModel::modelReset, this, &PaneListView::modelRowsChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this, &PaneListView::modelRowsChanged);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    fitColumns();
    updateEmptyState();
}

void PaneListView::setFixedColumns(QList<FixedColumn> columns) {
    fixedColumns = std::move(columns);
    fitColumns();
}

bool PaneListView::isRightAligned(int column) const {
    return std::any_of(fixedColumns.begin(), fixedColumns.end(), [column](const FixedColumn& c) {
        return c.column == column && c.alignRight;
    });
}

void PaneListView::setShowsRowIcons(bool shows) {
    rowIcons = shows;
    viewport()->update();
}

void PaneListView::fitColumns() {
    if (!model()) {
        return;
    }
    const QFontMetrics metrics(font());
    int fixedWidth = 0;
    int optionalWidth = 0;
    const int rows = model()->rowCount();
    for (const FixedColumn& column : fixedColumns) {
        int width = header()->sectionSizeHint(column.column);
        for (const QString& sample : column.samples) {
            width = std::max(width, metrics.horizontalAdvance(sample) + cellPadding);
        }
        // Wider than the samples where the rows need it, so that no type or count is cut.
        for (int row = 0; row < rows; ++row) {
            const QString text = model()->index(row, column.column).data().toString();
            width = std::max(width, metrics.horizontalAdvance(text) + cellPadding);
        }
        header()->setSectionResizeMode(column.column, QHeaderView::Fixed);
        header()->resizeSection(column.column, width);
        fixedWidth += width;
        if (column.hidesWhenNarrow) {
            optionalWidth += width;
        }
    }
    const int nameWidth = viewport()->width() - fixedWidth;
    const bool narrow = nameWidth < viewport()->width() / 3 && optionalWidth > 0;
    for (const FixedColumn& column : fixedColumns) {
        setColumnHidden(column.column, narrow && column.hidesWhenNarrow);
    }
}

void PaneListView::modelRowsChanged() {
    updateEmptyState();
    fitColumns();
    if (!currentIndex().isValid()) {
        if (const std::optional<int> anchor = bridge.anchorRow()) {
            moveCurrentTo(*anchor, false);
        }
    }
    if (targetRow && *targetRow >= model()->rowCount()) {
        setDropTargetRow(std::nullopt);
    }
}

void PaneListView::followAnchor() {
    if (handlingInput || !model()) {
        return;
    }
    const std::optional<int> anchor = bridge.anchorRow();
    if (!anchor) {
        return;
    }
    const QModelIndex current = currentIndex();
    if (current.isValid() && bridge.rowKey(current.row()) == bridge.rowKey(*anchor)) {
        return;
    }
    moveCurrentTo(*anchor, true);
}

bool PaneListView::isFocusedPane() const {
    return bridge.hasPaneFocus();
}

void PaneListView::showPaneFocus() {
    viewport()->update();
    header()->viewport()->update();
}

void PaneListView::moveCurrentTo(int row, bool scroll) {
    const QModelIndex index = model()->index(row, 0);
    if (!index.isValid()) {
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (scroll) {
        scrollTo(index, QAbstractItemView::EnsureVisible);
    }
}

std::optional<int> PaneListView::rowAt(const QPoint& viewportPosition) const {
    const QModelIndex index = indexAt(viewportPosition);
    if (!index.isValid()) {
        return std::nullopt;
    }
    return index.row();
}

// ---- Mouse ----

void PaneListView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        // The right button's menu prepares its own selection; others do nothing here.
        event->accept();
        return;
    }
    const QScopedValueRollback guard(handlingInput, true);
    const std::optional<int> row = rowAt(event->position().toPoint());
    if (!row) {
        tracker.cancel();
        bridge.pressBackground();
        event->accept();
        return;
    }
    moveCurrentTo(*row, false);
    const bool collapsePending = bridge.pressRow(*row, modifiersOf(event->modifiers()));
    tracker.press(event->position(), bridge.rowKey(*row), collapsePending);
    event->accept();
}

void PaneListView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        // Hover only; never the base class's drag selection.
        QTreeView::mouseMoveEvent(event);
        return;
    }
    if (tracker.moveStartsDrag(event->position())) {
        if (const std::optional<int> row = rowAt(tracker.pressPosition().toPoint())) {
            startRowDrag(*row);
        }
    }
    event->accept();
}

void PaneListView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        tracker.release();
    }
    event->accept();
}

void PaneListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QScopedValueRollback guard(handlingInput, true);
    tracker.doubleClick();
    if (const std::optional<int> row = rowAt(event->position().toPoint())) {
        bridge.activateRow(*row);
    } else {
        bridge.pressBackground();
    }
    event->accept();
}

void PaneListView::startRowDrag(int row) {
    QMimeData* data = bridge.dragData(row);
    if (!data) {
        return; // nothing to carry; the next movement tries again
    }
    tracker.dragStarted();
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QModelIndex pressed = model()->index(row, 0);
    const QIcon icon =
        rowIcons ? rowIcon(pressed.data(IconKindRole).value<RowIconKind>()) : QIcon();
    const DragImage image =
        dragImage(*this, pressed.data(Qt::DisplayRole).toString(), icon, draggedItemCount(data));
    drag->setPixmap(image.pixmap);
    drag->setHotSpot(image.hotSpot);
    launcher(drag);
    // The drag took the release with it; this press starts nothing more.
    tracker.cancel();
}

void PaneListView::setDragLauncher(DragLauncher dragLauncher) {
    launcher = std::move(dragLauncher);
}

// ---- Keys ----

void PaneListView::keyPressEvent(QKeyEvent* event) {
    const QScopedValueRollback guard(handlingInput, true);
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->matches(QKeySequence::SelectAll)) {
        bridge.selectAllRows();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        return navigate(MoveUp, shift);
    case Qt::Key_Down:
        return navigate(MoveDown, shift);
    case Qt::Key_PageUp:
        return navigate(MovePageUp, shift);
    case Qt::Key_PageDown:
        return navigate(MovePageDown, shift);
    case Qt::Key_Home:
        return navigate(MoveHome, shift);
    case Qt::Key_End:
        return navigate(MoveEnd, shift);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return bridge.openSelection();
    case Qt::Key_Backspace:
        return bridge.goUp();
    case Qt::Key_Delete:
        return bridge.requestDelete();
    case Qt::Key_F10:
        if (shift) {
            const QModelIndex current = currentIndex();
            std::optional<int> row;
            QPoint at = viewport()->rect().topLeft() + QPoint(12, 12);
            if (current.isValid() && current.data(SelectedRole).toBool()) {
                row = current.row();
                at = visualRect(current).bottomLeft() + QPoint(12, 0);
            }
            return showMenu(viewport()->mapToGlobal(at), row);
        }
        break;
    default:
        if (isPlainText(*event)) {
            keyboardSearch(event->text());
            return;
        }
        break;
    }
    // Tab, Escape and the window's shortcuts travel on.
    event->ignore();
}

void PaneListView::navigate(CursorAction action, bool extend) {
    if (!model() || model()->rowCount() == 0) {
        return;
    }
    const QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (!next.isValid()) {
        return;
    }
    moveCurrentTo(next.row(), true);
    if (extend) {
        bridge.extendToRow(next.row());
    } else {
        bridge.selectRow(next.row());
    }
}

void PaneListView::keyboardSearch(const QString& search) {
    if (!model()) {
        return;
    }
    const QScopedValueRollback guard(handlingInput, true);
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const std::optional<int> found = typeAhead.find(
        search, current, model()->rowCount(), [this](int row) { return bridge.searchName(row); });
    if (found) {
        moveCurrentTo(*found, true);
        bridge.selectRow(*found);
    }
}

// ---- Menus ----

void PaneListView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        setFocus(Qt::MouseFocusReason);
        tracker.cancel();
        showMenu(event->globalPos(), rowAt(viewport()->mapFromGlobal(event->globalPos())));
        event->accept();
        return;
    }
    // The Menu key: the current row's menu when it is selected, else the pane's.
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.data(SelectedRole).toBool()) {
        showMenu(viewport()->mapToGlobal(visualRect(current).bottomLeft() + QPoint(12, 0)),
                 current.row());
    } else {
        showMenu(viewport()->mapToGlobal(QPoint(12, 12)), std::nullopt);
    }
    event->accept();
}

void PaneListView::showMenu(const QPoint& globalPosition, std::optional<int> row) {
    QList<ContextAction> actions;
    {
        const QScopedValueRollback guard(handlingInput, true);
        if (row) {
            moveCurrentTo(*row, false);
            actions = bridge.rowMenu(*row);
        } else {
            actions = bridge.backgroundMenu();
        }
    }
    if (actions.isEmpty()) {
        return;
    }
    buildContextMenu(actions, this)->popup(globalPosition);
}

// ---- Focus, overlays and painting ----

void PaneListView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    bridge.takeFocus();
    showPaneFocus();
}

void PaneListView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitColumns();
    }
}

void PaneListView::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    fitColumns();
    layOutOverlays();
}

bool PaneListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        layOutOverlays();
        fitColumns();
    }
    return QTreeView::viewportEvent(event);
}

void PaneListView::setEmptyState(QWidget* overlay) {
    delete emptyState;
    emptyState = overlay;
    if (overlay) {
        overlay->setParent(viewport());
        overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    layOutOverlays();
    updateEmptyState();
}

void PaneListView::setDropHint(QWidget* overlay) {
    delete dropHint;
    dropHint = overlay;
    if (overlay) {
        overlay->setParent(viewport());
        overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
        overlay->hide();
    }
    layOutOverlays();
}

void PaneListView::setDropHintShown(bool shown) {
    if (!dropHint) {
        return;
    }
    dropHint->setVisible(shown);
    if (shown) {
        dropHint->raise();
    }
    updateEmptyState();
}

void PaneListView::layOutOverlays() {
    for (QWidget* overlay : {emptyState, dropHint}) {
        if (overlay) {
            overlay->setGeometry(viewport()->rect());
        }
    }
}

void PaneListView::updateEmptyState() {
    if (emptyState) {
        // The drop hint says what matters while a drag hovers.
        const bool hinting = dropHint && !dropHint->isHidden();
        emptyState->setVisible((!model() || model()->rowCount() == 0) && !hinting);
    }
}

void PaneListView::setDropTargetRow(std::optional<int> row) {
    if (targetRow == row) {
        return;
    }
    targetRow = row;
    viewport()->update();
}

void PaneListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    QTreeView::drawRow(painter, option, index);
    if (!targetRow || index.row() != *targetRow) {
        return;
    }
    // The drop-target look under the row's text: the row is drawn again over it, plainly,
    // so that its name stays readable whatever state it was in.
    paintDropTarget(*painter, QRectF(option.rect).adjusted(1, 0, -1, 0));
    for (int column = 0; column < model()->columnCount(); ++column) {
        if (isColumnHidden(column)) {
            continue;
        }
        const QModelIndex cell = index.siblingAtColumn(column);
        QStyleOptionViewItem plain = option;
        plain.rect = visualRect(cell);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver | QStyle::State_HasFocus);
        itemDelegateForIndex(cell)->paint(painter, plain, cell);
    }
}

void PaneListView::initViewItemOption(QStyleOptionViewItem* option) const {
    QTreeView::initViewItemOption(option);
    // The pane that menu commands do not act on shows its selection in the quieter tone.
    if (!isFocusedPane()) {
        option->state &= ~QStyle::State_Active;
    }
}

} // namespace vellum
