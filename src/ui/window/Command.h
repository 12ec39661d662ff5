#pragma once

#include <QList>

namespace vellum {

// Every command of the menus, the commander keys, the toolbars and the arrows. Menu items
// and buttons that follow the same rule share one command.
enum class Command {
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
    // Buttons only
    openFolder,
    deleteLocal,
    renameFloppy,
    deleteFloppy,
    copyToFloppy,
    copyToComputer,
};

const QList<Command>& allCommands();

} // namespace vellum
