#include "session/CommandRegistry.h"

#include "opencbm/DriveImageFormats.h"
#include "session/ComputerListing.h"
#include "session/DriveState.h"
#include "session/VellumViewModel.h"

#include <QPointer>

namespace vellum {

namespace {

std::function<QString()> fixed(const QString& text) {
    return [text] { return text; };
}

// "Open Folder", "Extract to Folder", "Open Image" or "Open" for the clicked row.
QString openTitle(const ComputerFileItem& item) {
    if (item.isDirectory) {
        return CommandRegistry::tr("Open Folder");
    }
    if (item.imageIndex) {
        return CommandRegistry::tr("Extract to Folder");
    }
    if (isImageFile(item.url)) {
        return CommandRegistry::tr("Open Image");
    }
    return CommandRegistry::tr("Open");
}

// ".d64 image", ".d64 or .d71 image" or ".d81 image": what the selected drive makes and takes.
QString savedImageTypes(const DriveState& drives) {
    QStringList names;
    for (const DiskImageFormat format : imageFormatsForDrive(drives.driveModel())) {
        names << QLatin1Char('.') + fileExtension(format);
    }
    return names.join(CommandRegistry::tr(" or ")) + CommandRegistry::tr(" image");
}

} // namespace

// Each command names only the fields it has; GCC 12 would have every member of a designated
// initializer spelled out, left-out ones being value-initialized all the same.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
CommandRegistry::CommandRegistry(VellumViewModel& session, QObject* parent)
    : QObject(parent), m_session(session) {
    using C = CommandId;
    VellumViewModel* s = &session;
    const Commands* rules = &session.commands();
    const ComputerPaneState* computer = &session.computer();
    const FloppyPaneState* floppy = &session.floppy();
    WindowState* window = &session.window();
    const OperationStatus* status = &session.status();
    const auto idle = [rules] { return rules->isIdle(); };
    const auto always = [] { return true; };
    const auto floppyFocused = [window] { return window->focusedPane() == CommanderPane::floppy; };

    // File
    add({.id = C::newDiskImage,
         .title = fixed(tr("New Disk Image…")),
         .shortcut = tr("Ctrl+N"),
         .enabled = [rules] { return rules->canNewDiskImage(); },
         .trigger = [s] { s->showNewDiskSheet(); }});
    add({.id = C::newFolder,
         .title = fixed(tr("New Folder")),
         .help = fixed(tr("New folder in this directory")),
         .shortcut = tr("Ctrl+Shift+N"),
         .iconName = QStringLiteral("folder-new"),
         .enabled = [rules] { return rules->canNewFolder(); },
         .trigger = [s] { s->beginNewFolder(); }});
    add({.id = C::renameLocal,
         .title = fixed(tr("Rename…")),
         .buttonTitle = fixed(tr("Rename")),
         .help = fixed(tr("Rename selected file or folder")),
         .iconName = QStringLiteral("edit-rename"),
         .enabled = [rules] { return rules->canRenameLocal(); },
         .trigger = [s] { s->beginRenameComputerItem(); }});
    add({.id = C::deleteSelection,
         .title =
             [floppyFocused, floppy, computer] {
                 if (floppyFocused()) {
                     return floppy->selectedFloppyEntries().size() < 2 ? tr("Delete Floppy File…")
                                                                       : tr("Delete Floppy Files…");
                 }
                 return computer->isBrowsingD64() ? tr("Delete from Image…") : tr("Move to Trash…");
             },
         .shortcut = tr("Del"),
         .enabled = [rules] { return rules->canDeleteSelection(); },
         .trigger = [s] { s->requestDeleteInFocusedPane(); }});
    add({.id = C::quit,
         .title = fixed(tr("Quit")),
         .shortcut = tr("Ctrl+Q"),
         .enabled = always,
         .trigger = [this] { emit quitRequested(); }});
    // Edit
    add({.id = C::selectAll,
         .title = fixed(tr("Select All")),
         .shortcut = tr("Ctrl+A"),
         .enabled = always,
         .trigger = [s] { s->selectAllInFocusedPane(); }});
    add({.id = C::preferences,
         .title = fixed(tr("Preferences…")),
         .enabled = always,
         .trigger = [window] { window->setShowsSettings(true); }});
    // Drive
    add({.id = C::stop,
         .title = [status] { return status->isStopping() ? tr("Force Stop") : tr("Stop"); },
         .buttonTitle = [status] { return status->isStopping() ? tr("Force") : tr("Stop"); },
         .help =
             [status] {
                 return status->isStopping()
                            ? tr("Force-stop the hung OpenCBM process")
                            : tr("Stop the current transfer. Press again if the drive does not "
                                 "respond.");
             },
         .shortcut = tr("Esc"),
         .iconName = QStringLiteral("process-stop"),
         .enabled = [rules] { return rules->canStop(); },
         .trigger = [s] { s->stop(); }});
    add({.id = C::detect,
         .title = fixed(tr("Detect")),
         .help = fixed(tr("Detect ZoomFloppy and drives on the IEC bus")),
         .shortcut = tr("Ctrl+D"),
         .iconName = QStringLiteral("detect"),
         .enabled = idle,
         .trigger = [s] { (void)s->detect(false); }});
    add({.id = C::readDirectory,
         .title = fixed(tr("Read Directory")),
         .buttonTitle = fixed(tr("Directory")),
         .shortcut = tr("Ctrl+L"),
         .iconName = QStringLiteral("folder"),
         .enabled = idle,
         .trigger = [s] { (void)s->readDirectory(); }});
    const DriveState* drives = &session.drives();
    add({.id = C::saveD64,
         .title = fixed(tr("Save Disk Image…")),
         .buttonTitle = fixed(tr("Save")),
         .help = [drives] { return tr("Save the floppy as a %1").arg(savedImageTypes(*drives)); },
         .shortcut = tr("Ctrl+R"),
         .iconName = QStringLiteral("save-from-drive"),
         .enabled = idle,
         .trigger = [s] { (void)s->saveFloppyAsD64(); }});
    add({.id = C::writeD64,
         .title = fixed(tr("Write Disk Image…")),
         .buttonTitle = fixed(tr("Write")),
         .help = [drives] { return tr("Write a %1 to the floppy").arg(savedImageTypes(*drives)); },
         .shortcut = tr("Ctrl+E"),
         .iconName = QStringLiteral("write-to-drive"),
         .enabled = idle,
         .trigger = [s] { s->chooseD64ToWrite(); }});
    add({.id = C::copyFilesToFloppy,
         .title = fixed(tr("Copy Files to Floppy…")),
         .shortcut = tr("Ctrl+O"),
         .enabled = idle,
         .trigger = [s] { (void)s->chooseFilesForFloppy(); }});
    add({.id = C::copyFileToComputer,
         .title = fixed(tr("Copy File to Computer")),
         .shortcut = tr("Ctrl+Shift+S"),
         .enabled = idle,
         .trigger = [s] { (void)s->copySelectedFloppyEntries(); }});
    add({.id = C::convertT64,
         .title = fixed(tr("Convert T64 to D64")),
         .enabled = idle,
         .trigger = [s] { (void)s->convertSelectedT64(); }});
    add({.id = C::renameFloppyFile,
         .title = fixed(tr("Rename File…")),
         .enabled = idle,
         .trigger = [s] { s->beginRenameFloppy(); }});
    add({.id = C::deleteFloppyFile,
         .title = fixed(tr("Delete File…")),
         .enabled = idle,
         .trigger = [s] { s->requestFloppyDelete(); }});
    add({.id = C::validateDisk,
         .title = fixed(tr("Validate Disk")),
         .enabled = idle,
         .trigger = [s] { (void)s->validateFloppy(); }});
    add({.id = C::initializeDisk,
         .title = fixed(tr("Initialize Disk")),
         .buttonTitle = fixed(tr("Init")),
         .help =
             fixed(tr("Initialize the disk in the selected drive (DOS I0). Re-reads BAM, disk name "
                      "and ID after swapping a floppy. Does not format or erase files.")),
         .shortcut = tr("Ctrl+I"),
         .iconName = QStringLiteral("init"),
         .enabled = idle,
         .trigger = [s] { (void)s->initializeFloppy(); }});
    add({.id = C::formatFloppy,
         .title = fixed(tr("Format Floppy…")),
         .buttonTitle = fixed(tr("Format")),
         .help = fixed(tr("Erase the floppy and write a new filesystem. This destroys all files.")),
         .iconName = QStringLiteral("edit-clear"),
         .enabled = idle,
         .trigger = [s] { s->beginFormat(); }});
    add({.id = C::resetBus,
         .title = fixed(tr("Reset Bus")),
         .buttonTitle = fixed(tr("Reset")),
         .help = fixed(tr("Reset all devices on the IEC bus, then initialize the selected drive.")),
         .shortcut = tr("Ctrl+K"),
         .iconName = QStringLiteral("reset"),
         .enabled = idle,
         .trigger = [s] { (void)s->resetIECBus(); }});
    // View: the toggle only means something while the window is too narrow for the panel.
    add({.id = C::toggleStatusPanel,
         .title =
             [window] {
                 return window->statusSidebarForced() ? tr("Hide Status") : tr("Show Status");
             },
         .enabled = [window] { return window->statusToggleAvailable(); },
         .trigger = [window] { window->setStatusSidebarForced(!window->statusSidebarForced()); }});
    // The map of the image open in the computer pane (or of a disk being read).
    DiskMapState* diskMap = &session.diskMap();
    add({.id = C::toggleDiskMap,
         .title = [diskMap] { return diskMap->isShown() ? tr("Hide Disk Map") : tr("Disk Map"); },
         .help = fixed(tr("Show which sectors of the disk image hold files, the directory, free "
                          "space and read errors.")),
         .shortcut = tr("Ctrl+M"),
         .enabled = [diskMap] { return diskMap->canShow(); },
         .trigger = [diskMap] { diskMap->setWanted(!diskMap->isShown()); }});
    connect(diskMap, &DiskMapState::shownChanged, this, &CommandRegistry::changed);
    // Help
    add({.id = C::help,
         .title = fixed(tr("Vellum Help")),
         .shortcut = tr("F1"),
         .enabled = always,
         .trigger = [window] { window->setShowsHelp(true); }});
    add({.id = C::reportBug,
         .title = fixed(tr("Report a Bug…")),
         .enabled = always,
         .trigger = [s] { s->reportBug(); }});
    add({.id = C::suggestFeature,
         .title = fixed(tr("Suggest a Feature…")),
         .enabled = always,
         .trigger = [s] { s->suggestFeature(); }});
    add({.id = C::contact, .title = fixed(tr("Contact…")), .enabled = always, .trigger = [s] {
             s->contactMail();
         }});
    add({.id = C::about,
         .title = fixed(tr("About Vellum")),
         .enabled = always,
         .trigger = [window] { window->setShowsAbout(true); }});
    // Commander keys
    add({.id = C::renameInFocusedPane,
         .title = fixed(tr("Rename")),
         .shortcut = tr("F2"),
         .enabled =
             [floppyFocused, rules] {
                 return floppyFocused() ? rules->canRenameFloppy() : rules->canRenameLocal();
             },
         .trigger =
             [floppyFocused, s] {
                 if (floppyFocused()) {
                     s->beginRenameFloppy();
                 } else {
                     s->beginRenameComputerItem();
                 }
             }});
    add({.id = C::refresh,
         .title = fixed(tr("Refresh")),
         .help = fixed(tr("Refresh this folder")),
         .shortcut = tr("F5"),
         .iconName = QStringLiteral("view-refresh"),
         .enabled = [rules] { return rules->canRefreshLocal(); },
         .trigger = [s] { s->refreshLocalItems(); }});
    add({.id = C::parentFolder,
         .title = fixed(tr("Up")),
         .help =
             [computer] {
                 return computer->isBrowsingImage() ? tr("Close this image") : tr("Parent folder");
             },
         .shortcut = tr("Alt+Up"),
         .iconName = QStringLiteral("go-up"),
         .enabled = [rules] { return rules->canGoUp(); },
         .trigger = [s] { s->goUp(); }});
    // Buttons and context menus
    add({.id = C::openFolder,
         .title = fixed(tr("Open")),
         .help = fixed(tr("Open folder")),
         .iconName = QStringLiteral("folder-open"),
         .enabled = always,
         .trigger = [s] { s->chooseLocalFolder(); }});
    add({.id = C::deleteLocal,
         .title = fixed(tr("Delete")),
         .help =
             [computer] {
                 return computer->isBrowsingD64() ? tr("Delete selected files from this disk image")
                                                  : tr("Move selected files to Trash");
             },
         .iconName = QStringLiteral("user-trash"),
         .enabled = [rules] { return rules->canDeleteLocal(); },
         .trigger = [s] { s->requestLocalDelete(); },
         .isDestructive = true});
    add({.id = C::renameFloppy,
         .title = fixed(tr("Rename")),
         .help = fixed(tr("Rename selected file on floppy (DOS R0)")),
         .iconName = QStringLiteral("edit-rename"),
         .enabled = [rules] { return rules->canRenameFloppy(); },
         .trigger = [s] { s->beginRenameFloppy(); }});
    add({.id = C::deleteFloppy,
         .title = fixed(tr("Delete")),
         .help = fixed(tr("Delete selected file from floppy")),
         .iconName = QStringLiteral("user-trash"),
         .enabled = [rules] { return rules->canDeleteFloppy(); },
         .trigger = [s] { s->requestFloppyDelete(); },
         .isDestructive = true});
    add({.id = C::copyToFloppy,
         .title = fixed(tr("Copy to Floppy")),
         .help = fixed(tr("Copy selected computer file(s) to floppy")),
         .iconName = QStringLiteral("go-next"),
         .enabled = [rules] { return rules->canCopyToFloppy(); },
         .trigger = [s] { (void)s->copySelectedToFloppy(); }});
    add({.id = C::copyToComputer,
         .title = fixed(tr("Copy to Computer")),
         .help =
             [computer] {
                 return computer->isBrowsingD64()
                            ? tr("Copy selected floppy file(s) into this D64")
                            : tr("Copy selected floppy file(s) to the computer folder");
             },
         .iconName = QStringLiteral("go-previous"),
         .enabled = [rules] { return rules->canCopyToComputer(); },
         .trigger = [s] { (void)s->copySelectedFloppyEntries(); }});
    // Context menus only
    add({.id = C::openItem, .title = fixed(tr("Open")), .enabled = idle, .trigger = [s] {
             s->openAnchorItem();
         }});
    add({.id = C::convertSelectedT64,
         .title = fixed(tr("Convert T64 to D64")),
         .enabled = [rules] { return rules->canConvertT64(); },
         .trigger = [s] { (void)s->convertSelectedT64(); }});
    add({.id = C::showInFileManager,
         .title = fixed(tr("Show in File Manager")),
         .enabled = always,
         .trigger = [s] { s->showInFileManager(); }});

    connect(rules, &Commands::commandsChanged, this, &CommandRegistry::changed);
    connect(drives, &DriveState::driveModelChanged, this, &CommandRegistry::changed);
}
#pragma GCC diagnostic pop

void CommandRegistry::add(CommandEntry entry) {
    Q_ASSERT(int(entry.id) == m_entries.size());
    if (!entry.buttonTitle) {
        entry.buttonTitle = entry.title;
    }
    if (!entry.help) {
        entry.help = fixed({});
    }
    m_entries.append(std::move(entry));
}

QList<CommandId> CommandRegistry::ids() const {
    QList<CommandId> all;
    for (const CommandEntry& each : m_entries) {
        all.append(each.id);
    }
    return all;
}

const CommandEntry& CommandRegistry::entry(CommandId id) const {
    return m_entries.at(qsizetype(id));
}

void CommandRegistry::trigger(CommandId id) {
    const CommandEntry& command = entry(id);
    if (command.enabled()) {
        command.trigger();
    }
}

ContextAction CommandRegistry::line(CommandId id, const QString& title) {
    return {title, isEnabled(id), entry(id).isDestructive, false,
            [self = QPointer<CommandRegistry>(this), id] {
                if (self) {
                    self->trigger(id);
                }
            }};
}

QList<ContextAction> CommandRegistry::computerRowMenu(const ComputerFileItem& clicked) {
    using C = CommandId;
    const ComputerPaneState& computer = m_session.computer();
    const qsizetype items = computer.selectedLocalItems().size();
    const qsizetype files = computer.selectedLocalFiles().size();
    QList<ContextAction> menu;
    if (computer.canOpenLocalSelection()) {
        menu.append(line(C::openItem, openTitle(clicked)));
    }
    menu.append(line(C::copyToFloppy,
                     files < 2 ? tr("Copy to Floppy") : tr("Copy %1 Files to Floppy").arg(files)));
    // A clicked tape always offers its conversion, dimmed where it cannot run.
    const bool clickedTape = !clicked.isDirectory && isTapeImageFile(clicked.url);
    if (isEnabled(C::convertSelectedT64) || clickedTape) {
        const qsizetype selectedTapes = computer.selectedT64Items().size();
        const qsizetype tapes = selectedTapes == 0 && clickedTape ? 1 : selectedTapes;
        menu.append(
            line(C::convertSelectedT64, tapes < 2 ? tr("Convert T64 to D64")
                                                  : tr("Convert %1 T64 Images to D64").arg(tapes)));
    }
    menu.append(line(C::renameLocal));
    QString deleteTitle;
    if (computer.isBrowsingD64()) {
        deleteTitle = items < 2 ? tr("Delete…") : tr("Delete %1 Files…").arg(items);
    } else {
        deleteTitle = items < 2 ? tr("Move to Trash…") : tr("Move %1 Items to Trash…").arg(items);
    }
    menu.append(line(C::deleteLocal, deleteTitle));
    menu.append(ContextAction::separator());
    menu.append(line(C::newFolder));
    menu.append(line(C::newDiskImage));
    menu.append(ContextAction::separator());
    menu.append(line(C::showInFileManager));
    menu.append(line(C::refresh));
    return menu;
}

QList<ContextAction> CommandRegistry::computerBackgroundMenu() {
    using C = CommandId;
    return {
        line(C::newFolder),         line(C::newDiskImage),
        ContextAction::separator(), line(C::openFolder, tr("Open Folder…")),
        line(C::showInFileManager), line(C::refresh),
    };
}

QList<ContextAction> CommandRegistry::floppyRowMenu() {
    using C = CommandId;
    const qsizetype selected = m_session.floppy().selectedFloppyEntries().size();
    QList<ContextAction> menu{
        line(C::copyToComputer,
             selected < 2 ? tr("Copy to Computer") : tr("Copy %1 Files to Computer").arg(selected)),
        line(C::renameFloppy, tr("Rename…")),
        line(C::deleteFloppy, selected < 2 ? tr("Delete…") : tr("Delete %1 Files…").arg(selected)),
        ContextAction::separator(),
    };
    return menu + floppyBackgroundMenu();
}

QList<ContextAction> CommandRegistry::floppyBackgroundMenu() {
    using C = CommandId;
    return {
        line(C::readDirectory, buttonTitle(C::readDirectory)),
        line(C::initializeDisk),
        line(C::formatFloppy),
    };
}

} // namespace vellum
