#include "ui/window/CommandActions.h"

#include "session/VellumViewModel.h"
#include "ui/kit/KitButton.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace vellum {

const QList<Command>& allCommands() {
    static const QList<Command> commands = [] {
        QList<Command> all;
        for (int c = int(Command::newDiskImage); c <= int(Command::copyToComputer); ++c) {
            all << Command(c);
        }
        return all;
    }();
    return commands;
}

CommandActions::CommandActions(VellumViewModel& session, QWidget* window)
    : QObject(window), session(session), window(window) {
    using C = Command;
    // File
    make(C::newDiskImage, tr("New Disk Image…"), QKeySequence(tr("Ctrl+N")));
    make(C::newFolder, tr("New Folder"), QKeySequence(tr("Ctrl+Shift+N")));
    make(C::renameLocal, tr("Rename…"));
    make(C::deleteSelection, {}, QKeySequence(Qt::Key_Delete));
    make(C::quit, tr("Quit"), QKeySequence(tr("Ctrl+Q")))->setMenuRole(QAction::QuitRole);
    // Edit
    make(C::selectAll, tr("Select All"), QKeySequence(tr("Ctrl+A")));
    make(C::preferences, tr("Preferences…"))->setMenuRole(QAction::PreferencesRole);
    // Drive
    make(C::stop, {}, QKeySequence(Qt::Key_Escape));
    make(C::detect, tr("Detect"), QKeySequence(tr("Ctrl+D")));
    make(C::readDirectory, tr("Read Directory"), QKeySequence(tr("Ctrl+L")));
    make(C::saveD64, tr("Save .d64…"), QKeySequence(tr("Ctrl+R")));
    make(C::writeD64, tr("Write D64…"), QKeySequence(tr("Ctrl+E")));
    make(C::copyFilesToFloppy, tr("Copy Files to Floppy…"), QKeySequence(tr("Ctrl+O")));
    make(C::copyFileToComputer, tr("Copy File to Computer"), QKeySequence(tr("Ctrl+Shift+S")));
    make(C::convertT64, tr("Convert T64 to D64"));
    make(C::renameFloppyFile, tr("Rename File…"));
    make(C::deleteFloppyFile, tr("Delete File…"));
    make(C::validateDisk, tr("Validate Disk"));
    make(C::initializeDisk, tr("Initialize Disk"), QKeySequence(tr("Ctrl+I")));
    make(C::formatFloppy, tr("Format Floppy…"));
    make(C::resetBus, tr("Reset Bus"), QKeySequence(tr("Ctrl+K")));
    // View
    make(C::toggleStatusPanel, {});
    // Help
    make(C::help, tr("Vellum Help"), QKeySequence(Qt::Key_F1));
    make(C::reportBug, tr("Report a Bug…"));
    make(C::suggestFeature, tr("Suggest a Feature…"));
    make(C::contact, tr("Contact…"));
    make(C::about, tr("About Vellum"))->setMenuRole(QAction::AboutRole);
    // Commander keys
    make(C::renameInFocusedPane, tr("Rename"), QKeySequence(Qt::Key_F2));
    make(C::refresh, tr("Refresh"), QKeySequence(Qt::Key_F5));
    make(C::parentFolder, tr("Up"), QKeySequence(tr("Alt+Up")));
    // Buttons only
    make(C::openFolder, tr("Open"));
    make(C::deleteLocal, tr("Delete"));
    make(C::renameFloppy, tr("Rename"));
    make(C::deleteFloppy, tr("Delete"));
    make(C::copyToFloppy, tr("Copy to Floppy"));
    make(C::copyToComputer, tr("Copy to Computer"));

    connect(&session.commands(), &Commands::commandsChanged, this, &CommandActions::refresh);
    connect(&session.window(), &WindowState::statusSidebarForcedChanged, this,
            &CommandActions::refresh);
    refresh();
}

QAction* CommandActions::make(Command command, const QString& title, const QKeySequence& shortcut) {
    auto* created = new QAction(title, this);
    created->setShortcut(shortcut);
    // Every shortcut works in the whole main window, whether or not its menu item exists.
    created->setShortcutContext(Qt::WindowShortcut);
    if (!shortcut.isEmpty()) {
        window->addAction(created);
    }
    connect(created, &QAction::triggered, this, [this, command] { run(command); });
    actions.insert(command, created);
    return created;
}

bool CommandActions::isEnabled(Command command) const {
    const Commands& rules = session.commands();
    using C = Command;
    switch (command) {
    case C::newDiskImage:
        return rules.canNewDiskImage();
    case C::newFolder:
        return rules.canNewFolder();
    case C::renameLocal:
        return rules.canRenameLocal();
    case C::deleteSelection:
        return rules.canDeleteSelection();
    case C::stop:
        return rules.canStop();
    case C::detect:
    case C::readDirectory:
    case C::saveD64:
    case C::writeD64:
    case C::copyFilesToFloppy:
    case C::copyFileToComputer:
    case C::convertT64:
    case C::renameFloppyFile:
    case C::deleteFloppyFile:
    case C::validateDisk:
    case C::initializeDisk:
    case C::formatFloppy:
    case C::resetBus:
        return rules.isIdle();
    case C::toggleStatusPanel:
        return statusToggleAvailable;
    case C::renameInFocusedPane:
        return session.window().focusedPane() == CommanderPane::floppy ? rules.canRenameFloppy()
                                                                       : rules.canRenameLocal();
    case C::refresh:
        return rules.canRefreshLocal();
    case C::parentFolder:
        return rules.canGoUp();
    case C::deleteLocal:
        return rules.canDeleteLocal();
    case C::renameFloppy:
        return rules.canRenameFloppy();
    case C::deleteFloppy:
        return rules.canDeleteFloppy();
    case C::copyToFloppy:
        return rules.canCopyToFloppy();
    case C::copyToComputer:
        return rules.canCopyToComputer();
    case C::quit:
    case C::selectAll:
    case C::preferences:
    case C::help:
    case C::reportBug:
    case C::suggestFeature:
    case C::contact:
    case C::about:
    case C::openFolder:
        return true;
    }
    return true;
}

QString CommandActions::help(Command command) const {
    const Commands& rules = session.commands();
    using C = Command;
    switch (command) {
    case C::parentFolder:
        return rules.goUpHelp();
    case C::refresh:
        return tr("Refresh this folder");
    case C::openFolder:
        return tr("Open folder");
    case C::newFolder:
        return tr("New folder in this directory");
    case C::renameLocal:
        return tr("Rename selected file or folder");
    case C::deleteLocal:
        return rules.deleteLocalHelp();
    case C::saveD64:
        return tr("Save the floppy as a .d64 image");
    case C::writeD64:
        return tr("Write a .d64 image to the floppy");
    case C::formatFloppy:
        return tr("Erase the floppy and write a new filesystem. This destroys all files.");
    case C::initializeDisk:
        return tr("Initialize the disk in the selected drive (DOS I0). Re-reads BAM, disk name "
                  "and ID after swapping a floppy. Does not format or erase files.");
    case C::resetBus:
        return tr("Reset all devices on the IEC bus, then initialize the selected drive.");
    case C::renameFloppy:
        return tr("Rename selected file on floppy (DOS R0)");
    case C::deleteFloppy:
        return tr("Delete selected file from floppy");
    case C::copyToFloppy:
        return tr("Copy selected computer file(s) to floppy");
    case C::copyToComputer:
        return rules.copyToComputerHelp();
    case C::detect:
        return tr("Detect ZoomFloppy and drives on the IEC bus");
    case C::stop:
        return rules.stopHelp();
    default:
        return {};
    }
}

void CommandActions::run(Command command) {
    if (!isEnabled(command)) {
        return;
    }
    VellumViewModel& s = session;
    using C = Command;
    switch (command) {
    case C::newDiskImage:
        s.showNewDiskSheet();
        break;
    case C::newFolder:
        s.beginNewFolder();
        break;
    case C::renameLocal:
        s.beginRenameComputerItem();
        break;
    case C::deleteSelection:
        s.requestDeleteInFocusedPane();
        break;
    case C::quit:
        QApplication::closeAllWindows();
        break;
    case C::selectAll:
        selectAll();
        break;
    case C::preferences:
        s.window().setShowsSettings(true);
        break;
    case C::stop:
        s.stop();
        break;
    case C::detect:
        s.detect(false);
        break;
    case C::readDirectory:
        s.readDirectory();
        break;
    case C::saveD64:
        s.saveFloppyAsD64();
        break;
    case C::writeD64:
        s.chooseD64ToWrite();
        break;
    case C::copyFilesToFloppy:
        s.chooseFilesForFloppy();
        break;
    case C::copyFileToComputer:
    case C::copyToComputer:
        s.copySelectedFloppyEntries();
        break;
    case C::convertT64:
        s.convertSelectedT64();
        break;
    case C::renameFloppyFile:
    case C::renameFloppy:
        s.beginRenameFloppy();
        break;
    case C::deleteFloppyFile:
    case C::deleteFloppy:
        s.requestFloppyDelete();
        break;
    case C::validateDisk:
        s.validateFloppy();
        break;
    case C::initializeDisk:
        s.initializeFloppy();
        break;
    case C::formatFloppy:
        s.beginFormat();
        break;
    case C::resetBus:
        s.resetIECBus();
        break;
    case C::toggleStatusPanel:
        s.window().setStatusSidebarForced(!s.window().statusSidebarForced());
        break;
    case C::help:
        s.window().setShowsHelp(true);
        break;
    case C::reportBug:
        s.reportBug();
        break;
    case C::suggestFeature:
        s.suggestFeature();
        break;
    case C::contact:
        s.contactMail();
        break;
    case C::about:
        s.window().setShowsAbout(true);
        break;
    case C::renameInFocusedPane:
        if (s.window().focusedPane() == CommanderPane::floppy) {
            s.beginRenameFloppy();
        } else {
            s.beginRenameComputerItem();
        }
        break;
    case C::refresh:
        s.refreshLocalItems();
        break;
    case C::parentFolder:
        s.goUp();
        break;
    case C::openFolder:
        s.chooseLocalFolder();
        break;
    case C::deleteLocal:
        s.requestLocalDelete();
        break;
    case C::copyToFloppy:
        s.copySelectedToFloppy();
        break;
    }
}

void CommandActions::selectAll() {
    // A text field keeps Select All for its own text.
    QWidget* focused = QApplication::focusWidget();
    if (auto* field = qobject_cast<QLineEdit*>(focused)) {
        field->selectAll();
    } else if (auto* text = qobject_cast<QTextEdit*>(focused)) {
        text->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused)) {
        plain->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focused)) {
        spin->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit()) {
        combo->lineEdit()->selectAll();
    } else {
        session.selectAllInFocusedPane();
    }
}

void CommandActions::bind(QAbstractButton* button, Command command) {
    bindings.append({button, command});
    connect(button, &QAbstractButton::clicked, action(command), &QAction::trigger);
    updateBinding(bindings.last());
}

void CommandActions::updateBinding(const Binding& binding) {
    if (!binding.button) {
        return;
    }
    binding.button->setEnabled(action(binding.command)->isEnabled());
    // A button whose command has no help of its own names itself, which matters once a
    // narrow toolbar has dropped its title.
    QString tip = help(binding.command);
    if (tip.isEmpty()) {
        tip = binding.button->text();
    }
    if (auto* kit = qobject_cast<KitButton*>(binding.button.data())) {
        kit->setHelp(tip);
    } else {
        binding.button->setToolTip(tip);
    }
}

void CommandActions::setStatusToggleAvailable(bool available) {
    if (statusToggleAvailable == available) {
        return;
    }
    statusToggleAvailable = available;
    refresh();
}

void CommandActions::refresh() {
    const Commands& rules = session.commands();
    for (auto it = actions.cbegin(); it != actions.cend(); ++it) {
        it.value()->setEnabled(isEnabled(it.key()));
    }
    action(Command::stop)->setText(rules.stopCommandTitle());
    action(Command::deleteSelection)->setText(rules.deleteCommandTitle());
    action(Command::toggleStatusPanel)
        ->setText(session.window().statusSidebarForced() ? tr("Hide Status") : tr("Show Status"));
    for (const Binding& binding : bindings) {
        updateBinding(binding);
    }
    emit refreshed();
}

} // namespace vellum
