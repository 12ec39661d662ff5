#pragma once

#include "session/ContextAction.h"

#include <QList>
#include <functional>

namespace vellum {

// What the floppy pane's context menus are built from.
struct FloppyMenuState {
    bool idle = true;
    qsizetype selectedCount = 0;
    bool canRename = false;

    friend bool operator==(const FloppyMenuState&, const FloppyMenuState&) = default;
};

// The operations the menu lines start.
struct FloppyMenuActions {
    std::function<void()> copyToComputer;
    std::function<void()> beginRename;
    std::function<void()> requestDelete;
    std::function<void()> readDirectory;
    std::function<void()> initializeDisk;
    std::function<void()> beginFormat;
};

// The menu of a row (after the row became part of the selection) and of the empty area.
QList<ContextAction> floppyRowMenu(const FloppyMenuState& state, const FloppyMenuActions& actions);
QList<ContextAction> floppyBackgroundMenu(const FloppyMenuState& state,
                                          const FloppyMenuActions& actions);

} // namespace vellum
