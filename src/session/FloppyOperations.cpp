#include "session/VellumViewModel.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/DesktopServices.h"
#include "session/OperationSlotGuard.h"
#include "session/SessionTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <filesystem>
#include <system_error>

namespace vellum {

namespace {

QString deviceText(qint64 device) {
    return QString::number(device);
}

QString blockKey(const QString& name) {
    return trimmedWhitespace(name).toUpper();
}

// Name and ID rules count characters, so a character outside the BMP counts once.
qsizetype characterCount(const QString& text) {
    return text.toUcs4().size();
}

QString firstCharacters(const QString& text, qsizetype count) {
    const QList<uint> codePoints = text.toUcs4();
    QString first;
    for (qsizetype i = 0; i < codePoints.size() && i < count; ++i) {
        const char32_t codePoint = codePoints.at(i);
        first += QString::fromUcs4(&codePoint, 1);
    }
    return first;
}

bool hasExtension(const QUrl& url, const QString& extension) {
    return pathExtension(url).toLower() == extension;
}

// A hidden sibling of `destination`, so that the finished image can replace it in one step.
QString siblingTemporaryPath(const QString& destination) {
    const QFileInfo info(destination);
    return info.absoluteDir().filePath(QStringLiteral(".vellum-") +
                                       QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                       QStringLiteral(".d64"));
}

void replaceAtomically(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    if (error) {
        QFile::remove(from);
        throw PlatformError(QStringLiteral("The image could not be saved as ") +
                            texts::quoted(lastPathComponent(to)) + QStringLiteral(": ") +
                            QString::fromStdString(error.message()) + ".");
    }
}

} // namespace

// ---- Directory ----

QCoro::Task<> VellumViewModel::readDirectory() {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    const qint64 number = beginOperation(OperationKind::readingDirectory,
                                         QStringLiteral("Reading directory from drive ") +
                                             deviceText(m_deviceNumber) + "…");
    OperationSlotGuard slot(*this, number);
    try {
        const DiskDirectory listing = co_await m_service->listDirectory(m_deviceNumber);
        applyDirectory(listing);
        selectFirstFloppyEntryIfNoneSelected();
        if (listing.diskName.isEmpty() && listing.entries.isEmpty() && !listing.blocksFree) {
            setStatusHeadline(QStringLiteral("The drive returned an empty directory."));
        } else {
            const QString name =
                listing.diskName.isEmpty() ? QStringLiteral("floppy") : listing.diskName;
            setStatusHeadline(QStringLiteral("Directory of ") + texts::quoted(name) +
                              QStringLiteral(" loaded."));
        }
        setLastError(std::nullopt);
        if (!m_driveReady) {
            setDriveReady(true);
            setDriveTitle(QStringLiteral("Drive ") + deviceText(m_deviceNumber) +
                          QStringLiteral(" — Ready"));
            setDriveDetail(texts::deviceRespondingNormally());
        }
        confirmAdapter();
    } catch (...) {
        reportFailure(std::current_exception(), number);
    }
}

// ---- Saving the floppy as a .d64 ----

QCoro::Task<> VellumViewModel::saveFloppyAsD64() {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    QString proposed = trimmedWhitespace(m_directory.diskName.isEmpty() ? QStringLiteral("disk")
                                                                        : m_directory.diskName);
    proposed.replace(QLatin1Char('/'), QLatin1Char('-'))
        .replace(QLatin1Char(':'), QLatin1Char('-'));
    FilePanelRequest request;
    request.title = QStringLiteral("Save D64 Image");
    request.message = QStringLiteral("Read the floppy in drive ") + deviceText(m_deviceNumber) +
                      QStringLiteral(" into a .d64 image.");
    request.directory = m_localFolder;
    request.proposedName = proposed + QStringLiteral(".d64");
    request.allowedExtensions = {QStringLiteral("d64")};
    const std::optional<QUrl> chosen = m_desktop.chooseSaveFile(request);
    if (!chosen || !chosen->isLocalFile() || m_operation != OperationKind::idle) {
        co_return;
    }

    const QString destination = chosen->toLocalFile();
    const QString fileName = lastPathComponent(*chosen);
    const qint64 number = beginOperation(OperationKind::readingD64,
                                         QStringLiteral("Reading floppy to ") + fileName + "…");
    OperationSlotGuard slot(*this, number);
    setProgress(0);

    // The tool writes into a fresh file next to the destination; only a complete image
    // replaces what the user chose, so a failed read never damages an existing file.
    const QString temporary = siblingTemporaryPath(destination);
    std::exception_ptr failure;
    try {
        co_await m_service->readDiskImage(m_deviceNumber, QUrl::fromLocalFile(temporary),
                                          progressSink());
        replaceAtomically(temporary, destination);
        setProgress(1);
        const QString headline = QStringLiteral("Saved ") + fileName + ".";
        setStatusHeadline(headline);
        setLastError(std::nullopt);
        confirmAdapter();
        postCompletionNotice(headline);
    } catch (...) {
        failure = std::current_exception();
    }
    QFile::remove(temporary);
    if (failure) {
        reportFailureWithNotice(failure, number, QStringLiteral("Saving the .d64 failed."));
    }
}

// ---- Writing a .d64 to the floppy ----

void VellumViewModel::chooseD64ToWrite() {
    if (m_operation != OperationKind::idle) {
        return;
    }
    FilePanelRequest request;
    request.title = QStringLiteral("Write D64 Image");
    request.message = QStringLiteral("Write this .d64 image to the floppy in drive ") +
                      deviceText(m_deviceNumber) + ".";
    request.directory = m_localFolder;
    request.allowedExtensions = {QStringLiteral("d64")};
    request.allowsMultiple = false;
    const QList<QUrl> chosen = m_desktop.chooseOpenFiles(request);
    if (chosen.isEmpty()) {
        return;
    }
    setPendingCopyURLs({});
    setPendingWriteURL(chosen.first());
    setShowsWriteConfirmation(true);
}

QString VellumViewModel::writeConfirmationMessage() const {
    const QString device = deviceText(m_deviceNumber);
    const auto singleImage = [&](const QUrl& url) {
        return QStringLiteral("Writing ") + texts::quoted(lastPathComponent(url)) +
               QStringLiteral(" will erase all data on the floppy in drive ") + device + ".";
    };
    if (m_pendingWriteURL) {
        return singleImage(*m_pendingWriteURL);
    }
    QList<QUrl> images;
    for (const QUrl& url : m_pendingCopyURLs) {
        if (hasExtension(url, QStringLiteral("d64"))) {
            images.append(url);
        }
    }
    if (images.isEmpty()) {
        return QStringLiteral("This will erase all data on the floppy in drive ") + device + ".";
    }
    if (images.size() == 1) {
        return singleImage(images.first());
    }
    return QStringLiteral("These disk images will be written one after another to drive ") +
           device +
           QStringLiteral(". Each write erases the whole floppy; only the last image remains.");
}

QCoro::Task<> VellumViewModel::confirmWrite() {
    if (!m_pendingCopyURLs.isEmpty()) {
        for (const QUrl& url : m_pendingCopyURLs) {
            if (hasExtension(url, QStringLiteral("t64"))) {
                setShowsPRGConvertConfirmation(true);
                co_return;
            }
        }
        const QList<QUrl> urls = m_pendingCopyURLs;
        setPendingCopyURLs({});
        setPendingWriteURL(std::nullopt);
        co_await copyFilesToFloppy(urls, true);
        co_return;
    }
    if (!m_pendingWriteURL) {
        co_return;
    }
    const QUrl source = *m_pendingWriteURL;
    setPendingWriteURL(std::nullopt);
    if (m_operation != OperationKind::idle) {
        co_return;
    }

    const QString fileName = lastPathComponent(source);
    const qint64 number =
        beginOperation(OperationKind::writingD64, QStringLiteral("Writing ") + fileName +
                                                      QStringLiteral(" to drive ") +
                                                      deviceText(m_deviceNumber) + "…");
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    try {
        co_await m_service->writeDiskImage(source, m_deviceNumber, progressSink());
        setProgress(1);
        setStatusHeadline(QStringLiteral("Wrote ") + fileName + QStringLiteral(" to disk."));
        setLastError(std::nullopt);
        confirmAdapter();
        setKnownDirectoryBlocks({});
        co_await reloadDirectoryQuietly();
        postCompletionNotice(QStringLiteral("Wrote ") + fileName +
                             QStringLiteral(" to the floppy."));
    } catch (...) {
        reportFailureWithNotice(std::current_exception(), number,
                                QStringLiteral("Writing the .d64 failed."));
    }
}

void VellumViewModel::cancelPendingCopy() {
    setPendingCopyURLs({});
    setPendingWriteURL(std::nullopt);
    setShowsImageCopyChoice(false);
    setShowsPRGConvertConfirmation(false);
}

// ---- Deleting ----

void VellumViewModel::requestFloppyDelete() {
    if (m_operation == OperationKind::idle && !selectedFloppyEntries().isEmpty()) {
        setShowsScratchConfirmation(true);
    }
}

QString VellumViewModel::scratchConfirmationMessage() const {
    const QString tail = QStringLiteral(" from the floppy in drive ") + deviceText(m_deviceNumber) +
                         QStringLiteral("? This cannot be undone.");
    const QList<DirectoryEntry> selected = selectedFloppyEntries();
    if (selected.isEmpty()) {
        return QStringLiteral("Delete the selected files") + tail;
    }
    if (selected.size() == 1) {
        return QStringLiteral("Delete ") + texts::quoted(selected.first().name) + tail;
    }
    return QStringLiteral("Delete ") + QString::number(selected.size()) + QStringLiteral(" files") +
           tail;
}

QCoro::Task<> VellumViewModel::deleteSelectedFromFloppy() {
    const QList<DirectoryEntry> entries = selectedFloppyEntries();
    if (m_operation != OperationKind::idle || entries.isEmpty()) {
        co_return;
    }
    const qsizetype count = entries.size();
    const QString firstName = entries.first().name;
    const qint64 number =
        beginOperation(OperationKind::deleting,
                       count == 1 ? QStringLiteral("Deleting ") + texts::quoted(firstName) +
                                        QStringLiteral(" from floppy…")
                                  : QStringLiteral("Deleting ") + QString::number(count) +
                                        QStringLiteral(" files from floppy…"));
    OperationSlotGuard slot(*this, number);

    std::exception_ptr failure;
    try {
        for (qsizetype i = 0; i < count; ++i) {
            const DirectoryEntry& entry = entries.at(i);
            throwIfStopped(number);
            if (count > 1) {
                setStatusHeadline(QStringLiteral("Deleting ") + QString::number(i + 1) +
                                  QStringLiteral(" of ") + QString::number(count) +
                                  QStringLiteral(": ") + texts::quoted(entry.name) + "…");
            }
            co_await m_service->scratchFile(m_deviceNumber, entry.name);
            KnownBlockCounts known = m_knownDirectoryBlocks;
            known.remove(blockKey(entry.name));
            setKnownDirectoryBlocks(known);
        }
    } catch (...) {
        failure = std::current_exception();
    }

    if (failure) {
        // Files scratched before the failure are gone and must vanish from the pane.
        if (number == m_operationID && m_operation != OperationKind::idle) {
            co_await reloadDirectoryQuietly();
        }
        reportFailure(failure, number);
        co_return;
    }
    setLastError(std::nullopt);
    confirmAdapter();
    selectFloppyEntry(std::nullopt);
    co_await reloadDirectoryQuietly();
    setStatusHeadline(count == 1 ? QStringLiteral("Deleted ") + texts::quoted(firstName) +
                                       QStringLiteral(" from floppy.")
                                 : QStringLiteral("Deleted ") + QString::number(count) +
                                       QStringLiteral(" files from floppy."));
}

// ---- Renaming ----

std::optional<QString> VellumViewModel::validateCBMName(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("Enter a name.");
    }
    if (characterCount(name) > 16) {
        return QStringLiteral("CBM names must be 16 characters or fewer.");
    }
    for (const QChar reserved : QStringLiteral(",=:*?")) {
        if (name.contains(reserved)) {
            return QStringLiteral("The name cannot contain comma, equals, colon, * or ?.");
        }
    }
    return std::nullopt;
}

QCoro::Task<> VellumViewModel::commitRenameFloppy() {
    const std::optional<DirectoryEntry> anchor = anchorFloppyEntry();
    if (m_operation != OperationKind::idle || !anchor || anchor->type == CBMFileType::del) {
        co_return;
    }
    const QString newName = trimmedWhitespace(m_nameField);
    if (const auto message = validateCBMName(newName)) {
        setNameFieldError(*message);
        co_return;
    }
    const QString oldName = anchor->name;
    if (newName.compare(oldName, Qt::CaseInsensitive) == 0) {
        setNamePrompt(std::nullopt);
        co_return;
    }

    setNamePrompt(std::nullopt);
    const qint64 number = beginOperation(OperationKind::renaming, QStringLiteral("Renaming ") +
                                                                      texts::quoted(oldName) + "…");
    OperationSlotGuard slot(*this, number);
    try {
        co_await m_service->renameFile(m_deviceNumber, oldName, newName);
        KnownBlockCounts known = m_knownDirectoryBlocks;
        if (const auto blocks = known.take(blockKey(oldName)); blocks > 0) {
            known.insert(blockKey(newName), blocks);
        }
        setKnownDirectoryBlocks(known);
        setLastError(std::nullopt);
        confirmAdapter();
        co_await reloadDirectoryQuietly();
        std::optional<QUuid> renamed;
        for (const DirectoryEntry& entry : m_directory.entries) {
            if (entry.name.compare(newName, Qt::CaseInsensitive) == 0) {
                renamed = entry.id;
                break;
            }
        }
        selectFloppyEntry(renamed);
        setStatusHeadline(QStringLiteral("Renamed ") + texts::quoted(oldName) +
                          QStringLiteral(" to ") + texts::quoted(newName) + ".");
    } catch (...) {
        reportFailure(std::current_exception(), number);
    }
}

// ---- Formatting ----

void VellumViewModel::beginFormat() {
    const QString name =
        m_directory.diskName.isEmpty() ? QStringLiteral("VELLUM") : m_directory.diskName;
    setFormatName(firstCharacters(trimmedWhitespace(name), 16));
    QString idCharacters;
    for (const QChar character : m_directory.diskID) {
        if (character.isLetterOrNumber()) {
            idCharacters.append(character);
        }
    }
    setFormatID(idCharacters.size() < 2 ? QStringLiteral("01") : idCharacters.left(2).toUpper());
    setFormatExtended(false);
    setFormatFieldError(std::nullopt);
    setShowsFormatSheet(true);
}

std::optional<QString> VellumViewModel::validateDiskFields(const QString& name, const QString& id) {
    const QString trimmedName = trimmedWhitespace(name);
    const QString trimmedID = trimmedWhitespace(id);
    if (trimmedName.isEmpty()) {
        return QStringLiteral("Enter a disk name.");
    }
    if (characterCount(trimmedName) > 16) {
        return QStringLiteral("Disk name must be 16 characters or fewer.");
    }
    if (trimmedName.contains(QLatin1Char(','))) {
        return QStringLiteral("Disk name cannot contain a comma.");
    }
    if (characterCount(trimmedID) != 2) {
        return QStringLiteral("Disk ID must be exactly 2 characters.");
    }
    return std::nullopt;
}

QCoro::Task<> VellumViewModel::confirmFormat() {
    if (const auto message = validateDiskFields(m_formatName, m_formatID)) {
        setFormatFieldError(*message);
        co_return;
    }
    setFormatFieldError(std::nullopt);
    setFormatName(trimmedWhitespace(m_formatName).toUpper());
    setFormatID(trimmedWhitespace(m_formatID).toUpper());
    setShowsFormatSheet(false);
    co_await formatFloppy();
}

QCoro::Task<> VellumViewModel::formatFloppy() {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    if (const auto message = validateDiskFields(m_formatName, m_formatID)) {
        reportError(OpenCBMError::invalidDiskName(*message));
        co_return;
    }
    const QString name = trimmedWhitespace(m_formatName).toUpper();
    const QString id = trimmedWhitespace(m_formatID).toUpper();
    const qint64 number = beginOperation(OperationKind::formatting,
                                         QStringLiteral("Formatting ") + texts::quoted(name) +
                                             QStringLiteral(" (") + id + ")…");
    OperationSlotGuard slot(*this, number);
    setProgress(0);
    try {
        co_await m_service->formatDisk(m_deviceNumber, m_driveModel, name, id, m_formatExtended,
                                       progressSink());
        setProgress(1);
        if (isStillRunning(number)) {
            try {
                const QString status = co_await m_service->driveStatus(m_deviceNumber);
                applyDriveState(true, m_driveModel, status);
            } catch (const std::exception&) {
                // The format itself succeeded; the drive card keeps its last state.
            }
        }
        confirmAdapter();
        setKnownDirectoryBlocks({});
        co_await reloadDirectoryQuietly();
        const QString headline =
            QStringLiteral("Formatted ") + texts::quoted(name) + QStringLiteral(", ID ") + id + ".";
        setStatusHeadline(headline);
        setLastError(std::nullopt);
        postCompletionNotice(headline);
    } catch (...) {
        reportFailureWithNotice(std::current_exception(), number, QStringLiteral("Format failed."));
    }
}

// ---- Validate and initialize ----

QCoro::Task<> VellumViewModel::validateFloppy() {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    const qint64 number =
        beginOperation(OperationKind::validating, QStringLiteral("Validating disk in drive ") +
                                                      deviceText(m_deviceNumber) + "…");
    OperationSlotGuard slot(*this, number);
    setProgress(0.12);
    try {
        co_await m_service->validateDisk(m_deviceNumber);
        throwIfStopped(number);
        const QString status = co_await m_service->driveStatus(m_deviceNumber);
        applyDriveState(true, m_driveModel, status);
        confirmAdapter();
        co_await reloadDirectoryQuietly();
        setProgress(1);
        setStatusHeadline(status.isEmpty() ? QStringLiteral("Validate finished.") : status);
        setLastError(std::nullopt);
    } catch (...) {
        reportFailure(std::current_exception(), number);
    }
}

QCoro::Task<> VellumViewModel::initializeFloppy() {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    const QString device = deviceText(m_deviceNumber);
    const qint64 number =
        beginOperation(OperationKind::initializing,
                       QStringLiteral("Initializing disk in drive ") + device + " (I0)…");
    OperationSlotGuard slot(*this, number);
    try {
        co_await m_service->initializeDrive(m_deviceNumber);
        throwIfStopped(number);
        const QString status = co_await m_service->driveStatus(m_deviceNumber);
        applyDriveState(true, m_driveModel, status);
        confirmAdapter();
        co_await reloadDirectoryQuietly();
        const QString diskName = trimmedWhitespace(m_directory.diskName);
        const QString tail = QStringLiteral(". BAM re-read; files were not erased.");
        setStatusHeadline(diskName.isEmpty()
                              ? QStringLiteral("Initialized drive ") + device + tail
                              : QStringLiteral("Initialized ") + texts::quoted(diskName) + tail);
        setLastError(std::nullopt);
    } catch (...) {
        reportFailure(std::current_exception(), number);
    }
}

} // namespace vellum
