#include "session/VellumViewModel.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/DesktopServices.h"
#include "session/LocalListing.h"
#include "session/LocalNames.h"
#include "session/OperationSlotGuard.h"
#include "session/PaneTexts.h"
#include "session/TemporaryFiles.h"

#include <QFile>
#include <QFileInfo>

namespace vellum {

namespace {

const QString writeFailedText = QStringLiteral("Writing the disk image failed.");

void writeNewFile(const QUrl& url, const QByteArray& bytes) {
    QFile file(url.toLocalFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw PlatformError(file.errorString());
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
            writeNewFile(target, file.contents());
            items.append({target, floppyNameOrFallback(file.name)});
        }
        return items;
    }
    const QByteArray bytes = readWholeFile(image);
    const QString imageName = lastPathComponent(image);
    const DiskDirectory listing = D64Extractor::readDirectory(bytes);
    for (qsizetype index = 0; index < listing.entries.size(); ++index) {
        ParsedFile file;
        try {
            file = D64Extractor::parsedFile(bytes, imageName, index);
        } catch (const OpenCBMError&) {
            continue; // no load address: nothing a copy could carry
        }
        const QUrl target = temporary.make(fileExtension(listing.entries.at(index).type));
        writeNewFile(target, file.contents());
        items.append({target, floppyNameOrFallback(file.name)});
    }
    if (items.isEmpty())
        throw OpenCBMError::parseError(QStringLiteral("No files found in ") + imageName +
                                       QLatin1Char('.'));
    return items;
}

QString readingText(qsizetype index, qsizetype count, const QString& name) {
    if (count == 1)
        return QStringLiteral("Reading “") + name + QStringLiteral("” from floppy…");
    return QStringLiteral("Reading %1 of %2: “").arg(index + 1).arg(count) + name +
           QStringLiteral("” from floppy…");
}

} // namespace

// ---- Computer to floppy ----

QCoro::Task<> VellumViewModel::chooseFilesForFloppy() {
    if (m_operation != OperationKind::idle)
        co_return;
    FilePanelRequest request;
    request.title = QStringLiteral("Copy Files to Floppy");
    request.message =
        QStringLiteral("Copy these files to the floppy in drive %1.").arg(m_deviceNumber);
    request.directory = m_localFolder;
    request.allowsMultiple = true;
    const QList<QUrl> urls = m_desktop.chooseOpenFiles(request);
    if (!urls.isEmpty())
        co_await intakeFilesForFloppy(urls);
}

QCoro::Task<> VellumViewModel::intakeFilesForFloppy(QList<QUrl> urls) {
    if (m_operation != OperationKind::idle)
        co_return;
    QList<QUrl> kept;
    bool anyImage = false;
    for (const QUrl& url : urls) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists() || info.isDir())
            continue;
        kept.append(url);
        anyImage = anyImage || isImageFile(url);
    }
    setPendingCopyURLs(kept);
    if (anyImage) {
        setShowsImageCopyChoice(true);
        co_return;
    }
    setPendingCopyURLs({});
    co_await copyFilesToFloppy(kept, false);
}

QCoro::Task<> VellumViewModel::copySelectedToFloppy() {
    if (m_operation != OperationKind::idle)
        co_return;
    QList<LocalFileItem> entries;
    for (const LocalFileItem& item : selectedLocalFiles()) {
        if (item.imageIndex)
            entries.append(item);
    }
    if (entries.isEmpty() || !m_browsingImage) {
        QList<QUrl> urls;
        for (const LocalFileItem& item : selectedLocalFiles())
            urls.append(item.url);
        co_await intakeFilesForFloppy(urls);
        co_return;
    }
    TemporaryFiles temporary;
    QList<FloppyCopyItem> items;
    try {
        for (const LocalFileItem& entry : entries) {
            // The entry's identity ends in the extension of its type, which keeps a SEQ
            // file a SEQ file on the floppy.
            const QUrl exported = exportImageEntryAs(entry, pathExtension(entry.url));
            temporary.adopt(exported);
            items.append({exported, floppyNameOrFallback(entry.name)});
        }
    } catch (const std::exception& error) {
        reportError(error);
        co_return;
    }
    co_await copyItemsToFloppy(items);
}

QString VellumViewModel::imageCopyChoiceMessage() const {
    return vellum::imageCopyChoiceMessage(m_pendingCopyURLs, m_deviceNumber);
}

QCoro::Task<> VellumViewModel::copyPendingAsFiles() {
    const QList<QUrl> urls = m_pendingCopyURLs;
    setPendingCopyURLs({});
    setShowsImageCopyChoice(false);
    co_await copyFilesToFloppy(urls, false);
}

QCoro::Task<> VellumViewModel::writePendingImages() {
    const QList<QUrl> urls = m_pendingCopyURLs;
    setPendingCopyURLs({});
    setShowsImageCopyChoice(false);
    co_await copyFilesToFloppy(urls, true);
}

QCoro::Task<> VellumViewModel::copyFilesToFloppy(QList<QUrl> urls, bool writeImages) {
    if (m_operation != OperationKind::idle)
        co_return;
    const CopyRequestSplit split = splitCopyRequest(urls);
    if (split.images.isEmpty() && split.plainFiles.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }

    QList<FloppyCopyItem> plainItems;
    for (const QUrl& url : split.plainFiles)
        plainItems.append({url, cbmFileName(url)});

    TemporaryFiles temporary;
    if (split.images.isEmpty() || !writeImages) {
        QList<FloppyCopyItem> items = plainItems;
        try {
            for (const QUrl& image : split.images)
                items += exportImageFiles(image, temporary);
        } catch (const std::exception& error) {
            reportError(error);
            postCompletionNotice(m_lastError.value_or(writeFailedText));
            co_return;
        }
        co_await copyItemsToFloppy(items);
        co_return;
    }

    const qint64 number = beginOperation(OperationKind::copyingFiles,
                                         QStringLiteral("Writing disk image to floppy…"));
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    setKnownDirectoryBlocks({});
    try {
        for (const QUrl& image : split.images) {
            throwIfStopRequested();
            QUrl source = image;
            if (isTapeImageFile(image)) {
                source = temporary.make(QStringLiteral("d64"));
                T64Converter::convert(image, source);
            }
            setStatusHeadline(QStringLiteral("Writing ") + lastPathComponent(image) +
                              QStringLiteral(" to floppy…"));
            co_await m_service->writeDiskImage(source, m_deviceNumber, progressSink());
        }
        if (!plainItems.isEmpty())
            co_await runFloppyCopyLoop(plainItems);
        setProgress(1);
        const QString done =
            split.images.size() == 1
                ? QStringLiteral("Wrote ") + lastPathComponent(split.images.first()) +
                      QStringLiteral(" to disk.")
                : QStringLiteral("Wrote %1 disk images to floppy.").arg(split.images.size());
        setStatusHeadline(done);
        setLastError(std::nullopt);
        confirmAdapter();
        co_await reloadDirectoryQuietly();
        postCompletionNotice(done);
    } catch (...) {
        slot.release();
        reportFailureWithNotice(std::current_exception(), number, writeFailedText);
    }
}

QCoro::Task<> VellumViewModel::copyItemsToFloppy(QList<FloppyCopyItem> items) {
    if (m_operation != OperationKind::idle)
        co_return;
    if (items.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }
    if (!m_directory.blocksFree) {
        co_await reloadDirectoryQuietly();
        // Another operation may have begun while the directory was read.
        if (m_operation != OperationKind::idle)
            co_return;
    }
    qint64 needed = 0;
    for (const FloppyCopyItem& item : items)
        needed += blocksForFile(item.source);
    std::optional<OpenCBMError> spaceProblem;
    if (!m_directory.blocksFree)
        spaceProblem = OpenCBMError::directoryRequired();
    else if (*m_directory.blocksFree < needed)
        spaceProblem = OpenCBMError::diskFull(needed, *m_directory.blocksFree);
    if (spaceProblem) {
        reportError(*spaceProblem);
        postCompletionNotice(m_lastError.value_or(writeFailedText));
        co_return;
    }

    const QString headline = copyingText(items.size(), items.first().cbmName);
    setStatusHeadline(headline);
    const qint64 number = beginOperation(OperationKind::copyingFiles, headline);
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    try {
        co_await runFloppyCopyLoop(items);
        setProgress(1);
        setStatusHeadline(copiedText(items.size(), items.first().cbmName));
        setLastError(std::nullopt);
        confirmAdapter();
        try {
            co_await m_service->initializeDrive(m_deviceNumber);
        } catch (const std::exception&) {
            // The files are written; the re-read below shows what the drive holds.
        }
        co_await reloadDirectoryQuietly();
    } catch (...) {
        slot.release();
        reportFailureWithNotice(std::current_exception(), number, writeFailedText);
    }
}

QCoro::Task<> VellumViewModel::runFloppyCopyLoop(QList<FloppyCopyItem> items) {
    const qsizetype count = items.size();
    for (qsizetype i = 0; i < count; ++i) {
        throwIfStopRequested();
        const FloppyCopyItem& item = items.at(i);
        setStatusHeadline(copyingItemText(i, count, item.cbmName));
        co_await m_service->writeFile(m_deviceNumber, m_driveModel, item.source, item.cbmName,
                                      fileProgressSink(i, count));
        KnownBlockCounts known = m_knownDirectoryBlocks;
        known.insert(trimmedWhitespace(item.cbmName).toUpper(), blocksForFile(item.source));
        setKnownDirectoryBlocks(known);
        setProgress(double(i + 1) / double(count));
    }
}

// ---- Floppy to computer ----

QCoro::Task<> VellumViewModel::copyFloppyEntries(QList<DirectoryEntry> entries) {
    entries.removeIf([](const DirectoryEntry& entry) { return entry.type == CBMFileType::del; });
    if (entries.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }
    if (isBrowsingD64()) {
        co_await copyFloppyEntriesToImage(entries, *m_browsingImage);
        co_return;
    }
    if (m_operation != OperationKind::idle)
        co_return;
    const qsizetype count = entries.size();
    const QString headline = copyingText(count, entries.first().name);
    setStatusHeadline(headline);
    const qint64 number = beginOperation(OperationKind::copyingFiles, headline);
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    try {
        for (qsizetype i = 0; i < count; ++i) {
            throwIfStopRequested();
            const DirectoryEntry& entry = entries.at(i);
            const QUrl target =
                uniqueLocalURL(safeLocalBaseName(entry.name), fileExtension(entry.type));
            setStatusHeadline(copyingItemText(i, count, entry.name));
            try {
                co_await m_service->readFile(m_deviceNumber, m_driveModel, entry.name, target,
                                             fileProgressSink(i, count));
            } catch (...) {
                // The name was free before the copy began, so whatever is there now is
                // the failed copy's remains.
                QFile::remove(target.toLocalFile());
                throw;
            }
            setProgress(double(i + 1) / double(count));
        }
        setProgress(1);
        refreshLocalItems();
        setStatusHeadline(copiedText(count, entries.first().name));
        setLastError(std::nullopt);
        confirmAdapter();
    } catch (...) {
        refreshLocalItems();
        reportFailure(std::current_exception(), number);
    }
}

QCoro::Task<> VellumViewModel::copyFloppyEntriesToImage(QList<DirectoryEntry> entries, QUrl image) {
    entries.removeIf([](const DirectoryEntry& entry) {
        return entry.type == CBMFileType::rel || entry.type == CBMFileType::del;
    });
    if (entries.isEmpty()) {
        reportError(OpenCBMError::parseError(
            QStringLiteral("REL files cannot be added to a D64 in this version.")));
        co_return;
    }
    if (m_operation != OperationKind::idle)
        co_return;
    const qsizetype count = entries.size();
    const qint64 number =
        beginOperation(OperationKind::copyingFiles,
                       addingText(count, entries.first().name, lastPathComponent(image)));
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    TemporaryFiles temporary;
    bool imageChanged = false;
    try {
        QList<QUrl> readFiles;
        for (qsizetype i = 0; i < count; ++i) {
            throwIfStopRequested();
            const DirectoryEntry& entry = entries.at(i);
            const QUrl target = temporary.make(fileExtension(entry.type));
            setStatusHeadline(readingText(i, count, entry.name));
            co_await m_service->readFile(m_deviceNumber, m_driveModel, entry.name, target,
                                         fileProgressSink(i, count));
            readFiles.append(target);
        }
        D64Builder builder = D64Builder::open(readWholeFile(image));
        QString lastStored;
        for (qsizetype i = 0; i < count; ++i) {
            const DirectoryEntry& entry = entries.at(i);
            lastStored = builder.addFile(entry.name, entry.type, readWholeFile(readFiles.at(i)));
            writeFileAtomically(image, builder.data());
            imageChanged = true;
        }
        setProgress(1);
        setLastError(std::nullopt);
        confirmAdapter();
        finishAddingToImage(image, count, lastStored);
    } catch (...) {
        if (imageChanged && m_browsingImage && *m_browsingImage == image)
            openImage(image);
        reportFailure(std::current_exception(), number);
    }
}

} // namespace vellum
