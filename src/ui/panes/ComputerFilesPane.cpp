#include "ui/panes/ComputerFilesPane.h"

#include "session/DragExportFolders.h"
#include "session/VellumViewModel.h"
#include "ui/kit/IconButton.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/StyleRoles.h"
#include "ui/panes/ComputerListBridge.h"
#include "ui/panes/FooterButton.h"
#include "ui/panes/PaneDragData.h"
#include "ui/panes/PaneDrops.h"
#include "ui/panes/PaneListView.h"
#include "ui/panes/PaneOverlays.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vellum {

namespace {

// The folders that drags of image entries leave behind: those of an earlier run that
// ended without tidying up go now, this run's when it quits.
void tidyDragExports() {
    static bool tidying = false;
    if (tidying) {
        return;
    }
    tidying = true;
    removeStaleDragExportFolders();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, &removeOwnDragExportFolders);
}

} // namespace

ComputerFilesPane::ComputerFilesPane(VellumViewModel& session, QWidget* parent)
    : FilePane(session, std::make_unique<ComputerListBridge>(session),
               themedIcon(IconName::folderFilled), false, parent) {
    tidyDragExports();
    auto* reveal = new IconButton(IconName::openFolder, IconButton::Kind::header);
    reveal->setHelp(tr("Show this folder in File Manager"));
    connect(reveal, &IconButton::clicked, this, [&session] { session.revealFolder(); });
    title->setTrailingWidget(reveal);

    // Names of files on the computer, in the type of the desktop.
    list->setModel(&session.computerListModel());
    list->setShowsRowIcons(true);
    list->setFixedColumns({
        {ComputerItemsModel::typeColumn,
         {QStringLiteral("DIR"), QStringLiteral("PRG")},
         false,
         false},
        {ComputerItemsModel::sizeColumn,
         {QStringLiteral("999 KB"), QStringLiteral("9.9 MB")},
         true,
         true},
        {ComputerItemsModel::blocksColumn, {QStringLiteral("9999")}, true, false},
    });

    QVBoxLayout* column = contentLayout();
    column->addWidget(makeLocationBlock());
    column->addWidget(makeFilterRow());
    column->addWidget(list, 1);
    column->addWidget(makeFooter());

    ComputerPaneState& computer = session.computer();
    for (auto signal :
         {&ComputerPaneState::computerFolderChanged, &ComputerPaneState::browsingImageChanged}) {
        connect(&computer, signal, this, &ComputerFilesPane::showLocation);
    }
    for (auto signal :
         {&ComputerPaneState::visibleLocalItemsChanged, &ComputerPaneState::computerItemsChanged,
          &ComputerPaneState::selectedLocalURLsChanged, &ComputerPaneState::imageBlocksFreeChanged,
          &ComputerPaneState::browsingImageChanged}) {
        connect(&computer, signal, this, &ComputerFilesPane::showListTexts);
    }
    for (auto signal : {&ComputerPaneState::computerDropTargetedChanged,
                        &ComputerPaneState::browsingImageChanged}) {
        connect(&computer, signal, this, &ComputerFilesPane::showDropState);
    }
    connect(&computer, &ComputerPaneState::computerSelectionAnchorChanged, list,
            &PaneListView::followAnchor);
    connect(&session.commands(), &Commands::commandsChanged, this,
            &ComputerFilesPane::showCommands);
    bindFilters();
    showLocation();
    showListTexts();
    showCommands();
    showDropState();
}

QWidget* ComputerFilesPane::makeLocationBlock() {
    auto* block = new QWidget(this);
    auto* lines = new QVBoxLayout(block);
    lines->setContentsMargins(2, 6, 2, 0);
    lines->setSpacing(2);
    auto* heading = new QLabel(tr("CURRENT DIRECTORY"), block);
    setStyleRole(heading, StyleRole::heading);
    locationPath = new ElidedLabel({}, block);
    locationPath->setElideMode(Qt::ElideMiddle);
    // Up to two lines, so that a narrow pane still says it all.
    locationHint = new QLabel(block);
    locationHint->setWordWrap(true);
    setStyleRole(locationHint, StyleRole::secondary);
    lines->addWidget(heading);
    lines->addWidget(locationPath);
    lines->addWidget(locationHint);
    return block;
}

QWidget* ComputerFilesPane::makeFilterRow() {
    auto* row = new QWidget(this);
    auto* checks = new QHBoxLayout(row);
    checks->setContentsMargins(2, 0, 2, 0);
    checks->setSpacing(14);
    prgFilter = new QCheckBox(QStringLiteral(".prg"), row);
    d64Filter = new QCheckBox(QStringLiteral(".d64/71/81"), row);
    t64Filter = new QCheckBox(QStringLiteral(".t64"), row);
    folderFilter = new QCheckBox(tr("Hide folders"), row);
    for (QCheckBox* check : {prgFilter, d64Filter, t64Filter, folderFilter}) {
        // Named so that the theme gives the filter row its smaller text.
        check->setObjectName(QStringLiteral("filterCheck"));
        check->setFocusPolicy(Qt::TabFocus);
        checks->addWidget(check);
    }
    checks->addStretch();
    return row;
}

QWidget* ComputerFilesPane::makeFooter() {
    auto* row = new QWidget(this);
    auto* parts = new QHBoxLayout(row);
    parts->setContentsMargins(2, 0, 0, 0);
    parts->setSpacing(6);
    footer = new FactLine(row);
    setStyleRole(footer, StyleRole::secondary);
    newDiskButton = new FooterButton(tr("New Image"), row);
    newDiskButton->setHelp(tr("Create an empty .d64, .d71 or .d81 disk image in this folder"));
    convertButton = new FooterButton(tr("T64 → D64"), row);
    convertButton->setHelp(tr("Convert the selected .t64 tape image(s) into .d64 disk image(s)"));
    connect(newDiskButton, &FooterButton::clicked, this, [this] { session.showNewDiskSheet(); });
    connect(convertButton, &FooterButton::clicked, this,
            [this] { (void)session.convertSelectedT64(); });
    parts->addWidget(footer, 1);
    parts->addWidget(newDiskButton);
    parts->addWidget(convertButton);
    return row;
}

void ComputerFilesPane::bindFilters() {
    ComputerPaneState& computer = session.computer();
    struct Binding {
        QCheckBox* check;
        bool (ComputerPaneState::*get)() const;
        void (ComputerPaneState::*set)(bool);
        void (ComputerPaneState::*changed)();
    };
    const Binding bindings[] = {
        {prgFilter, &ComputerPaneState::filterPRG, &ComputerPaneState::setFilterPRG,
         &ComputerPaneState::filterPRGChanged},
        {d64Filter, &ComputerPaneState::filterD64, &ComputerPaneState::setFilterD64,
         &ComputerPaneState::filterD64Changed},
        {t64Filter, &ComputerPaneState::filterT64, &ComputerPaneState::setFilterT64,
         &ComputerPaneState::filterT64Changed},
        {folderFilter, &ComputerPaneState::hideFolders, &ComputerPaneState::setHideFolders,
         &ComputerPaneState::hideFoldersChanged},
    };
    for (const Binding& binding : bindings) {
        binding.check->setChecked((computer.*binding.get)());
        connect(binding.check, &QCheckBox::toggled, &computer,
                [&computer, set = binding.set](bool on) { (computer.*set)(on); });
        connect(&computer, binding.changed, binding.check,
                [&computer, check = binding.check, get = binding.get] {
                    check->setChecked((computer.*get)());
                });
    }
}

// ---- What the pane shows ----

void ComputerFilesPane::showLocation() {
    const ComputerPaneState& computer = session.computer();
    title->setTitle(computer.computerPaneTitle());
    const QString path = computer.currentLocationPath();
    locationPath->setText(path);
    locationPath->setFixedToolTip(path);
    locationHint->setText(computer.locationHint());
    // The filters narrow a folder's listing only.
    for (QCheckBox* check : {prgFilter, d64Filter, t64Filter, folderFilter}) {
        check->setEnabled(!computer.isBrowsingImage());
    }
}

void ComputerFilesPane::showListTexts() {
    const ComputerPaneState& computer = session.computer();
    emptyState->setTexts(computer.emptyStateText());
    footer->setFacts(footerFacts(computer.footerParts()));
}

void ComputerFilesPane::showCommands() {
    const Commands& commands = session.commands();
    newDiskButton->setEnabled(commands.canNewDiskImage());
    convertButton->setEnabled(commands.canConvertT64());
}

void ComputerFilesPane::showDropState() {
    const ComputerPaneState& computer = session.computer();
    showDropTarget(computer.computerDropTargeted(), computer.dropHint());
}

// ---- Drops ----

std::optional<int> ComputerFilesPane::rowUnder(const QPoint& panePosition) const {
    const QPoint inList = list->viewport()->mapFrom(this, panePosition);
    if (!list->viewport()->rect().contains(inList)) {
        return std::nullopt;
    }
    const QModelIndex index = list->indexAt(inList);
    return index.isValid() ? std::optional<int>(index.row()) : std::nullopt;
}

ComputerDropPlan ComputerFilesPane::planDropAt(const QPoint& panePosition,
                                               const QMimeData* data) const {
    std::optional<ComputerFileItem> item;
    if (const std::optional<int> row = rowUnder(panePosition)) {
        item = session.computerListModel().itemAt(*row);
    }
    return planComputerDrop(session.commands(), data, item);
}

void ComputerFilesPane::dragEnterEvent(QDragEnterEvent* event) {
    const bool offersSomething = !droppedFileURLs(event->mimeData()).isEmpty() ||
                                 !droppedFloppyPayloads(event->mimeData()).isEmpty();
    if (!offersSomething || !session.commands().isIdle()) {
        event->ignore();
        return;
    }
    dragMoveEvent(event);
    // Keep hearing of this drag even where this spot takes nothing: a D64 row further on
    // may.
    event->accept();
}

void ComputerFilesPane::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint position = event->position().toPoint();
    const ComputerDropPlan plan = planDropAt(position, event->mimeData());
    session.computer().setComputerDropTargeted(plan.target == ComputerDropPlan::Target::pane);
    list->setDropTargetRow(plan.target == ComputerDropPlan::Target::d64Row ? rowUnder(position)
                                                                           : std::nullopt);
    list->dragScroller().hover(list->viewport()->mapFrom(this, position));
    answerHover(event, plan.target != ComputerDropPlan::Target::none);
}

void ComputerFilesPane::endDragHover() {
    session.computer().setComputerDropTargeted(false);
    FilePane::endDragHover();
}

void ComputerFilesPane::dropEvent(QDropEvent* event) {
    const ComputerDropPlan plan = planDropAt(event->position().toPoint(), event->mimeData());
    finishDrop(event, plan.target != ComputerDropPlan::Target::none,
               [this, plan] { performComputerDrop(session, plan); });
}

} // namespace vellum
