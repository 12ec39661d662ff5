#include "ui/panes/LocalFilesPane.h"

#include "session/DragExportFolders.h"
#include "session/VellumViewModel.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/FilterCheck.h"
#include "ui/kit/HeaderIconButton.h"
#include "ui/kit/Icons.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/StyleRoles.h"
#include "ui/panes/ComputerListBridge.h"
#include "ui/panes/FooterButton.h"
#include "ui/panes/PaneDragData.h"
#include "ui/panes/PaneDrops.h"
#include "ui/panes/PaneListView.h"
#include "ui/panes/PaneOverlays.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace vellum {

namespace {

// Where the toolbar goes: right under the title line.
constexpr int toolbarPosition = 1;

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

LocalFilesPane::LocalFilesPane(VellumViewModel& session, QWidget* parent)
    : NavigatorPane(parent), session(session),
      bridge(std::make_unique<ComputerListBridge>(session)),
      title(new PaneChromeTitle(themedIcon(IconName::folderFilled), {}, this)),
      list(new PaneListView(*bridge, this)), emptyState(new EmptyStateView(false)),
      dropHint(new DropHintView) {
    tidyDragExports();
    auto* reveal = new HeaderIconButton(IconName::openFolder);
    reveal->setHelp(tr("Show this folder in File Manager"));
    connect(reveal, &HeaderIconButton::clicked, this, [&session] { session.revealFolder(); });
    title->setTrailingWidget(reveal);

    setStyleRole(list, StyleRole::listing);
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
    list->setEmptyState(emptyState);
    list->setDropHint(dropHint);

    QVBoxLayout* column = contentLayout();
    column->addWidget(title);
    column->addWidget(makeLocationBlock());
    column->addWidget(makeFilterRow());
    column->addWidget(list, 1);
    column->addWidget(makeFooter());
    setAcceptDrops(true);

    ComputerPaneState& computer = session.computer();
    for (auto signal :
         {&ComputerPaneState::localFolderChanged, &ComputerPaneState::browsingImageChanged}) {
        connect(&computer, signal, this, &LocalFilesPane::showLocation);
    }
    for (auto signal :
         {&ComputerPaneState::visibleLocalItemsChanged, &ComputerPaneState::localItemsChanged,
          &ComputerPaneState::selectedLocalURLsChanged, &ComputerPaneState::imageBlocksFreeChanged,
          &ComputerPaneState::browsingImageChanged}) {
        connect(&computer, signal, this, &LocalFilesPane::showListTexts);
    }
    for (auto signal : {&ComputerPaneState::computerDropTargetedChanged,
                        &ComputerPaneState::browsingImageChanged}) {
        connect(&computer, signal, this, &LocalFilesPane::showDropTarget);
    }
    connect(&computer, &ComputerPaneState::localSelectionAnchorChanged, list,
            &PaneListView::followAnchor);
    connect(&session.commands(), &Commands::commandsChanged, this, &LocalFilesPane::showCommands);
    connect(&session.window(), &WindowState::focusedPaneChanged, list,
            &PaneListView::showPaneFocus);
    bindFilters();
    showLocation();
    showListTexts();
    showCommands();
    showDropTarget();
}

LocalFilesPane::~LocalFilesPane() {
    // The list asks the bridge until it is gone.
    delete list;
}

QWidget* LocalFilesPane::makeLocationBlock() {
    auto* block = new QWidget(this);
    auto* lines = new QVBoxLayout(block);
    lines->setContentsMargins(2, 6, 2, 0);
    lines->setSpacing(2);
    auto* heading = new QLabel(tr("CURRENT DIRECTORY"), block);
    setStyleRole(heading, StyleRole::heading);
    locationPath = new ElidedLabel({}, block);
    locationPath->setElideMode(Qt::ElideMiddle);
    setStyleRole(locationPath, StyleRole::listing);
    locationHint = new ElidedLabel({}, block);
    setStyleRole(locationHint, StyleRole::secondary);
    lines->addWidget(heading);
    lines->addWidget(locationPath);
    lines->addWidget(locationHint);
    return block;
}

QWidget* LocalFilesPane::makeFilterRow() {
    auto* row = new QWidget(this);
    auto* checks = new QHBoxLayout(row);
    checks->setContentsMargins(2, 0, 2, 0);
    checks->setSpacing(14);
    prgFilter = new FilterCheck(QStringLiteral(".prg"), row);
    d64Filter = new FilterCheck(QStringLiteral(".d64"), row);
    t64Filter = new FilterCheck(QStringLiteral(".t64"), row);
    folderFilter = new FilterCheck(tr("Hide folders"), row);
    for (FilterCheck* check : {prgFilter, d64Filter, t64Filter, folderFilter}) {
        checks->addWidget(check);
    }
    checks->addStretch();
    return row;
}

QWidget* LocalFilesPane::makeFooter() {
    auto* row = new QWidget(this);
    auto* parts = new QHBoxLayout(row);
    parts->setContentsMargins(2, 0, 0, 0);
    parts->setSpacing(6);
    footer = new ElidedLabel({}, row);
    setStyleRole(footer, StyleRole::secondary);
    newDiskButton = new FooterButton(tr("New D64"), row);
    newDiskButton->setHelp(tr("Create an empty .d64 in this folder"));
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

void LocalFilesPane::bindFilters() {
    ComputerPaneState& computer = session.computer();
    struct Binding {
        FilterCheck* check;
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
        connect(binding.check, &FilterCheck::toggled, &computer,
                [&computer, set = binding.set](bool on) { (computer.*set)(on); });
        connect(&computer, binding.changed, binding.check,
                [&computer, check = binding.check, get = binding.get] {
                    check->setChecked((computer.*get)());
                });
    }
}

void LocalFilesPane::setToolbar(QWidget* newToolbar) {
    if (toolbar == newToolbar) {
        return;
    }
    delete toolbar;
    toolbar = newToolbar;
    if (toolbar) {
        contentLayout()->insertWidget(toolbarPosition, toolbar);
    }
}

QAbstractItemView* LocalFilesPane::listView() const {
    return list;
}

// ---- What the pane shows ----

void LocalFilesPane::showLocation() {
    const ComputerPaneState& computer = session.computer();
    title->setTitle(computer.computerPaneTitle());
    const QString path = computer.currentLocationPath();
    locationPath->setText(path);
    locationPath->setFixedToolTip(path);
    locationHint->setText(computer.locationHint());
    // The filters narrow a folder's listing only.
    for (FilterCheck* check : {prgFilter, d64Filter, t64Filter, folderFilter}) {
        check->setEnabled(!computer.isBrowsingImage());
    }
}

void LocalFilesPane::showListTexts() {
    const ComputerPaneState& computer = session.computer();
    emptyState->setTexts(computer.emptyStateText());
    footer->setText(computer.footerText());
}

void LocalFilesPane::showCommands() {
    const Commands& commands = session.commands();
    newDiskButton->setEnabled(commands.canNewDiskImage());
    convertButton->setEnabled(commands.canConvertT64());
}

void LocalFilesPane::showDropTarget() {
    const ComputerPaneState& computer = session.computer();
    setHighlighted(computer.computerDropTargeted());
    dropHint->setText(computer.dropHint());
    list->setDropHintShown(computer.computerDropTargeted());
}

// ---- Drops ----

std::optional<int> LocalFilesPane::rowUnder(const QPoint& panePosition) const {
    const QPoint inList = list->viewport()->mapFrom(this, panePosition);
    if (!list->viewport()->rect().contains(inList)) {
        return std::nullopt;
    }
    const QModelIndex index = list->indexAt(inList);
    return index.isValid() ? std::optional<int>(index.row()) : std::nullopt;
}

void LocalFilesPane::dragEnterEvent(QDragEnterEvent* event) {
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

void LocalFilesPane::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint position = event->position().toPoint();
    const std::optional<int> row = rowUnder(position);
    std::optional<LocalFileItem> item;
    if (row) {
        item = session.computerListModel().itemAt(*row);
    }
    const ComputerDropPlan plan = planComputerDrop(session.commands(), event->mimeData(), item);
    session.computer().setComputerDropTargeted(plan.target == ComputerDropPlan::Target::pane);
    list->setDropTargetRow(plan.target == ComputerDropPlan::Target::d64Row ? row : std::nullopt);
    list->dragScroller().hover(list->viewport()->mapFrom(this, position));
    if (plan.target == ComputerDropPlan::Target::none) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void LocalFilesPane::dragLeaveEvent(QDragLeaveEvent* event) {
    endDragHover();
    event->accept();
}

void LocalFilesPane::endDragHover() {
    session.computer().setComputerDropTargeted(false);
    list->setDropTargetRow(std::nullopt);
    list->dragScroller().stop();
}

void LocalFilesPane::dropEvent(QDropEvent* event) {
    const std::optional<int> row = rowUnder(event->position().toPoint());
    std::optional<LocalFileItem> item;
    if (row) {
        item = session.computerListModel().itemAt(*row);
    }
    const ComputerDropPlan plan = planComputerDrop(session.commands(), event->mimeData(), item);
    endDragHover();
    if (plan.target == ComputerDropPlan::Target::none) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // After the drop has returned to its source: a drag from the floppy pane is still
    // inside its own drag loop here.
    QTimer::singleShot(0, this, [this, plan] { performComputerDrop(session, plan); });
}

} // namespace vellum
