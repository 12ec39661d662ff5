#include "session/PaneMenus.h"

#include "session/LocalListing.h"

namespace vellum {

QString openTitle(const LocalFileItem& item) {
    if (item.isDirectory)
        return QStringLiteral("Open Folder");
    if (item.imageIndex)
        return QStringLiteral("Extract to Folder");
    if (isImageFile(item.url))
        return QStringLiteral("Open Image");
    return QStringLiteral("Open");
}

QList<ContextAction> localRowMenu(const LocalFileItem& clicked, const PaneMenuState& state,
                                  const PaneMenuActions& actions) {
    QList<ContextAction> menu;
    const bool idleFolderMode = state.idle && !state.browsingImage;
    if (state.canOpenLocalSelection)
        menu.append({openTitle(clicked), true, false, false, actions.openAnchorItem});

    menu.append({state.selectedFileCount < 2
                     ? QStringLiteral("Copy to Floppy")
                     : QStringLiteral("Copy %1 Files to Floppy").arg(state.selectedFileCount),
                 state.idle && state.selectedFileCount > 0, false, false,
                 actions.copySelectedToFloppy});

    const bool clickedTape = !clicked.isDirectory && isTapeImageFile(clicked.url);
    if ((idleFolderMode && state.selectedT64Count > 0) || clickedTape) {
        const qsizetype tapes =
            state.selectedT64Count == 0 && clickedTape ? 1 : state.selectedT64Count;
        menu.append({tapes < 2 ? QStringLiteral("Convert T64 to D64")
                               : QStringLiteral("Convert %1 T64 Images to D64").arg(tapes),
                     idleFolderMode && state.selectedT64Count > 0, false, false,
                     actions.convertSelectedT64});
    }

    menu.append({QStringLiteral("Rename…"), idleFolderMode && state.selectedItemCount == 1, false,
                 false, actions.beginRenameMac});

    QString deleteTitle;
    if (state.browsingD64)
        deleteTitle = state.selectedItemCount < 2
                          ? QStringLiteral("Delete…")
                          : QStringLiteral("Delete %1 Files…").arg(state.selectedItemCount);
    else
        deleteTitle = state.selectedItemCount < 2
                          ? QStringLiteral("Move to Trash…")
                          : QStringLiteral("Move %1 Items to Trash…").arg(state.selectedItemCount);
    menu.append({deleteTitle, state.canDeleteLocal, true, false, actions.requestLocalDelete});

    menu.append(ContextAction::separator());
    menu.append(
        {QStringLiteral("New Folder"), idleFolderMode, false, false, actions.beginNewFolder});
    menu.append({QStringLiteral("New D64"), state.idle, false, false, actions.showNewDiskSheet});
    menu.append(ContextAction::separator());
    menu.append({QStringLiteral("Show in Finder"), true, false, false, actions.showInFinder});
    menu.append({QStringLiteral("Refresh"), state.idle, false, false, actions.refreshLocalItems});
    return menu;
}

QList<ContextAction> localBackgroundMenu(const PaneMenuState& state,
                                         const PaneMenuActions& actions) {
    return {
        {QStringLiteral("New Folder"), state.idle && !state.browsingImage, false, false,
         actions.beginNewFolder},
        {QStringLiteral("New D64"), state.idle, false, false, actions.showNewDiskSheet},
        ContextAction::separator(),
        {QStringLiteral("Open Folder…"), true, false, false, actions.chooseLocalFolder},
        {QStringLiteral("Show in Finder"), true, false, false, actions.showInFinder},
        {QStringLiteral("Refresh"), state.idle, false, false, actions.refreshLocalItems},
    };
}

} // namespace vellum
