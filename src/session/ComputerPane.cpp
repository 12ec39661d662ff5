#include "session/VellumViewModel.h"

#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/DesktopServices.h"
#include "session/LocalListing.h"
#include "session/LocalNames.h"
#include "session/OperationSlotGuard.h"
#include "session/PaneTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <filesystem>

namespace vellum {

namespace {

QList<QUrl> urlsOf(const QList<LocalFileItem>& items) {
    QList<QUrl> urls;
    urls.reserve(items.size());
    for (const LocalFileItem& item : items)
        urls.append(item.url);
    return urls;
}

QUrl parentFolder(const QUrl& folder) {
    QDir dir(folder.toLocalFile());
    dir.cdUp();
    return QUrl::fromLocalFile(dir.absolutePath());
}

} // namespace

// ---- Derived values ----

QList<LocalFileItem> VellumViewModel::visibleLocalItems() const {
    return vellum::visibleLocalItems(
        m_localItems, LocalFilters{m_filterD64, m_filterPRG, m_filterT64, m_hideFolders},
        isBrowsingImage());
}

QList<LocalFileItem> VellumViewModel::selectedLocalItems() const {
    QList<LocalFileItem> selected;
    for (const LocalFileItem& item : visibleLocalItems()) {
        if (m_selectedLocalURLs.contains(item.url))
            selected.append(item);
    }
    return selected;
}

QList<LocalFileItem> VellumViewModel::selectedLocalFiles() const {
    QList<LocalFileItem> files;
    for (const LocalFileItem& item : selectedLocalItems()) {
        if (!item.isDirectory)
            files.append(item);
    }
    return files;
}

QList<LocalFileItem> VellumViewModel::selectedT64Items() const {
    QList<LocalFileItem> tapes;
    for (const LocalFileItem& item : selectedLocalFiles()) {
        if (isTapeImageFile(item.url))
            tapes.append(item);
    }
    return tapes;
}

qint64 VellumViewModel::selectedLocalByteCount() const {
    qint64 total = 0;
    for (const LocalFileItem& item : selectedLocalItems()) {
        if (item.fileSize && *item.fileSize > 0)
            total += *item.fileSize;
        else if (item.blocks && *item.blocks >= 1)
            total += *item.blocks * 254;
    }
    return total;
}

qint64 VellumViewModel::selectedLocalBlockCount() const {
    qint64 total = 0;
    for (const LocalFileItem& item : selectedLocalFiles()) {
        if (item.blocks && *item.blocks > 0)
            total += *item.blocks;
        else if (item.fileSize && *item.fileSize >= 1)
            total += (*item.fileSize + 253) / 254;
    }
    return total;
}

bool VellumViewModel::isBrowsingD64() const {
    return m_browsingImage && isDiskImageFile(*m_browsingImage);
}

QString VellumViewModel::currentLocationPath() const {
    return (m_browsingImage ? *m_browsingImage : m_localFolder).toLocalFile();
}

bool VellumViewModel::canGoUp() const {
    if (isBrowsingImage())
        return true;
    return parentFolder(m_localFolder).toLocalFile() !=
           QDir(m_localFolder.toLocalFile()).absolutePath();
}

std::optional<QUrl> VellumViewModel::effectiveLocalAnchor() const {
    return vellum::effectiveLocalAnchor(currentLocalSelection(), urlsOf(visibleLocalItems()));
}

std::optional<LocalFileItem> VellumViewModel::anchorLocalItem() const {
    const std::optional<QUrl> anchor = effectiveLocalAnchor();
    if (!anchor)
        return std::nullopt;
    for (const LocalFileItem& item : visibleLocalItems()) {
        if (item.url == *anchor)
            return item;
    }
    return std::nullopt;
}

bool VellumViewModel::canOpenLocalSelection() const {
    const QList<LocalFileItem> selected = selectedLocalItems();
    if (selected.size() != 1)
        return false;
    const LocalFileItem& item = selected.first();
    return item.isDirectory || item.imageIndex || isImageFile(item.url);
}

bool VellumViewModel::canDeleteLocal() const {
    return m_operation == OperationKind::idle && !selectedLocalItems().isEmpty() &&
           (!isBrowsingImage() || isBrowsingD64());
}

bool VellumViewModel::canDeleteSelection() const {
    if (m_focusedPane == CommanderPane::floppy)
        return m_operation == OperationKind::idle && !selectedFloppyEntries().isEmpty();
    return canDeleteLocal();
}

QString VellumViewModel::deleteCommandTitle() const {
    if (m_focusedPane == CommanderPane::floppy)
        return selectedFloppyEntries().size() < 2 ? QStringLiteral("Delete Floppy File…")
                                                  : QStringLiteral("Delete Floppy Files…");
    return isBrowsingD64() ? QStringLiteral("Delete from Image…")
                           : QStringLiteral("Move to Trash…");
}

QString VellumViewModel::computerPaneTitle() const {
    return vellum::computerPaneTitle(m_browsingImage);
}

QString VellumViewModel::localDeleteMessage() const {
    return vellum::localDeleteMessage(selectedLocalItems(), isBrowsingD64(), m_browsingImage);
}

// ---- Listing and navigation ----

void VellumViewModel::refreshLocalItems() {
    if (m_browsingImage) {
        openImage(*m_browsingImage);
        return;
    }
    setLocalItems(listLocalFolder(m_localFolder));
    pruneLocalSelectionToVisible();
}

void VellumViewModel::chooseLocalFolder() {
    FilePanelRequest request;
    request.title = QStringLiteral("Open Folder");
    request.message = QStringLiteral("Choose a folder with CBM files (.prg, .seq, …).");
    request.directory = m_localFolder;
    if (const std::optional<QUrl> folder = m_desktop.chooseFolder(request))
        navigate(*folder);
}

void VellumViewModel::navigate(const QUrl& folder) {
    leaveImageState();
    setLocalFolder(folder);
    applyLocalSelection({});
    QSettings().setValue(QStringLiteral("localFolderPath"), folder.toLocalFile());
    refreshLocalItems();
}

void VellumViewModel::goUp() {
    if (isBrowsingImage()) {
        closeImage();
        return;
    }
    if (canGoUp())
        navigate(parentFolder(m_localFolder));
}

void VellumViewModel::closeImage() {
    leaveImageState();
    applyLocalSelection({});
    refreshLocalItems();
}

void VellumViewModel::leaveImageState() {
    setBrowsingImage(std::nullopt);
    setImageDiskName(QString());
    setImageBlocksFree(std::nullopt);
}

void VellumViewModel::activate(const LocalFileItem& item) {
    if (item.isDirectory)
        navigate(item.url);
    else if (item.imageIndex)
        extractImageEntry(item);
    else if (isImageFile(item.url))
        openImage(item.url);
}

void VellumViewModel::openAnchorItem() {
    if (const std::optional<LocalFileItem> item = anchorLocalItem())
        activate(*item);
}

// ---- Selection ----

LocalSelection VellumViewModel::currentLocalSelection() const {
    return LocalSelection{m_selectedLocalURLs, m_localSelectionAnchor};
}

void VellumViewModel::applyLocalSelection(const LocalSelection& selection) {
    setSelectedLocalURLs(selection.selected);
    setLocalSelectionAnchor(selection.anchor);
}

void VellumViewModel::pruneLocalSelectionToVisible() {
    LocalSelection selection = currentLocalSelection();
    pruneLocalSelection(selection, urlsOf(visibleLocalItems()));
    applyLocalSelection(selection);
}

bool VellumViewModel::clickLocal(const QUrl& url, SelectionModifiers modifiers) {
    setFocusedPane(CommanderPane::computer);
    LocalSelection selection = currentLocalSelection();
    const bool kept = vellum::clickLocal(selection, urlsOf(visibleLocalItems()), url, modifiers);
    applyLocalSelection(selection);
    return kept;
}

void VellumViewModel::selectLocal(const std::optional<QUrl>& url) {
    applyLocalSelection(url ? LocalSelection{{*url}, url} : LocalSelection{});
}

void VellumViewModel::selectAllLocal() {
    setFocusedPane(CommanderPane::computer);
    LocalSelection selection = currentLocalSelection();
    vellum::selectAllLocal(selection, urlsOf(visibleLocalItems()));
    applyLocalSelection(selection);
}

void VellumViewModel::clearLocalSelection() {
    setFocusedPane(CommanderPane::computer);
    applyLocalSelection({});
}

void VellumViewModel::prepareLocalRowMenu(const LocalFileItem& item) {
    setFocusedPane(CommanderPane::computer);
    if (!m_selectedLocalURLs.contains(item.url))
        selectLocal(item.url);
}

// ---- Name prompts ----

void VellumViewModel::beginNewFolder() {
    if (m_operation != OperationKind::idle || isBrowsingImage())
        return;
    setNameField(proposedNewFolderName(m_localFolder));
    setNameFieldError(std::nullopt);
    setNamePrompt(NamePromptKind::newFolder);
}

void VellumViewModel::beginRenameMac() {
    const std::optional<LocalFileItem> item = anchorLocalItem();
    if (!item || m_operation != OperationKind::idle || isBrowsingImage() ||
        selectedLocalItems().size() != 1)
        return;
    setNameField(item->name);
    setNameFieldError(std::nullopt);
    setNamePrompt(NamePromptKind::renameMac);
}

void VellumViewModel::beginRenameFloppy() {
    const std::optional<DirectoryEntry> entry = anchorFloppyEntry();
    if (!entry || m_operation != OperationKind::idle || selectedFloppyEntries().size() != 1)
        return;
    setNameField(entry->name);
    setNameFieldError(std::nullopt);
    setNamePrompt(NamePromptKind::renameFloppy);
}

void VellumViewModel::commitNewFolder() {
    const QString name = trimmedWhitespace(m_nameField);
    if (const std::optional<QString> problem = validateMacName(name)) {
        setNameFieldError(problem);
        return;
    }
    const QDir folder(m_localFolder.toLocalFile());
    const QString path = folder.filePath(name);
    if (pathIsTaken(path)) {
        setNameFieldError(QStringLiteral("“") + name +
                          QStringLiteral("” already exists in this folder."));
        return;
    }
    std::error_code failure;
    std::filesystem::create_directory(std::filesystem::path(QFile::encodeName(path).toStdString()),
                                      failure);
    if (failure) {
        setNameFieldError(QString::fromStdString(failure.message()));
        return;
    }
    setNamePrompt(std::nullopt);
    refreshLocalItems();
    selectLocal(QUrl::fromLocalFile(path));
    setStatusHeadline(QStringLiteral("Created folder “") + name + QStringLiteral("”."));
    setLastError(std::nullopt);
}

void VellumViewModel::commitRenameMac() {
    const std::optional<LocalFileItem> item = anchorLocalItem();
    if (!item)
        return;
    const QString name = trimmedWhitespace(m_nameField);
    if (const std::optional<QString> problem = validateMacName(name)) {
        setNameFieldError(problem);
        return;
    }
    if (name == item->name) {
        setNamePrompt(std::nullopt);
        return;
    }
    const QFileInfo source(item->url.toLocalFile());
    const QString target = source.dir().filePath(name);
    // A name differing only in letter case is the same file on a case-insensitive disk;
    // everywhere else a taken name must never be replaced.
    const bool sameFileNewCase =
        name.compare(item->name, Qt::CaseInsensitive) == 0 && QFileInfo(target).exists() &&
        QFileInfo(target).canonicalFilePath() == source.canonicalFilePath();
    if (pathIsTaken(target) && !sameFileNewCase) {
        setNameFieldError(QStringLiteral("“") + name +
                          QStringLiteral("” already exists in this folder."));
        return;
    }
    // QFile::rename refuses an existing target instead of replacing it.
    QFile moved(source.filePath());
    if (!moved.rename(target)) {
        setNameFieldError(moved.errorString());
        return;
    }
    setNamePrompt(std::nullopt);
    refreshLocalItems();
    selectLocal(QUrl::fromLocalFile(target));
    setStatusHeadline(QStringLiteral("Renamed to “") + name + QStringLiteral("”."));
    setLastError(std::nullopt);
}

void VellumViewModel::cancelNamePrompt() {
    setNamePrompt(std::nullopt);
}

// ---- Move to Trash ----

void VellumViewModel::requestLocalDelete() {
    if (canDeleteLocal())
        setShowsLocalDeleteConfirmation(true);
}

void VellumViewModel::confirmLocalDelete() {
    setShowsLocalDeleteConfirmation(false);
    if (isBrowsingD64())
        deleteSelectionFromImage();
    else
        moveSelectionToTrash();
}

void VellumViewModel::moveSelectionToTrash() {
    const QList<LocalFileItem> items = selectedLocalItems();
    if (items.isEmpty() || isBrowsingImage() || m_operation != OperationKind::idle)
        return;
    const qint64 number = beginOperation(OperationKind::deleting, trashProgressText(items));
    OperationSlotGuard slot(*this, number);
    for (const LocalFileItem& item : items) {
        try {
            m_desktop.moveToTrash(item.url);
        } catch (const std::exception& error) {
            refreshLocalItems();
            reportError(error);
            return;
        }
    }
    setLastError(std::nullopt);
    refreshLocalItems();
    setStatusHeadline(trashDoneText(items));
}

void VellumViewModel::showInFinder() {
    if (m_browsingImage) {
        m_desktop.revealInFileManager({*m_browsingImage});
        return;
    }
    const QList<LocalFileItem> selected = selectedLocalItems();
    m_desktop.revealInFileManager(selected.isEmpty() ? QList<QUrl>{m_localFolder}
                                                     : urlsOf(selected));
}

void VellumViewModel::revealFolder() {
    m_desktop.revealInFileManager({m_browsingImage ? *m_browsingImage : m_localFolder});
}

QUrl VellumViewModel::uniqueLocalURL(const QString& base, const QString& extension) const {
    return vellum::uniqueLocalURL(m_localFolder, base, extension);
}

} // namespace vellum
