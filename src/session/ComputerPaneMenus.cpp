#include "session/ComputerPaneMenus.h"

#include "session/ComputerListing.h"

#include <QCoreApplication>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ComputerPaneMenus)
};

} // namespace

QString openTitle(const ComputerFileItem& item) {
    if (item.isDirectory) {
        return Texts::tr("Open Folder");
    }
    if (item.imageIndex) {
        return Texts::tr("Extract to Folder");
    }
    if (isImageFile(item.url)) {
        return Texts::tr("Open Image");
    }
    return Texts::tr("Open");
}

QList<ContextAction> computerRowMenu(const ComputerFileItem& clicked,
                                     const ComputerMenuState& state,
                                     const ComputerMenuActions& actions) {
    QList<ContextAction> menu;
    const bool idleFolderMode = state.idle && !state.browsingImage;
    if (state.canOpenLocalSelection) {
        menu.append({openTitle(clicked), state.idle, false, false, actions.openAnchorItem});
    }

    menu.append({state.selectedFileCount < 2
                     ? Texts::tr("Copy to Floppy")
                     : Texts::tr("Copy %1 Files to Floppy").arg(state.selectedFileCount),
                 state.idle && state.selectedFileCount > 0, false, false,
                 actions.copySelectedToFloppy});

    const bool clickedTape = !clicked.isDirectory && isTapeImageFile(clicked.url);
    if ((idleFolderMode && state.selectedT64Count > 0) || clickedTape) {
        const qsizetype tapes =
            state.selectedT64Count == 0 && clickedTape ? 1 : state.selectedT64Count;
        menu.append({tapes < 2 ? Texts::tr("Convert T64 to D64")
                               : Texts::tr("Convert %1 T64 Images to D64").arg(tapes),
                     idleFolderMode && state.selectedT64Count > 0, false, false,
                     actions.convertSelectedT64});
    }

    menu.append({Texts::tr("Rename…"), idleFolderMode && state.selectedItemCount == 1, false, false,
                 actions.beginRenameComputerItem});

    QString deleteTitle;
    if (state.browsingD64) {
        deleteTitle = state.selectedItemCount < 2
                          ? Texts::tr("Delete…")
                          : Texts::tr("Delete %1 Files…").arg(state.selectedItemCount);
    } else {
        deleteTitle = state.selectedItemCount < 2
                          ? Texts::tr("Move to Trash…")
                          : Texts::tr("Move %1 Items to Trash…").arg(state.selectedItemCount);
    }
    menu.append({deleteTitle, state.canDeleteLocal, true, false, actions.requestLocalDelete});

    menu.append(ContextAction::separator());
    menu.append({Texts::tr("New Folder"), idleFolderMode, false, false, actions.beginNewFolder});
    menu.append({Texts::tr("New D64"), state.idle, false, false, actions.showNewDiskSheet});
    menu.append(ContextAction::separator());
    menu.append({Texts::tr("Show in File Manager"), true, false, false, actions.showInFileManager});
    menu.append({Texts::tr("Refresh"), state.idle, false, false, actions.refreshLocalItems});
    return menu;
}

QList<ContextAction> computerBackgroundMenu(const ComputerMenuState& state,
                                            const ComputerMenuActions& actions) {
    return {
        {Texts::tr("New Folder"), state.idle && !state.browsingImage, false, false,
         actions.beginNewFolder},
        {Texts::tr("New D64"), state.idle, false, false, actions.showNewDiskSheet},
        ContextAction::separator(),
        {Texts::tr("Open Folder…"), true, false, false, actions.chooseLocalFolder},
        {Texts::tr("Show in File Manager"), true, false, false, actions.showInFileManager},
        {Texts::tr("Refresh"), state.idle, false, false, actions.refreshLocalItems},
    };
}

} // namespace vellum
