#pragma once

namespace vellum {

// The pane that has the keyboard focus; Delete and Select All act on it.
enum class CommanderPane {
    computer,
    floppy,
};

// Which name prompt is open.
enum class NamePromptKind {
    newFolder,
    renameComputerItem,
    renameFloppy,
};

} // namespace vellum
