#include "session/VellumViewModel.h"

#include "model/TextUtil.h"
#include "model/ToolOutputParsers.h"
#include "session/LocalListing.h"
#include "session/LocalNames.h"
#include "session/PaneMenus.h"
#include "session/TemporaryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUuid>

namespace vellum {

namespace {

QUrl standardized(const QUrl& url) {
    return QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).absoluteFilePath());
}

// A dragged image entry travels as a file named after its listed name (in a folder of its
// own in the temporary folder), so wherever it is dropped it keeps that name; a floppy
// that receives it makes its Commodore name from it.
QUrl namedDragCopy(const QUrl& exported, const QString& listedName) {
    const QString folder = QDir(QDir::tempPath())
                               .filePath(QStringLiteral("vellum-") +
                                         QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!QDir().mkdir(folder))
        return exported;
    const QString target =
        QDir(folder).filePath(safeLocalBaseName(listedName) + QStringLiteral(".prg"));
    if (!QFile::rename(exported.toLocalFile(), target)) {
        QDir().rmdir(folder);
        return exported;
    }
    return QUrl::fromLocalFile(target);
}

} // namespace

QList<QUrl> VellumViewModel::dragURLs(const LocalFileItem& item) const {
    QList<LocalFileItem> carried;
    if (m_selectedLocalURLs.contains(item.url))
        carried = selectedLocalFiles();
    else if (!item.isDirectory)
        carried = {item};
    QList<QUrl> urls;
    for (const LocalFileItem& file : carried) {
        if (!file.imageIndex) {
            urls.append(file.url);
            continue;
        }
        try {
            urls.append(namedDragCopy(exportImageEntry(file), file.name));
        } catch (const std::exception&) {
            // An entry that cannot be read is left out of the drag.
        }
    }
    return urls;
}

void VellumViewModel::copyFilesIntoFolder(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists() || info.isDir())
            continue;
        const QString name = info.fileName();
        const QUrl target = uniqueLocalURL(deletingPathExtension(name), pathExtension(name));
        if (standardized(url) == standardized(target))
            continue;
        // A failed copy is skipped; the others still go.
        QFile::copy(info.filePath(), target.toLocalFile());
    }
    refreshLocalItems();
}

QList<ContextAction> VellumViewModel::localRowMenu(const LocalFileItem& item) {
    PaneMenuState state;
    state.idle = m_operation == OperationKind::idle;
    state.browsingImage = isBrowsingImage();
    state.browsingD64 = isBrowsingD64();
    state.selectedItemCount = selectedLocalItems().size();
    state.selectedFileCount = selectedLocalFiles().size();
    state.selectedT64Count = selectedT64Items().size();
    state.canOpenLocalSelection = canOpenLocalSelection();
    state.canDeleteLocal = canDeleteLocal();

    QPointer<VellumViewModel> self(this);
    auto call = [self](auto member) {
        return [self, member] {
            if (self)
                (self.data()->*member)();
        };
    };
    auto start = [self](auto member) {
        return [self, member] {
            if (self)
                (void)(self.data()->*member)();
        };
    };
    PaneMenuActions actions;
    actions.openAnchorItem = call(&VellumViewModel::openAnchorItem);
    actions.copySelectedToFloppy = start(&VellumViewModel::copySelectedToFloppy);
    actions.convertSelectedT64 = start(&VellumViewModel::convertSelectedT64);
    actions.beginRenameMac = call(&VellumViewModel::beginRenameMac);
    actions.requestLocalDelete = call(&VellumViewModel::requestLocalDelete);
    actions.beginNewFolder = call(&VellumViewModel::beginNewFolder);
    actions.showNewDiskSheet = call(&VellumViewModel::showNewDiskSheet);
    actions.showInFinder = call(&VellumViewModel::showInFinder);
    actions.refreshLocalItems = call(&VellumViewModel::refreshLocalItems);
    actions.chooseLocalFolder = call(&VellumViewModel::chooseLocalFolder);
    return vellum::localRowMenu(item, state, actions);
}

QList<ContextAction> VellumViewModel::localBackgroundMenu() {
    PaneMenuState state;
    state.idle = m_operation == OperationKind::idle;
    state.browsingImage = isBrowsingImage();
    state.browsingD64 = isBrowsingD64();
    QPointer<VellumViewModel> self(this);
    auto call = [self](void (VellumViewModel::*member)()) {
        return [self, member] {
            if (self)
                (self.data()->*member)();
        };
    };
    PaneMenuActions actions;
    actions.beginNewFolder = call(&VellumViewModel::beginNewFolder);
    actions.showNewDiskSheet = call(&VellumViewModel::showNewDiskSheet);
    actions.chooseLocalFolder = call(&VellumViewModel::chooseLocalFolder);
    actions.showInFinder = call(&VellumViewModel::showInFinder);
    actions.refreshLocalItems = call(&VellumViewModel::refreshLocalItems);
    return vellum::localBackgroundMenu(state, actions);
}

QList<DirectoryEntry> VellumViewModel::draggedFloppyEntries(const QStringList& payloads) const {
    QList<DirectoryEntry> entries;
    for (const QString& payload : payloads) {
        const auto parsed = parseDraggedEntry(payload);
        if (!parsed)
            continue;
        const auto& [name, type] = *parsed;
        std::optional<DirectoryEntry> found;
        for (const DirectoryEntry& entry : m_directory.entries) {
            if (entry.name == name) {
                found = entry;
                break;
            }
        }
        if (!found) {
            DirectoryEntry entry;
            entry.name = name;
            entry.type = type;
            entry.typeToken = rawValue(type);
            found = entry;
        }
        entries.append(*found);
    }
    return entries;
}

bool VellumViewModel::acceptsComputerDrop() const {
    return m_operation == OperationKind::idle && !(isBrowsingImage() && !isBrowsingD64());
}

bool VellumViewModel::acceptsDropOnLocalRow(const LocalFileItem& row) const {
    return m_operation == OperationKind::idle && !row.isDirectory && !row.imageIndex &&
           isDiskImageFile(row.url);
}

QCoro::Task<bool> VellumViewModel::dropOnComputerPane(QList<QUrl> urls,
                                                      QStringList floppyPayloads) {
    if (!acceptsComputerDrop())
        co_return false;
    const QList<DirectoryEntry> entries = draggedFloppyEntries(floppyPayloads);
    if (isBrowsingD64()) {
        const QUrl image = *m_browsingImage;
        if (!entries.isEmpty())
            co_await copyFloppyEntriesToImage(entries, image);
        if (!urls.isEmpty())
            co_await addFilesToImage(urls, image);
        co_return true;
    }
    if (!entries.isEmpty())
        co_await copyFloppyEntries(entries);
    if (!urls.isEmpty())
        copyFilesIntoFolder(urls);
    co_return true;
}

QCoro::Task<bool> VellumViewModel::dropOnLocalRow(LocalFileItem row, QList<QUrl> urls,
                                                  QStringList floppyPayloads) {
    if (!acceptsDropOnLocalRow(row))
        co_return false;
    const QList<DirectoryEntry> entries = draggedFloppyEntries(floppyPayloads);
    QList<QUrl> others;
    for (const QUrl& url : urls) {
        if (standardized(url) != standardized(row.url))
            others.append(url);
    }
    if (!entries.isEmpty())
        co_await copyFloppyEntriesToImage(entries, row.url);
    if (!others.isEmpty())
        co_await addFilesToImage(others, row.url);
    co_return true;
}

} // namespace vellum
