#include "session/VellumViewModel.h"

#include "images/ComputerFileNames.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/EventLoop.h"
#include "session/FloppyNameRules.h"
#include "session/SessionTexts.h"
#include "session/TemporaryFiles.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace vellum {

namespace {

DiskDirectory readImageDirectory(const QUrl& url) {
    const QString extension = QFileInfo(url.path()).suffix().toLower();
    if (diskImageFormatForExtension(extension)) {
        return D64Extractor::readDirectory(url);
    }
    if (extension == QLatin1String("t64")) {
        return T64Converter::readDirectory(url);
    }
    throw OpenCBMError::parseError(
        QCoreApplication::translate("vellum::VellumViewModel", "Open a .d64 or .t64 image."));
}

} // namespace

// ---- Opening ----

void VellumViewModel::openImage(const QUrl& url) {
    try {
        const DiskDirectory listing = readImageDirectory(url);
        m_computer.showListing(url, listing.diskName, listing.blocksFree,
                               imageEntryItems(url, listing));
        m_computer.pruneSelectionToVisible();
        const QList<ComputerFileItem>& items = m_computer.computerItems();
        if (m_computer.selectedLocalURLs().isEmpty()) {
            m_computer.select(items.isEmpty() ? std::nullopt : std::optional(items.first().url));
        }
        if (listing.entries.isEmpty()) {
            m_status.setStatusHeadline(tr("%1 has no files.").arg(url.fileName()));
        } else {
            const QString name = listing.diskName.isEmpty() ? url.fileName() : listing.diskName;
            m_status.setStatusHeadline(tr("Opened %1.").arg(texts::quoted(name)));
        }
        m_status.setLastError(std::nullopt);
    } catch (const std::exception& error) {
        // Entries of an image that can no longer be read must not stay listed as if they
        // were files of the folder.
        if (m_computer.isBrowsingImage()) {
            m_computer.showFolderListing(listLocalFolder(m_computer.computerFolder()));
            m_computer.pruneSelectionToVisible();
        }
        reportError(error);
    }
}

// ---- Deleting from a D64 ----

void VellumViewModel::deleteSelectionFromImage() {
    if (!m_computer.isBrowsingD64()) {
        return;
    }
    const QUrl image = *m_computer.browsingImage();
    const QString imageName = image.fileName();
    QList<qint64> indexes;
    QString firstName;
    for (const ComputerFileItem& item : m_computer.selectedLocalItems()) {
        if (!item.imageIndex || indexes.contains(*item.imageIndex)) {
            continue;
        }
        if (indexes.isEmpty()) {
            firstName = item.name;
        }
        indexes.append(*item.imageIndex);
    }
    if (indexes.isEmpty()) {
        return;
    }
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    const qsizetype count = indexes.size();
    const QString headline =
        count == 1 ? tr("Deleting %1 from %2…").arg(texts::quoted(firstName), imageName)
                   : tr("Deleting %1 files from %2…").arg(QString::number(count), imageName);
    // Nothing in it waits, so the operation has ended when the call returns.
    const auto body = [this, image, imageName, indexes, count, firstName](qint64) -> QCoro::Task<> {
        D64Builder builder = D64Builder::open(readDiskImage(image));
        for (qint64 index : indexes) {
            builder.deleteFile(index);
        }
        builder.writeBAM();
        writeFileAtomically(image, builder.data());
        openImage(image);
        m_computer.select(std::nullopt);
        m_status.setStatusHeadline(
            count == 1 ? tr("Deleted %1 from %2.").arg(texts::quoted(firstName), imageName)
                       : tr("Deleted %1 files from %2.").arg(QString::number(count), imageName));
        m_status.setLastError(std::nullopt);
        co_return;
    };
    [[maybe_unused]] QCoro::Task<> done = runOperation(OperationKind::deleting, headline, body);
}

// ---- Extracting ----

QUrl VellumViewModel::exportImageEntry(const ComputerFileItem& item,
                                       const QString& extension) const {
    const std::optional<QUrl> image = m_computer.browsingImage();
    if (!image || !item.imageIndex) {
        throw OpenCBMError::parseError(tr("Open a .d64, .d71, .d81 or .t64 image."));
    }
    const qint64 index = *item.imageIndex;
    ParsedFile file;
    if (isTapeImageFile(*image)) {
        const QList<ParsedFile> files = T64Converter::parsedFiles(*image);
        if (index < 0 || index >= files.size()) {
            throw OpenCBMError::parseError(tr("That file is not in %1.").arg(image->fileName()));
        }
        file = files.at(index);
    } else {
        file = D64Extractor::parsedFile(*image, index);
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

void VellumViewModel::extractImageEntry(const ComputerFileItem& item) {
    TemporaryFiles temporary;
    try {
        const QUrl exported = exportImageEntry(item);
        temporary.adopt(exported);
        const QUrl target =
            uniqueLocalURL(m_computer.computerFolder(), safeLocalBaseName(item.name),
                           QFileInfo(exported.path()).suffix());
        QFile source(exported.toLocalFile());
        if (!source.copy(target.toLocalFile())) {
            throw PlatformError(source.errorString());
        }
        m_status.setStatusHeadline(tr("Extracted %1.").arg(target.fileName()));
        m_status.setLastError(std::nullopt);
    } catch (const std::exception& error) {
        reportError(error);
    }
}

// ---- Converting tapes ----

void VellumViewModel::showMadeImages(const QList<QUrl>& made) {
    m_computer.setFilterD64(true);
    refreshLocalItems();
    if (made.isEmpty()) {
        return;
    }
    m_computer.setSelection({QSet<QUrl>(made.begin(), made.end()), made.last()});
    // Images made in a folder no longer shown are not selected here.
    m_computer.pruneSelectionToVisible();
}

QCoro::Task<> VellumViewModel::convertSelectedT64() {
    QList<QUrl> tapes;
    for (const ComputerFileItem& item : m_computer.selectedT64Items()) {
        tapes.append(item.url);
    }
    if (isBusy()) {
        co_return;
    }
    if (tapes.isEmpty()) {
        reportError(OpenCBMError::parseError(tr("Select a .t64 tape image to convert.")));
        co_return;
    }
    const qsizetype count = tapes.size();
    const QString firstName = tapes.first().fileName();
    // The images go into the folder shown now, even when the user browses on meanwhile.
    const QUrl folder = m_computer.computerFolder();
    auto made = std::make_shared<QList<QUrl>>();
    OperationOptions options;
    options.afterFailure = [this, made, count](const std::exception& error) {
        if (!made->isEmpty() && !isCancellation(error)) {
            m_status.setStatusHeadline(
                tr("Converted %1 of %2; stopped on error.").arg(made->size()).arg(count));
        }
    };
    const auto body = [this, tapes, count, firstName, folder,
                       made](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        try {
            for (qsizetype i = 0; i < count; ++i) {
                co_await NextEventLoopTurn(this);
                m_status.throwIfStopped(number);
                const QUrl& tape = tapes.at(i);
                const QString tapeName = tape.fileName();
                m_status.setProgress(double(i) / double(count));
                m_status.setStatusHeadline(count == 1 ? tr("Converting %1 to .d64…").arg(tapeName)
                                                      : tr("Converting %1 of %2: %3…")
                                                            .arg(QString::number(i + 1),
                                                                 QString::number(count), tapeName));
                const QUrl target = uniqueLocalURL(folder, QFileInfo(tapeName).completeBaseName(),
                                                   QStringLiteral("d64"));
                T64Converter::convert(tape, target);
                made->append(target);
            }
        } catch (...) {
            showMadeImages(*made);
            throw;
        }
        m_status.setProgress(1);
        showMadeImages(*made);
        m_status.setLastError(std::nullopt);
        m_status.setStatusHeadline(
            count == 1 ? tr("Converted %1 → %2.").arg(firstName, made->first().fileName())
                       : tr("Converted %1 tape images to .d64.").arg(count));
    };
    const QString headline = count == 1 ? tr("Converting %1 to .d64…").arg(firstName)
                                        : tr("Converting %1 tape images to .d64…").arg(count);
    co_await runOperation(OperationKind::converting, headline, body, options);
}

// ---- New disk image ----

void VellumViewModel::showNewDiskSheet() {
    if (isBusy()) {
        return;
    }
    m_sheets.setNewDiskName(QStringLiteral("VELLUM"));
    m_sheets.setNewDiskID(QStringLiteral("01"));
    m_sheets.setNewDiskFieldError(std::nullopt);
    m_sheets.setShowsNewDiskSheet(true);
}

void VellumViewModel::createNewDiskImage() {
    const QString name = m_sheets.newDiskName().trimmed();
    const QString id = m_sheets.newDiskID().trimmed();
    if (const std::optional<QString> problem = validateDiskFields(name, id)) {
        m_sheets.setNewDiskFieldError(problem);
        return;
    }
    m_sheets.setNewDiskFieldError(std::nullopt);
    m_sheets.setShowsNewDiskSheet(false);
    try {
        const DiskImageFormat format = m_sheets.newDiskFormat();
        const QByteArray bytes = D64Builder::create(name, id, format).data();
        // Created under a name nothing holds at the moment of writing, never over a file
        // that appeared since the name was chosen.
        const QUrl target = QUrl::fromLocalFile(
            writeUnderFreeName(m_computer.computerFolder().toLocalFile(), safeLocalBaseName(name),
                               fileExtension(format), bytes));
        closeImage();
        m_computer.select(target);
        m_status.setStatusHeadline(tr("Created %1.").arg(target.fileName()));
        m_status.setLastError(std::nullopt);
    } catch (const std::exception& error) {
        reportError(error);
    }
}

} // namespace vellum
