#pragma once

#include "model/ComputerFileItem.h"
#include "session/ContextAction.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

namespace vellum {

class VellumViewModel;

// Every command of the menus, the commander keys, the toolbars, the arrows and the context
// menus. Lines that follow the same rule and do the same thing share one command.
enum class CommandId {
    // File
    newDiskImage,
    newFolder,
    renameLocal,
    deleteSelection,
    quit,
    // Edit
    selectAll,
    preferences,
    // Drive
    stop,
    detect,
    readDirectory,
    saveD64,
    writeD64,
    copyFilesToFloppy,
    copyFileToComputer,
    convertT64,
    renameFloppyFile,
    deleteFloppyFile,
    validateDisk,
    initializeDisk,
    formatFloppy,
    resetBus,
    // View
    toggleStatusPanel,
    toggleDiskMap,
    // Help
    help,
    reportBug,
    suggestFeature,
    contact,
    about,
    // Commander keys
    renameInFocusedPane,
    refresh,
    parentFolder,
    // Buttons and context menus
    openFolder,
    deleteLocal,
    renameFloppy,
    deleteFloppy,
    copyToFloppy,
    copyToComputer,
    // Context menus only
    openItem,
    convertSelectedT64,
    showInFileManager,
};

// One command: what it is called in a menu and on a button, its help, its keys (in the
// portable text form, "Ctrl+Shift+N"), its freedesktop icon name (our own name for the
// drive symbols no icon theme has), when it can run and what it does. A text that follows
// the state is worked out each time it is asked for.
struct CommandEntry {
    CommandId id;
    std::function<QString()> title;
    std::function<QString()> buttonTitle;
    std::function<QString()> help;
    QString shortcut;
    QString iconName;
    std::function<bool()> enabled;
    std::function<void()> trigger;
    bool isDestructive = false;
};

// The session's commands, each written once. The menu bar, the toolbars, the arrows and
// the context menus are all made from here, so no view decides when a command is enabled
// or what it is called. changed() tells the views to look again (queued, once per turn of
// the event loop).
class CommandRegistry : public QObject {
    Q_OBJECT

public:
    explicit CommandRegistry(VellumViewModel& session, QObject* parent = nullptr);

    // Every command, in the order of CommandId.
    QList<CommandId> ids() const;
    const CommandEntry& entry(CommandId id) const;

    QString title(CommandId id) const { return entry(id).title(); }
    QString buttonTitle(CommandId id) const { return entry(id).buttonTitle(); }
    // Empty for a command without help of its own.
    QString help(CommandId id) const { return entry(id).help(); }
    bool isEnabled(CommandId id) const { return entry(id).enabled(); }
    // Runs the command when it is enabled; a task it starts runs on by itself.
    void trigger(CommandId id);

    // The context menus: a row's (after the row became part of the selection) and the
    // empty area's of either pane.
    QList<ContextAction> computerRowMenu(const ComputerFileItem& clicked);
    QList<ContextAction> computerBackgroundMenu();
    QList<ContextAction> floppyRowMenu();
    QList<ContextAction> floppyBackgroundMenu();

signals:
    void changed();
    // Quit closes the windows, which the session has none of.
    void quitRequested();

private:
    void add(CommandEntry entry);
    ContextAction line(CommandId id, const QString& title);
    ContextAction line(CommandId id) { return line(id, title(id)); }

    VellumViewModel& m_session;
    QList<CommandEntry> m_entries;
};

} // namespace vellum
