#include "ui/panes/DirectoryPane.h"

#include "session/VellumViewModel.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/HeaderIconButton.h"
#include "ui/kit/Icons.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/StyleRoles.h"
#include "ui/panes/FloppyListBridge.h"
#include "ui/panes/FooterButton.h"
#include "ui/panes/PaneDrops.h"
#include "ui/panes/PaneListView.h"
#include "ui/panes/PaneOverlays.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace vellum {

namespace {

constexpr int toolbarPosition = 1;

} // namespace

DirectoryPane::DirectoryPane(VellumViewModel& session, QWidget* parent)
    : NavigatorPane(parent), session(session), bridge(std::make_unique<FloppyListBridge>(session)),
      title(new PaneChromeTitle(appLogoIcon(), {}, this)), list(new PaneListView(*bridge, this)),
      emptyState(new EmptyStateView(true)), dropHint(new DropHintView) {
    // As tall as the computer pane's title line with its button, so both titles line up.
    title->setMinimumHeight(HeaderIconButton(IconName::openFolder).sizeHint().height());
    setStyleRole(list, StyleRole::listing);
    list->setModel(&session.floppyListModel());
    list->setFixedColumns({
        {FloppyDirectoryModel::typeColumn,
         {QStringLiteral("PRG<"), QStringLiteral("*SEQ")},
         false,
         false},
        {FloppyDirectoryModel::blocksColumn, {QStringLiteral("9999")}, true, false},
    });
    list->setEmptyState(emptyState);
    list->setDropHint(dropHint);

    QVBoxLayout* column = contentLayout();
    column->addWidget(title);
    column->addWidget(list, 1);
    column->addWidget(makeFooter());
    setAcceptDrops(true);

    FloppyPaneState& floppy = session.floppy();
    connect(&floppy, &FloppyPaneState::directoryChanged, this, &DirectoryPane::showTitle);
    connect(&session.drives(), &DriveState::deviceNumberChanged, this, &DirectoryPane::showTitle);
    for (auto signal :
         {&FloppyPaneState::directoryChanged, &FloppyPaneState::selectedEntryIDsChanged}) {
        connect(&floppy, signal, this, &DirectoryPane::showListTexts);
    }
    connect(&floppy, &FloppyPaneState::floppyDropTargetedChanged, this,
            &DirectoryPane::showDropTarget);
    connect(&floppy, &FloppyPaneState::floppySelectionAnchorChanged, list,
            &PaneListView::followAnchor);
    connect(&session.window(), &WindowState::focusedPaneChanged, list,
            &PaneListView::showPaneFocus);
    showTitle();
    showListTexts();
    showDropTarget();
}

DirectoryPane::~DirectoryPane() {
    // The list asks the bridge until it is gone.
    delete list;
}

QWidget* DirectoryPane::makeFooter() {
    auto* row = new QWidget(this);
    // As tall as the computer pane's footer with its buttons, so both footers line up.
    row->setMinimumHeight(FooterButton(QStringLiteral("D64")).sizeHint().height());
    auto* parts = new QHBoxLayout(row);
    parts->setContentsMargins(2, 0, 2, 0);
    parts->setSpacing(12);
    freeBlocks = new ElidedLabel({}, row);
    fileCount = new ElidedLabel({}, row);
    fileCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (ElidedLabel* label : {freeBlocks, fileCount}) {
        setStyleRole(label, StyleRole::secondary);
        parts->addWidget(label, 1);
    }
    return row;
}

void DirectoryPane::setToolbar(QWidget* newToolbar) {
    if (toolbar == newToolbar) {
        return;
    }
    delete toolbar;
    toolbar = newToolbar;
    if (toolbar) {
        contentLayout()->insertWidget(toolbarPosition, toolbar);
    }
}

QAbstractItemView* DirectoryPane::listView() const {
    return list;
}

// ---- What the pane shows ----

void DirectoryPane::showTitle() {
    title->setTitle(session.drives().floppyPaneHeading());
    title->setTitleToolTip(session.floppy().floppyPaneTitle());
}

void DirectoryPane::showListTexts() {
    const FloppyPaneState& floppy = session.floppy();
    emptyState->setTexts(floppy.emptyStateTitle(), floppy.emptyStateDetail());
    freeBlocks->setText(floppy.freeBlocksText());
    fileCount->setText(floppy.fileCountText());
}

void DirectoryPane::showDropTarget() {
    const FloppyPaneState& floppy = session.floppy();
    setHighlighted(floppy.floppyDropTargeted());
    dropHint->setText(floppy.dropHint());
    list->setDropHintShown(floppy.floppyDropTargeted());
}

// ---- Drops ----

void DirectoryPane::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void DirectoryPane::dragMoveEvent(QDragMoveEvent* event) {
    const FloppyDropPlan plan = planFloppyDrop(session.commands(), event->mimeData());
    session.floppy().setFloppyDropTargeted(plan.accepted);
    list->dragScroller().hover(list->viewport()->mapFrom(this, event->position().toPoint()));
    if (!plan.accepted) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DirectoryPane::dragLeaveEvent(QDragLeaveEvent* event) {
    session.floppy().setFloppyDropTargeted(false);
    list->dragScroller().stop();
    event->accept();
}

void DirectoryPane::dropEvent(QDropEvent* event) {
    const FloppyDropPlan plan = planFloppyDrop(session.commands(), event->mimeData());
    session.floppy().setFloppyDropTargeted(false);
    list->dragScroller().stop();
    if (!plan.accepted) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QTimer::singleShot(0, this, [this, plan] { performFloppyDrop(session, plan); });
}

} // namespace vellum
