#pragma once

#include "model/ComputerFileItem.h"
#include "session/ContextAction.h"

#include <QList>
#include <functional>

namespace vellum {

// What the computer pane's context menus are built from.
struct ComputerMenuState {
    bool idle = true;
    bool browsingImage = false;
    bool browsingD64 = false;
    qsizetype selectedItemCount = 0;
    qsizetype selectedFileCount = 0;
    qsizetype selectedT64Count = 0;
    bool canOpenLocalSelection = false;
    bool canDeleteLocal = false;

    friend bool operator==(const ComputerMenuState&, const ComputerMenuState&) = default;
};

// The operations the menu lines start.
struct ComputerMenuActions {
    std::function<void()> openAnchorItem;
    std::function<void()> copySelectedToFloppy;
    std::function<void()> convertSelectedT64;
    std::function<void()> beginRenameComputerItem;
    std::function<void()> requestLocalDelete;
    std::function<void()> beginNewFolder;
    std::function<void()> showNewDiskSheet;
    std::function<void()> showInFileManager;
    std::function<void()> refreshLocalItems;
    std::function<void()> chooseLocalFolder;
};

// "Open Folder", "Extract to Folder", "Open Image" or "Open" for the clicked row.
QString openTitle(const ComputerFileItem& item);

QList<ContextAction> computerRowMenu(const ComputerFileItem& clicked,
                                     const ComputerMenuState& state,
                                     const ComputerMenuActions& actions);
QList<ContextAction> computerBackgroundMenu(const ComputerMenuState& state,
                                            const ComputerMenuActions& actions);

} // namespace vellum
