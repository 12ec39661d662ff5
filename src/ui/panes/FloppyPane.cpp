#include "ui/panes/FloppyPane.h"

#include "session/VellumViewModel.h"
#include "ui/kit/FactLine.h"
#include "ui/kit/IconButton.h"
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
#include <QVBoxLayout>

namespace vellum {

FloppyPane::FloppyPane(VellumViewModel& session, QWidget* parent)
    : FilePane(session, std::make_unique<FloppyListBridge>(session), appLogoIcon(), true, parent) {
    // As tall as the computer pane's title line with its button, so both titles line up.
    title->setMinimumHeight(IconButton(IconName::openFolder, IconButton::Kind::header).height());
    // The names of a Commodore disk, in the machine's own type.
    setStyleRole(list, StyleRole::listing);
    list->setModel(&session.floppyListModel());
    list->setFixedColumns({
        {FloppyDirectoryModel::typeColumn, {QStringLiteral("PRG")}, false, false},
        {FloppyDirectoryModel::blocksColumn, {QStringLiteral("999")}, true, false},
    });

    QVBoxLayout* column = contentLayout();
    column->addWidget(list, 1);
    column->addWidget(makeFooter());

    FloppyPaneState& floppy = session.floppy();
    connect(&floppy, &FloppyPaneState::directoryChanged, this, &FloppyPane::showTitle);
    connect(&session.drives(), &DriveState::deviceNumberChanged, this, &FloppyPane::showTitle);
    for (auto signal :
         {&FloppyPaneState::directoryChanged, &FloppyPaneState::selectedEntryIDsChanged}) {
        connect(&floppy, signal, this, &FloppyPane::showListTexts);
    }
    connect(&floppy, &FloppyPaneState::floppyDropTargetedChanged, this, &FloppyPane::showDropState);
    connect(&floppy, &FloppyPaneState::floppySelectionAnchorChanged, list,
            &PaneListView::followAnchor);
    showTitle();
    showListTexts();
    showDropState();
}

QWidget* FloppyPane::makeFooter() {
    auto* row = new QWidget(this);
    // As tall as the computer pane's footer with its buttons, so both footers line up.
    row->setMinimumHeight(FooterButton(QStringLiteral("D64")).sizeHint().height());
    auto* parts = new QHBoxLayout(row);
    parts->setContentsMargins(2, 0, 2, 0);
    parts->setSpacing(12);
    freeBlocks = new FactLine(row);
    fileCount = new FactLine(row);
    fileCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (FactLine* line : {freeBlocks, fileCount}) {
        setStyleRole(line, StyleRole::secondary);
        parts->addWidget(line, 1);
    }
    return row;
}

// ---- What the pane shows ----

void FloppyPane::showTitle() {
    title->setTitle(session.drives().floppyPaneHeading());
    title->setTitleToolTip(session.floppy().floppyPaneTitle());
}

void FloppyPane::showListTexts() {
    const FloppyPaneState& floppy = session.floppy();
    emptyState->setTexts(floppy.emptyStateTitle(), floppy.emptyStateDetail());
    freeBlocks->setFact(floppy.freeBlocksText());
    fileCount->setFacts(footerFacts(floppy.fileCountParts()));
}

void FloppyPane::showDropState() {
    const FloppyPaneState& floppy = session.floppy();
    showDropTarget(floppy.floppyDropTargeted(), floppy.dropHint());
}

// ---- Drops ----

void FloppyPane::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void FloppyPane::dragMoveEvent(QDragMoveEvent* event) {
    const FloppyDropPlan plan = planFloppyDrop(session.commands(), event->mimeData());
    session.floppy().setFloppyDropTargeted(plan.accepted);
    list->dragScroller().hover(list->viewport()->mapFrom(this, event->position().toPoint()));
    answerHover(event, plan.accepted);
}

void FloppyPane::endDragHover() {
    session.floppy().setFloppyDropTargeted(false);
    FilePane::endDragHover();
}

void FloppyPane::dropEvent(QDropEvent* event) {
    const FloppyDropPlan plan = planFloppyDrop(session.commands(), event->mimeData());
    finishDrop(event, plan.accepted, [this, plan] { performFloppyDrop(session, plan); });
}

} // namespace vellum
