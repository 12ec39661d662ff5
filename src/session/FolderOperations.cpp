#include "session/VellumViewModel.h"

#include "images/ComputerFileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/ComputerNames.h"
#include "session/DesktopServices.h"
#include "session/PaneTexts.h"
#include "session/SessionTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <filesystem>

namespace vellum {

// ---- Listing and navigation ----

void VellumViewModel::refreshLocalItems() {
    if (const std::optional<QUrl> image = m_computer.browsingImage()) {
        openImage(*image);
        return;
    }
    m_computer.showFolderListing(listLocalFolder(m_computer.computerFolder()));
    m_computer.pruneSelectionToVisible();
}

void VellumViewModel::refreshIfShown(const QList<QUrl>& written) {
    const std::optional<QUrl> image = m_computer.browsingImage();
    const QUrl shown = standardizedFileURL(image.value_or(m_computer.computerFolder()));
    for (const QUrl& url : written) {
        const QUrl file = standardizedFileURL(url);
        if (image ? file == shown
                  : file.adjusted(QUrl::RemoveFilename | QUrl::StripTrailingSlash) == shown) {
            refreshLocalItems();
            return;
        }
    }
}

void VellumViewModel::chooseLocalFolder() {
    FilePanelRequest request;
    request.title = tr("Open Folder");
    request.message = tr("Choose a folder with CBM files (.prg, .seq, …).");
    request.directory = m_computer.computerFolder();
    if (const std::optional<QUrl> folder = m_desktop.chooseFolder(request)) {
        navigate(*folder);
    }
}

void VellumViewModel::navigate(const QUrl& folder) {
    m_computer.setLocalFolder(folder);
    m_computer.select(std::nullopt);
    QSettings().setValue(QStringLiteral("localFolderPath"), folder.toLocalFile());
    m_computer.showFolderListing(listLocalFolder(folder));
}

void VellumViewModel::goUp() {
    if (m_computer.isBrowsingImage()) {
        closeImage();
        return;
    }
    if (m_computer.canGoUp()) {
        navigate(parentFolder(m_computer.computerFolder()));
    }
}

void VellumViewModel::closeImage() {
    m_computer.select(std::nullopt);
    m_computer.showFolderListing(listLocalFolder(m_computer.computerFolder()));
}

void VellumViewModel::activate(const ComputerFileItem& item) {
    if (item.isDirectory) {
        navigate(item.url);
    } else if (item.imageIndex) {
        extractImageEntry(item);
    } else if (isImageFile(item.url)) {
        openImage(item.url);
    }
}

void VellumViewModel::openAnchorItem() {
    if (const std::optional<ComputerFileItem> item = m_computer.anchorLocalItem()) {
        activate(*item);
    }
}

// ---- Name prompts ----

void VellumViewModel::beginNewFolder() {
    if (!m_commands.canNewFolder()) {
        return;
    }
    m_sheets.setNameField(proposedNewFolderName(m_computer.computerFolder()));
    m_sheets.setNameFieldError(std::nullopt);
    m_sheets.setNamePrompt(NamePromptKind::newFolder);
}

void VellumViewModel::beginRenameComputerItem() {
    if (!m_commands.canRenameLocal()) {
        return;
    }
    m_sheets.setNameField(m_computer.anchorLocalItem()->name);
    m_sheets.setNameFieldError(std::nullopt);
    m_sheets.setNamePrompt(NamePromptKind::renameComputerItem);
}

void VellumViewModel::commitNewFolder() {
    const QString name = m_sheets.nameField().trimmed();
    if (const std::optional<QString> problem = validateComputerName(name)) {
        m_sheets.setNameFieldError(problem);
        return;
    }
    const QString path = QDir(m_computer.computerFolder().toLocalFile()).filePath(name);
    if (pathIsTaken(path)) {
        m_sheets.setNameFieldError(
            tr("%1 already exists in this folder.").arg(texts::quoted(name)));
        return;
    }
    std::error_code failure;
    std::filesystem::create_directory(std::filesystem::path(QFile::encodeName(path).toStdString()),
                                      failure);
    if (failure) {
        m_sheets.setNameFieldError(QString::fromStdString(failure.message()));
        return;
    }
    m_sheets.setNamePrompt(std::nullopt);
    refreshLocalItems();
    m_computer.select(QUrl::fromLocalFile(path));
    m_status.setStatusHeadline(tr("Created folder %1.").arg(texts::quoted(name)));
    m_status.setLastError(std::nullopt);
}

void VellumViewModel::commitRenameComputerItem() {
    const std::optional<ComputerFileItem> item = m_computer.anchorLocalItem();
    if (!item) {
        return;
    }
    const QString name = m_sheets.nameField().trimmed();
    if (const std::optional<QString> problem = validateComputerName(name)) {
        m_sheets.setNameFieldError(problem);
        return;
    }
    if (name == item->name) {
        m_sheets.setNamePrompt(std::nullopt);
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
        m_sheets.setNameFieldError(
            tr("%1 already exists in this folder.").arg(texts::quoted(name)));
        return;
    }
    // QFile::rename refuses an existing target instead of replacing it.
    QFile moved(source.filePath());
    if (!moved.rename(target)) {
        m_sheets.setNameFieldError(moved.errorString());
        return;
    }
    m_sheets.setNamePrompt(std::nullopt);
    refreshLocalItems();
    m_computer.select(QUrl::fromLocalFile(target));
    m_status.setStatusHeadline(tr("Renamed to %1.").arg(texts::quoted(name)));
    m_status.setLastError(std::nullopt);
}

// ---- Move to Trash ----

void VellumViewModel::requestLocalDelete() {
    if (m_commands.canDeleteLocal()) {
        m_confirmations.setShowsLocalDeleteConfirmation(true);
    }
}

void VellumViewModel::confirmLocalDelete() {
    m_confirmations.setShowsLocalDeleteConfirmation(false);
    if (m_computer.isBrowsingD64()) {
        deleteSelectionFromImage();
    } else {
        moveSelectionToTrash();
    }
}

void VellumViewModel::moveSelectionToTrash() {
    const QList<ComputerFileItem> items = m_computer.selectedLocalItems();
    if (items.isEmpty() || m_computer.isBrowsingImage()) {
        return;
    }
    // Nothing in it waits, so the operation has ended when the call returns.
    const auto body = [this, items](qint64) -> QCoro::Task<> {
        for (const ComputerFileItem& item : items) {
            try {
                m_desktop.moveToTrash(item.url);
            } catch (...) {
                // What went before stays in the Trash; the listing shows what is left.
                refreshLocalItems();
                throw;
            }
        }
        m_status.setLastError(std::nullopt);
        refreshLocalItems();
        m_status.setStatusHeadline(trashDoneText(items));
        co_return;
    };
    [[maybe_unused]] QCoro::Task<> done =
        runOperation(OperationKind::deleting, trashProgressText(items), body);
}

void VellumViewModel::showInFileManager() {
    if (const std::optional<QUrl> image = m_computer.browsingImage()) {
        m_desktop.revealInFileManager({*image});
        return;
    }
    const QList<ComputerFileItem> selected = m_computer.selectedLocalItems();
    m_desktop.revealInFileManager(selected.isEmpty() ? QList<QUrl>{m_computer.computerFolder()}
                                                     : urlsOf(selected));
}

void VellumViewModel::revealFolder() {
    m_desktop.revealInFileManager(
        {m_computer.browsingImage().value_or(m_computer.computerFolder())});
}

} // namespace vellum
