#include "session/VellumViewModel.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/LocalListing.h"
#include "session/LocalNames.h"
#include "session/OperationSlotGuard.h"
#include "session/TemporaryFiles.h"

#include <QCoroTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>

namespace vellum {

namespace {

DiskDirectory readImageDirectory(const QUrl& url) {
    const QString extension = pathExtension(url).toLower();
    if (extension == QLatin1String("d64"))
        return D64Extractor::readDirectory(url);
    if (extension == QLatin1String("t64"))
        return T64Converter::readDirectory(url);
    throw OpenCBMError::parseError(QStringLiteral("Open a .d64 or .t64 image."));
}

QUrl standardized(const QUrl& url) {
    return QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).absoluteFilePath());
}

// Lets Stop and the views run between files of a long loop that has no tool to wait for.
QCoro::Task<> yieldToEventLoop() {
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(0);
    co_await timer;
}

} // namespace

// ---- Opening ----

void VellumViewModel::openImage(const QUrl& url) {
    try {
        const DiskDirectory listing = readImageDirectory(url);
        setBrowsingImage(url);
        setImageDiskName(listing.diskName);
        setImageBlocksFree(listing.blocksFree);
        setLocalItems(imageEntryItems(url, listing));
        pruneLocalSelectionToVisible();
        if (m_selectedLocalURLs.isEmpty()) {
            selectLocal(m_localItems.isEmpty() ? std::nullopt
                                               : std::optional(m_localItems.first().url));
        }
        if (listing.entries.isEmpty()) {
            setStatusHeadline(lastPathComponent(url) + QStringLiteral(" has no files."));
        } else {
            const QString name =
                listing.diskName.isEmpty() ? lastPathComponent(url) : listing.diskName;
            setStatusHeadline(QStringLiteral("Opened “") + name + QStringLiteral("”."));
        }
        setLastError(std::nullopt);
    } catch (const std::exception& error) {
        const bool wasBrowsing = isBrowsingImage();
        leaveImageState();
        // Entries of an image that can no longer be read must not stay listed as if they
        // were files of the folder.
        if (wasBrowsing) {
            setLocalItems(listLocalFolder(m_localFolder));
            pruneLocalSelectionToVisible();
        }
        reportError(error);
    }
}

// ---- Deleting from a D64 ----

void VellumViewModel::deleteSelectionFromImage() {
    if (!isBrowsingD64() || m_operation != OperationKind::idle)
        return;
    const QUrl image = *m_browsingImage;
    const QString imageName = lastPathComponent(image);
    QList<qint64> indexes;
    QString firstName;
    for (const LocalFileItem& item : selectedLocalItems()) {
        if (!item.imageIndex || indexes.contains(*item.imageIndex))
            continue;
        if (indexes.isEmpty())
            firstName = item.name;
        indexes.append(*item.imageIndex);
    }
    if (indexes.isEmpty())
        return;
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    const qsizetype count = indexes.size();

    const qint64 number =
        beginOperation(OperationKind::deleting,
                       count == 1 ? QStringLiteral("Deleting “") + firstName +
                                        QStringLiteral("” from ") + imageName + QStringLiteral("…")
                                  : QStringLiteral("Deleting %1 files from ").arg(count) +
                                        imageName + QStringLiteral("…"));
    OperationSlotGuard slot(*this, number);
    try {
        D64Builder builder = D64Builder::open(readWholeFile(image));
        for (qint64 index : indexes)
            builder.deleteFile(index);
        builder.writeBAM();
        writeFileAtomically(image, builder.data());
    } catch (const std::exception& error) {
        reportError(error);
        return;
    }
    openImage(image);
    applyLocalSelection({});
    setStatusHeadline(count == 1 ? QStringLiteral("Deleted “") + firstName +
                                       QStringLiteral("” from ") + imageName + QLatin1Char('.')
                                 : QStringLiteral("Deleted %1 files from ").arg(count) + imageName +
                                       QLatin1Char('.'));
    setLastError(std::nullopt);
}

// ---- Extracting ----

QUrl VellumViewModel::exportImageEntryAs(const LocalFileItem& item,
                                         const QString& extension) const {
    if (!m_browsingImage || !item.imageIndex)
        throw OpenCBMError::parseError(QStringLiteral("Open a .d64 or .t64 image."));
    const QUrl image = *m_browsingImage;
    const qint64 index = *item.imageIndex;
    ParsedFile file;
    if (isTapeImageFile(image)) {
        const QList<ParsedFile> files = T64Converter::parsedFiles(image);
        if (index < 0 || index >= files.size())
            throw OpenCBMError::parseError(QStringLiteral("That file is not in ") +
                                           lastPathComponent(image) + QLatin1Char('.'));
        file = files.at(index);
    } else {
        file = D64Extractor::parsedFile(image, index);
    }
    const QUrl target = newTemporaryFileURL(extension);
    QFile out(target.toLocalFile());
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        out.write(file.contents()) != file.contents().size() || !out.flush()) {
        const QString problem = out.errorString();
        out.close();
        QFile::remove(target.toLocalFile());
        throw PlatformError(problem);
    }
    return target;
}

QUrl VellumViewModel::exportImageEntry(const LocalFileItem& item) const {
    return exportImageEntryAs(item, QStringLiteral("prg"));
}

void VellumViewModel::extractImageEntry(const LocalFileItem& item) {
    TemporaryFiles temporary;
    try {
        const QUrl exported = exportImageEntry(item);
        temporary.adopt(exported);
        const QUrl target = uniqueLocalURL(safeLocalBaseName(item.name), pathExtension(exported));
        QFile source(exported.toLocalFile());
        if (!source.copy(target.toLocalFile()))
            throw PlatformError(source.errorString());
        setStatusHeadline(QStringLiteral("Extracted ") + lastPathComponent(target) +
                          QLatin1Char('.'));
        setLastError(std::nullopt);
    } catch (const std::exception& error) {
        reportError(error);
    }
}

// ---- Converting tapes ----

QCoro::Task<> VellumViewModel::convertSelectedT64() {
    QList<QUrl> tapes;
    for (const LocalFileItem& item : selectedT64Items())
        tapes.append(item.url);
    if (m_operation != OperationKind::idle)
        co_return;
    if (tapes.isEmpty()) {
        reportError(
            OpenCBMError::parseError(QStringLiteral("Select a .t64 tape image to convert.")));
        co_return;
    }
    const qsizetype count = tapes.size();
    const QString firstName = lastPathComponent(tapes.first());
    const qint64 number = beginOperation(
        OperationKind::converting,
        count == 1 ? QStringLiteral("Converting ") + firstName + QStringLiteral(" to .d64…")
                   : QStringLiteral("Converting %1 tape images to .d64…").arg(count));
    OperationSlotGuard slot(*this, number);
    setProgress(0);

    QList<QUrl> made;
    auto showMade = [&] {
        setFilterD64(true);
        refreshLocalItems();
        if (!made.isEmpty())
            applyLocalSelection(LocalSelection{QSet<QUrl>(made.begin(), made.end()), made.last()});
    };
    try {
        for (qsizetype i = 0; i < count; ++i) {
            co_await yieldToEventLoop();
            throwIfStopRequested();
            const QUrl& tape = tapes.at(i);
            const QString tapeName = lastPathComponent(tape);
            setProgress(double(i) / double(count));
            setStatusHeadline(
                count == 1 ? QStringLiteral("Converting ") + tapeName + QStringLiteral(" to .d64…")
                           : QStringLiteral("Converting %1 of %2: ").arg(i + 1).arg(count) +
                                 tapeName + QStringLiteral("…"));
            const QUrl target =
                uniqueLocalURL(deletingPathExtension(tapeName), QStringLiteral("d64"));
            T64Converter::convert(tape, target);
            made.append(target);
        }
    } catch (const std::exception& error) {
        showMade();
        if (number != m_operationID || m_operation == OperationKind::idle)
            co_return;
        reportError(error);
        if (!made.isEmpty() && !isCancellation(error))
            setStatusHeadline(QStringLiteral("Converted %1 of %2; stopped on error.")
                                  .arg(made.size())
                                  .arg(count));
        co_return;
    }
    setProgress(1);
    showMade();
    setLastError(std::nullopt);
    setStatusHeadline(count == 1
                          ? QStringLiteral("Converted ") + firstName + QStringLiteral(" → ") +
                                lastPathComponent(made.first()) + QLatin1Char('.')
                          : QStringLiteral("Converted %1 tape images to .d64.").arg(count));
}

// ---- New disk image ----

void VellumViewModel::showNewDiskSheet() {
    if (m_operation != OperationKind::idle)
        return;
    setNewDiskName(QStringLiteral("VELLUM"));
    setNewDiskID(QStringLiteral("01"));
    setNewDiskFieldError(std::nullopt);
    setShowsNewDiskSheet(true);
}

void VellumViewModel::createNewDiskImage() {
    const QString name = trimmedWhitespace(m_newDiskName);
    const QString id = trimmedWhitespace(m_newDiskID);
    if (const std::optional<QString> problem = validateDiskFields(name, id)) {
        setNewDiskFieldError(problem);
        return;
    }
    setNewDiskFieldError(std::nullopt);
    setShowsNewDiskSheet(false);
    try {
        const QByteArray bytes = D64Builder::create(name, id).data();
        const QUrl target = uniqueLocalURL(safeLocalBaseName(name), QStringLiteral("d64"));
        writeFileAtomically(target, bytes);
        closeImage();
        selectLocal(target);
        setStatusHeadline(QStringLiteral("Created ") + lastPathComponent(target) +
                          QLatin1Char('.'));
        setLastError(std::nullopt);
    } catch (const std::exception& error) {
        reportError(error);
    }
}

// ---- Adding computer files to a D64 ----

void VellumViewModel::finishAddingToImage(const QUrl& image, qsizetype count,
                                          const QString& lastName) {
    if (m_browsingImage && standardized(*m_browsingImage) == standardized(image)) {
        openImage(*m_browsingImage);
        for (const LocalFileItem& item : m_localItems) {
            if (item.name.compare(lastName, Qt::CaseInsensitive) == 0) {
                selectLocal(item.url);
                break;
            }
        }
    } else {
        refreshLocalItems();
    }
    setStatusHeadline(addedText(count, lastName, lastPathComponent(image)));
}

QCoro::Task<> VellumViewModel::addFilesToImage(QList<QUrl> urls, QUrl image) {
    if (m_operation != OperationKind::idle)
        co_return;
    QList<AddableFile> files;
    try {
        for (const QUrl& url : urls)
            files += T64Converter::loadFiles(url);
    } catch (const std::exception& error) {
        reportError(error);
        co_return;
    }
    if (files.isEmpty()) {
        reportError(OpenCBMError::parseError(
            QStringLiteral("Drop PRG, SEQ, USR, P00 or T64 files onto a D64 to add them.")));
        co_return;
    }
    const QString imageName = lastPathComponent(image);
    const qsizetype count = files.size();
    const qint64 number = beginOperation(OperationKind::copyingFiles,
                                         addingText(count, files.first().name, imageName));
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    QString lastStored;
    try {
        D64Builder builder = D64Builder::open(readWholeFile(image));
        for (qsizetype i = 0; i < count; ++i) {
            const AddableFile& file = files.at(i);
            lastStored = builder.addFile(file.name, file.type, file.contents);
            writeFileAtomically(image, builder.data());
            setProgress(double(i + 1) / double(count));
        }
    } catch (const std::exception& error) {
        // What was added before the failure is in the image; show it.
        if (m_browsingImage && standardized(*m_browsingImage) == standardized(image))
            openImage(*m_browsingImage);
        reportError(error);
        co_return;
    }
    setProgress(1);
    setLastError(std::nullopt);
    finishAddingToImage(image, count, lastStored);
}

} // namespace vellum
