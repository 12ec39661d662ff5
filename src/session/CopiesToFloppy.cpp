#include "session/VellumViewModel.h"

#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/DesktopServices.h"
#include "session/TemporaryFiles.h"

#include <QFileInfo>

namespace vellum {

namespace {

QString writeFailedText() {
    return QCoreApplication::translate("vellum::VellumViewModel", "Writing the disk image failed.");
}

// A temporary export under a fresh name: nothing should hold it, and it never needs to
// outlive a crash.
void writeExport(const QUrl& url, const QByteArray& bytes) {
    if (!writeNewFile(url, bytes, Sync::later)) {
        throw PlatformError(QCoreApplication::translate("vellum::VellumViewModel",
                                                        "Could not write “%1”: it exists already.")
                                .arg(url.toLocalFile()));
    }
}

QString floppyNameOrFallback(const QString& listedName) {
    const QString name = floppyNameFromImage(listedName);
    return name.isEmpty() ? QStringLiteral("file") : name;
}

// Every file of an image as temporary files carrying the names the image lists, so the
// floppy gets the same names (and, for a disk image, the same file types).
QList<FloppyCopyItem> exportImageFiles(const QUrl& image, TemporaryFiles& temporary) {
    QList<FloppyCopyItem> items;
    if (isTapeImageFile(image)) {
        for (const ParsedFile& file : T64Converter::parsedFiles(image)) {
            const QUrl target = temporary.make(QStringLiteral("prg"));
            writeExport(target, file.contents());
            items.append({target, floppyNameOrFallback(file.name)});
        }
        return items;
    }
    const QByteArray bytes = readWholeFile(image);
    const QString imageName = image.fileName();
    const DiskDirectory listing = D64Extractor::readDirectory(bytes);
    for (qsizetype index = 0; index < listing.entries.size(); ++index) {
        ParsedFile file;
        try {
            file = D64Extractor::parsedFile(bytes, imageName, index);
        } catch (const OpenCBMError&) {
            continue; // no load address: nothing a copy could carry
        }
        const QUrl target = temporary.make(fileExtension(listing.entries.at(index).type));
        writeExport(target, file.contents());
        items.append({target, floppyNameOrFallback(file.name)});
    }
    if (items.isEmpty()) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("vellum::VellumViewModel", "No files found in %1.")
                .arg(imageName));
    }
    return items;
}

} // namespace

QCoro::Task<> VellumViewModel::chooseFilesForFloppy() {
    if (isBusy()) {
        co_return;
    }
    FilePanelRequest request;
    request.title = tr("Copy Files to Floppy");
    request.message =
        tr("Copy these files to the floppy in drive %1.").arg(m_drives.deviceNumber());
    request.directory = m_computer.computerFolder();
    request.allowsMultiple = true;
    const QList<QUrl> urls = m_desktop.chooseOpenFiles(request);
    if (!urls.isEmpty()) {
        co_await intakeFilesForFloppy(urls);
    }
}

QCoro::Task<> VellumViewModel::intakeFilesForFloppy(QList<QUrl> urls) {
    if (isBusy()) {
        co_return;
    }
    QList<QUrl> kept;
    bool anyImage = false;
    for (const QUrl& url : urls) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists() || info.isDir()) {
            continue;
        }
        kept.append(url);
        anyImage = anyImage || isImageFile(url);
    }
    if (anyImage) {
        m_confirmations.setPendingCopyURLs(kept);
        m_confirmations.setShowsImageCopyChoice(true);
        co_return;
    }
    m_confirmations.setPendingCopyURLs({});
    co_await copyFilesToFloppy(kept, false);
}

QCoro::Task<> VellumViewModel::copySelectedToFloppy() {
    if (isBusy()) {
        co_return;
    }
    const QList<ComputerFileItem> selected = m_computer.selectedLocalFiles();
    QList<ComputerFileItem> entries;
    for (const ComputerFileItem& item : selected) {
        if (item.imageIndex) {
            entries.append(item);
        }
    }
    if (entries.isEmpty() || !m_computer.isBrowsingImage()) {
        QList<QUrl> urls;
        for (const ComputerFileItem& item : selected) {
            urls.append(item.url);
        }
        co_await intakeFilesForFloppy(urls);
        co_return;
    }
    TemporaryFiles temporary;
    QList<FloppyCopyItem> items;
    try {
        for (const ComputerFileItem& entry : entries) {
            // The entry's identity ends in the extension of its type, which keeps a SEQ
            // file a SEQ file on the floppy.
            const QUrl exported = exportImageEntry(entry, QFileInfo(entry.url.path()).suffix());
            temporary.adopt(exported);
            items.append({exported, floppyNameOrFallback(entry.name)});
        }
    } catch (const std::exception& error) {
        reportError(error);
        co_return;
    }
    co_await copyItemsToFloppy(items);
}

QCoro::Task<> VellumViewModel::copyPendingAsFiles() {
    const QList<QUrl> urls = m_confirmations.pendingCopyURLs();
    m_confirmations.setPendingCopyURLs({});
    m_confirmations.setShowsImageCopyChoice(false);
    co_await copyFilesToFloppy(urls, false);
}

QCoro::Task<> VellumViewModel::writePendingImages() {
    const QList<QUrl> urls = m_confirmations.pendingCopyURLs();
    m_confirmations.setPendingCopyURLs({});
    m_confirmations.setShowsImageCopyChoice(false);
    co_await copyFilesToFloppy(urls, true);
}

QCoro::Task<> VellumViewModel::copyFilesToFloppy(QList<QUrl> urls, bool writeImages) {
    if (isBusy()) {
        co_return;
    }
    const CopyRequestSplit split = splitCopyRequest(urls);
    if (split.images.isEmpty() && split.plainFiles.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }

    QList<FloppyCopyItem> plainItems;
    for (const QUrl& url : split.plainFiles) {
        plainItems.append({url, cbmFileName(url)});
    }

    if (split.images.isEmpty() || !writeImages) {
        TemporaryFiles temporary;
        QList<FloppyCopyItem> items = plainItems;
        try {
            for (const QUrl& image : split.images) {
                items += exportImageFiles(image, temporary);
            }
        } catch (const std::exception& error) {
            reportError(error);
            postCompletionNotice(m_status.lastError().value_or(writeFailedText()));
            co_return;
        }
        co_await copyItemsToFloppy(items);
        co_return;
    }

    const auto body = [this, split, plainItems](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        m_floppy.setKnownDirectoryBlocks({});
        TemporaryFiles temporary;
        for (const QUrl& image : split.images) {
            m_status.throwIfStopped(number);
            QUrl source = image;
            if (isTapeImageFile(image)) {
                source = temporary.make(QStringLiteral("d64"));
                T64Converter::convert(image, source);
            }
            m_status.setStatusHeadline(tr("Writing %1 to floppy…").arg(image.fileName()));
            const QString model = m_drives.driveModel();
            co_await m_service->writeDiskImage(source, m_drives.deviceNumber(), model,
                                               progressSink());
        }
        if (!plainItems.isEmpty()) {
            co_await runFloppyCopyLoop(plainItems, number);
        }
        m_status.setProgress(1);
        const QString done = split.images.size() == 1
                                 ? tr("Wrote %1 to disk.").arg(split.images.first().fileName())
                                 : tr("Wrote %1 disk images to floppy.").arg(split.images.size());
        m_status.setStatusHeadline(done);
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
        co_await reloadDirectoryQuietly();
        postCompletionNotice(done);
    };
    co_await runOperation(OperationKind::copyingFiles, tr("Writing disk image to floppy…"), body,
                          OperationOptions::withNotice(writeFailedText(), true));
}

QCoro::Task<> VellumViewModel::copyItemsToFloppy(QList<FloppyCopyItem> items) {
    if (isBusy()) {
        co_return;
    }
    if (items.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }
    if (!m_floppy.directory().blocksFree) {
        co_await reloadDirectoryQuietly();
        // Another operation may have begun while the directory was read.
        if (isBusy()) {
            co_return;
        }
    }
    qint64 needed = 0;
    for (const FloppyCopyItem& item : items) {
        needed += blocksForFile(item.source);
    }
    const std::optional<qint64> blocksFree = m_floppy.directory().blocksFree;
    std::optional<OpenCBMError> spaceProblem;
    if (!blocksFree) {
        spaceProblem = OpenCBMError::directoryRequired();
    } else if (*blocksFree < needed) {
        spaceProblem = OpenCBMError::diskFull(needed, *blocksFree);
    }
    if (spaceProblem) {
        reportError(*spaceProblem);
        postCompletionNotice(m_status.lastError().value_or(writeFailedText()));
        co_return;
    }

    const auto body = [this, items](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        co_await runFloppyCopyLoop(items, number);
        m_status.setProgress(1);
        m_status.setStatusHeadline(copiedText(items.size(), items.first().cbmName));
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
        try {
            co_await m_service->initializeDrive(m_drives.deviceNumber());
        } catch (const std::exception&) {
            // The files are written; the re-read below shows what the drive holds.
        }
        co_await reloadDirectoryQuietly();
    };
    co_await runOperation(OperationKind::copyingFiles,
                          copyingText(items.size(), items.first().cbmName), body,
                          OperationOptions::withNotice(writeFailedText(), true));
}

QCoro::Task<> VellumViewModel::runFloppyCopyLoop(QList<FloppyCopyItem> items, qint64 number) {
    const qsizetype count = items.size();
    for (qsizetype i = 0; i < count; ++i) {
        m_status.throwIfStopped(number);
        const FloppyCopyItem& item = items.at(i);
        m_status.setStatusHeadline(copyingItemText(i, count, item.cbmName));
        co_await m_service->writeFile(m_drives.deviceNumber(), m_drives.driveModel(), item.source,
                                      item.cbmName, fileProgressSink(i, count));
        m_floppy.rememberBlocks(item.cbmName, blocksForFile(item.source));
        m_status.setProgress(double(i + 1) / double(count));
    }
}

} // namespace vellum
