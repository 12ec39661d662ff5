#include "session/VellumViewModel.h"

#include "images/ComputerFileNames.h"
#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/DragExportFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum {

namespace {

// A dragged image entry travels as a file named after its listed name (in a folder of its
// own in the temporary folder, removed when the program quits), so wherever it is dropped
// it keeps that name; a floppy that receives it makes its Commodore name from it.
QUrl namedDragCopy(const QUrl& exported, const QString& listedName) {
    const QString folder = makeDragExportFolder();
    if (folder.isEmpty()) {
        return exported;
    }
    const QString target =
        QDir(folder).filePath(safeLocalBaseName(listedName) + QStringLiteral(".prg"));
    if (!QFile::rename(exported.toLocalFile(), target)) {
        QDir().rmdir(folder);
        return exported;
    }
    return QUrl::fromLocalFile(target);
}

} // namespace

QList<QUrl> VellumViewModel::dragURLs(const ComputerFileItem& item) const {
    QList<ComputerFileItem> carried;
    if (m_computer.selectedLocalURLs().contains(item.url)) {
        carried = m_computer.selectedLocalFiles();
    } else if (!item.isDirectory) {
        carried = {item};
    }
    QList<QUrl> urls;
    for (const ComputerFileItem& file : carried) {
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
    const QUrl folder = m_computer.computerFolder();
    QStringList failed;
    for (const QUrl& url : urls) {
        const QFileInfo info(url.toLocalFile());
        if (info.isDir()) {
            continue;
        }
        const QString name = info.fileName();
        // A pipe or a device would never end, and a vanished file cannot be copied: said,
        // not skipped in silence.
        if (!info.isFile()) {
            failed << name;
            continue;
        }
        const QUrl target =
            uniqueLocalURL(folder, QFileInfo(name).completeBaseName(), QFileInfo(name).suffix());
        if (standardizedFileURL(url) == standardizedFileURL(target)) {
            continue;
        }
        // A failed copy does not stop the others.
        if (!QFile::copy(info.filePath(), target.toLocalFile())) {
            failed << name;
        }
    }
    refreshLocalItems();
    if (!failed.isEmpty()) {
        m_status.setLastError(tr("Could not copy %1 into this folder.")
                                  .arg(QStringLiteral("“") + failed.join(QStringLiteral("”, “")) +
                                       QStringLiteral("”")));
    }
}

QCoro::Task<bool> VellumViewModel::dropOnComputerPane(QList<QUrl> urls,
                                                      QStringList floppyPayloads) {
    if (!m_commands.acceptsComputerDrop()) {
        co_return false;
    }
    const QList<DirectoryEntry> entries = m_floppy.entriesForPayloads(floppyPayloads);
    if (m_computer.isBrowsingD64()) {
        const QUrl image = *m_computer.browsingImage();
        if (!entries.isEmpty()) {
            co_await copyFloppyEntriesToImage(entries, image);
        }
        if (!urls.isEmpty()) {
            co_await addFilesToImage(urls, image);
        }
        co_return true;
    }
    if (!entries.isEmpty()) {
        co_await copyFloppyEntries(entries);
    }
    if (!urls.isEmpty()) {
        copyFilesIntoFolder(urls);
    }
    co_return true;
}

QCoro::Task<bool> VellumViewModel::dropOnLocalRow(ComputerFileItem row, QList<QUrl> urls,
                                                  QStringList floppyPayloads) {
    if (!m_commands.acceptsDropOnLocalRow(row)) {
        co_return false;
    }
    const QList<DirectoryEntry> entries = m_floppy.entriesForPayloads(floppyPayloads);
    QList<QUrl> others;
    for (const QUrl& url : urls) {
        if (standardizedFileURL(url) != standardizedFileURL(row.url)) {
            others.append(url);
        }
    }
    if (!entries.isEmpty()) {
        co_await copyFloppyEntriesToImage(entries, row.url);
    }
    if (!others.isEmpty()) {
        co_await addFilesToImage(others, row.url);
    }
    co_return true;
}

QCoro::Task<bool> VellumViewModel::dropOnFloppyPane(QList<QUrl> urls) {
    if (!m_commands.acceptsFloppyDrop()) {
        co_return false;
    }
    co_await intakeFilesForFloppy(urls);
    co_return true;
}

} // namespace vellum
