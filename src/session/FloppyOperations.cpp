#include "session/VellumViewModel.h"

#include "images/ComputerFileNames.h"
#include "images/ImageFiles.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "opencbm/ComputerSpace.h"
#include "opencbm/DriveImageFormats.h"
#include "opencbm/ToolCommands.h"
#include "session/DesktopServices.h"
#include "session/FloppyNameRules.h"
#include "session/SessionTexts.h"
#include "session/TemporaryFiles.h"
#include "session/WriteLeftovers.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace vellum {

namespace {

// Before a read that takes minutes: leave to make a file beside `target`, room for the
// image in the temporary folder and for the copy that replaces `target` (both at once when
// they share a file system).
void requireRoomToSave(const OpenCBMService& service, DiskImageFormat format,
                       const QString& temporaryPath, const QString& targetPath) {
    const QString temporaryFolder = QFileInfo(temporaryPath).absolutePath();
    const QString targetFolder = QFileInfo(targetPath).absolutePath();
    requireWritableFolder(targetFolder, targetPath);
    const qint64 imageBytes = transferredImageBytes(format);
    const bool shared = QStorageInfo(temporaryFolder) == QStorageInfo(targetFolder);
    requireFreeSpace(service.freeSpaceIn(targetFolder), shared ? 2 * imageBytes : imageBytes,
                     targetPath);
    if (!shared) {
        requireFreeSpace(service.freeSpaceIn(temporaryFolder), imageBytes, temporaryPath);
    }
}

QStringList extensionsOf(const QList<DiskImageFormat>& formats) {
    QStringList extensions;
    for (const DiskImageFormat format : formats) {
        extensions << fileExtension(format);
    }
    return extensions;
}

// The chosen file with a type the drive makes: a name typed without one gets the first
// offered, and an image type the drive cannot make is replaced by it.
QUrl withImageExtension(const QUrl& chosen, const QList<DiskImageFormat>& formats) {
    const std::optional<DiskImageFormat> named = diskImageFormatOf(chosen);
    if (named && formats.contains(*named)) {
        return chosen;
    }
    QString path = chosen.toLocalFile();
    if (named) {
        path.chop(QFileInfo(path).suffix().size() + 1);
    }
    return QUrl::fromLocalFile(path + QLatin1Char('.') + fileExtension(formats.first()));
}

} // namespace

// ---- Directory ----

QCoro::Task<> VellumViewModel::readDirectory() {
    const auto body = [this](qint64) -> QCoro::Task<> {
        const QString model = m_drives.driveModel();
        const DiskDirectory listing =
            co_await m_service->listDirectory(m_drives.deviceNumber(), model);
        applyDirectory(listing);
        m_floppy.selectFirstEntryIfNoneSelected();
        if (listing.diskName.isEmpty() && listing.entries.isEmpty() && !listing.blocksFree) {
            m_status.setStatusHeadline(tr("The drive returned an empty directory."));
        } else {
            const QString name = listing.diskName.isEmpty() ? tr("floppy") : listing.diskName;
            m_status.setStatusHeadline(tr("Directory of %1 loaded.").arg(texts::quoted(name)));
        }
        m_status.setLastError(std::nullopt);
        if (!m_drives.driveReady()) {
            m_drives.applyDriveState(true, QString());
        }
        m_drives.confirmAdapter();
    };
    co_await runOperation(OperationKind::readingDirectory,
                          tr("Reading directory from drive %1…").arg(m_drives.deviceNumber()),
                          body);
}

// ---- Saving the floppy as a disk image ----

QCoro::Task<> VellumViewModel::saveFloppyAsD64() {
    if (isBusy()) {
        co_return;
    }
    const QString model = m_drives.driveModel();
    // A 1571 makes a D71 only of a double-sided disk, which its listing (taken in its own
    // mode) tells; without one the directory is read first.
    if (needsDoubleSidedModeSwitch(model) && !m_floppy.directory().blocksFree) {
        co_await reloadDirectoryQuietly();
        if (isBusy()) {
            co_return;
        }
    }
    const DiskImageFormat preferred =
        savedImageFormat(model, isDoubleSidedListing(m_floppy.directory()));
    QList<DiskImageFormat> formats = imageFormatsForDrive(model);
    formats.removeAll(preferred);
    formats.prepend(preferred);

    const QString diskName = m_floppy.directory().diskName;
    QString proposed = (diskName.isEmpty() ? QStringLiteral("disk") : diskName).trimmed();
    proposed.replace(QLatin1Char('/'), QLatin1Char('-'))
        .replace(QLatin1Char(':'), QLatin1Char('-'));
    FilePanelRequest request;
    request.title = tr("Save Disk Image");
    request.message = tr("Read the floppy in drive %1 into a .%2 image.")
                          .arg(QString::number(m_drives.deviceNumber()), fileExtension(preferred));
    request.directory = m_computer.computerFolder();
    request.proposedName = proposed + QLatin1Char('.') + fileExtension(preferred);
    request.allowedExtensions = extensionsOf(formats);
    const std::optional<QUrl> chosen = m_desktop.chooseSaveFile(request);
    if (!chosen || !chosen->isLocalFile()) {
        co_return;
    }

    // A name the panel did not show the user is never written over: a taken one gives way
    // to a free one (base-2 …) when the image is stored.
    const QUrl typed = withImageExtension(*chosen, formats);
    const bool renamed = typed != *chosen;
    const DiskImageFormat format = diskImageFormatOf(typed).value_or(preferred);
    const QUrl destination = renamed
                                 ? uniqueLocalURL(typed.adjusted(QUrl::RemoveFilename),
                                                  QFileInfo(typed.toLocalFile()).completeBaseName(),
                                                  fileExtension(format))
                                 : typed;
    const QString fileName = destination.fileName();
    const auto body = [this, destination, renamed, model, format](qint64) -> QCoro::Task<> {
        m_status.setProgress(0);
        // The tool fills a temporary file; only the complete image is then written over what
        // the user chose, whole and in one step, so a failed or killed read never damages
        // a file there nor leaves half of one.
        TemporaryFiles temporary;
        const QUrl image = temporary.make(fileExtension(format));
        const QUrl target = atomicWriteTarget(destination);
        requireRoomToSave(*m_service, format, image.toLocalFile(), target.toLocalFile());
        rememberSaveFolder(target);
        co_await m_service->saveDiskImage(m_drives.deviceNumber(), model, format, image,
                                          progressSink(), destination.fileName());
        const QByteArray bytes = readWholeFile(image, FileRole::diskImage);
        QUrl saved = destination;
        if (renamed) {
            const QFileInfo planned(destination.toLocalFile());
            saved = QUrl::fromLocalFile(writeUnderFreeName(
                planned.absolutePath(), planned.completeBaseName(), planned.suffix(), bytes));
        } else {
            writeFileAtomically(destination, bytes);
        }
        m_status.setProgress(1);
        refreshIfShown({saved, target});
        const QString headline = tr("Saved %1.").arg(saved.fileName());
        m_status.setStatusHeadline(headline);
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
        postCompletionNotice(headline);
    };
    co_await runOperation(OperationKind::readingD64, tr("Reading floppy to %1…").arg(fileName),
                          body, OperationOptions::withNotice(tr("Saving the disk image failed.")));
}

// ---- Writing a disk image to the floppy ----

void VellumViewModel::chooseD64ToWrite() {
    if (isBusy()) {
        return;
    }
    FilePanelRequest request;
    request.title = tr("Write Disk Image");
    request.message =
        tr("Write this disk image to the floppy in drive %1.").arg(m_drives.deviceNumber());
    request.directory = m_computer.computerFolder();
    request.allowedExtensions = extensionsOf(imageFormatsForDrive(m_drives.driveModel()));
    request.allowsMultiple = false;
    const QList<QUrl> chosen = m_desktop.chooseOpenFiles(request);
    if (chosen.isEmpty()) {
        return;
    }
    m_confirmations.setPendingCopyURLs({});
    m_confirmations.setPendingWriteURL(chosen.first());
    m_confirmations.setShowsWriteConfirmation(true);
}

QCoro::Task<> VellumViewModel::confirmWrite() {
    const QList<QUrl> pending = m_confirmations.pendingCopyURLs();
    if (!pending.isEmpty()) {
        for (const QUrl& url : pending) {
            if (QFileInfo(url.path()).suffix().toLower() == QLatin1String("t64")) {
                m_confirmations.setShowsPRGConvertConfirmation(true);
                co_return;
            }
        }
        m_confirmations.setPendingCopyURLs({});
        m_confirmations.setPendingWriteURL(std::nullopt);
        co_await copyFilesToFloppy(pending, true);
        co_return;
    }
    if (!m_confirmations.pendingWriteURL()) {
        co_return;
    }
    const QUrl source = *m_confirmations.pendingWriteURL();
    m_confirmations.setPendingWriteURL(std::nullopt);

    const QString fileName = source.fileName();
    const auto body = [this, source, fileName](qint64) -> QCoro::Task<> {
        m_status.setProgress(0);
        // The drive decides which images it takes; a pairing it cannot take is refused
        // before any tool runs.
        const QString model = m_drives.driveModel();
        co_await m_service->writeDiskImage(source, m_drives.deviceNumber(), model, progressSink());
        m_status.setProgress(1);
        m_status.setStatusHeadline(tr("Wrote %1 to disk.").arg(fileName));
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
        m_floppy.setKnownDirectoryBlocks({});
        co_await reloadDirectoryQuietly();
        postCompletionNotice(tr("Wrote %1 to the floppy.").arg(fileName));
    };
    co_await runOperation(
        OperationKind::writingD64,
        tr("Writing %1 to drive %2…").arg(fileName, QString::number(m_drives.deviceNumber())), body,
        OperationOptions::withNotice(tr("Writing the disk image failed.")));
}

void VellumViewModel::cancelPendingCopy() {
    m_confirmations.setPendingCopyURLs({});
    m_confirmations.setPendingWriteURL(std::nullopt);
    m_confirmations.setShowsImageCopyChoice(false);
    m_confirmations.setShowsPRGConvertConfirmation(false);
}

// ---- Deleting ----

void VellumViewModel::requestFloppyDelete() {
    if (m_commands.canDeleteFloppy()) {
        m_confirmations.setShowsScratchConfirmation(true);
    }
}

QCoro::Task<> VellumViewModel::deleteSelectedFromFloppy() {
    const QList<DirectoryEntry> entries = m_floppy.selectedFloppyEntries();
    if (entries.isEmpty()) {
        co_return;
    }
    const qsizetype count = entries.size();
    const QString firstName = entries.first().name;
    const QString headline = count == 1
                                 ? tr("Deleting %1 from floppy…").arg(texts::quoted(firstName))
                                 : tr("Deleting %1 files from floppy…").arg(count);
    const auto body = [this, entries, count, firstName](qint64 number) -> QCoro::Task<> {
        std::exception_ptr failure;
        try {
            for (qsizetype i = 0; i < count; ++i) {
                const DirectoryEntry& entry = entries.at(i);
                m_status.throwIfStopped(number);
                if (count > 1) {
                    m_status.setStatusHeadline(tr("Deleting %1 of %2: %3…")
                                                   .arg(QString::number(i + 1),
                                                        QString::number(count),
                                                        texts::quoted(entry.name)));
                }
                co_await m_service->scratchFile(m_drives.deviceNumber(), entry.name);
                m_floppy.forgetBlocks(entry.name);
            }
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure) {
            // Files scratched before the failure are gone and must vanish from the pane.
            if (number == m_status.operationID() && !m_status.isIdle()) {
                co_await reloadDirectoryQuietly();
            }
            std::rethrow_exception(failure);
        }
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
        m_floppy.selectEntry(std::nullopt);
        co_await reloadDirectoryQuietly();
        m_status.setStatusHeadline(count == 1
                                       ? tr("Deleted %1 from floppy.").arg(texts::quoted(firstName))
                                       : tr("Deleted %1 files from floppy.").arg(count));
    };
    co_await runOperation(OperationKind::deleting, headline, body);
}

// ---- Renaming ----

void VellumViewModel::beginRenameFloppy() {
    if (!m_commands.canRenameFloppy()) {
        return;
    }
    m_sheets.setNameField(m_floppy.anchorFloppyEntry()->name);
    m_sheets.setNameFieldError(std::nullopt);
    m_sheets.setNamePrompt(NamePromptKind::renameFloppy);
}

QCoro::Task<> VellumViewModel::commitRenameFloppy() {
    const std::optional<DirectoryEntry> anchor = m_floppy.anchorFloppyEntry();
    if (isBusy() || !anchor || anchor->type == CBMFileType::del) {
        co_return;
    }
    const QString newName = m_sheets.nameField().trimmed();
    if (const auto message = validateCBMName(newName)) {
        m_sheets.setNameFieldError(*message);
        co_return;
    }
    const QString oldName = anchor->name;
    m_sheets.setNamePrompt(std::nullopt);
    if (newName.compare(oldName, Qt::CaseInsensitive) == 0) {
        co_return;
    }

    const auto body = [this, oldName, newName](qint64) -> QCoro::Task<> {
        co_await m_service->renameFile(m_drives.deviceNumber(), oldName, newName);
        m_floppy.moveBlocks(oldName, newName);
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
        co_await reloadDirectoryQuietly();
        std::optional<QUuid> renamed;
        for (const DirectoryEntry& entry : m_floppy.directory().entries) {
            if (entry.name.compare(newName, Qt::CaseInsensitive) == 0) {
                renamed = entry.id;
                break;
            }
        }
        m_floppy.selectEntry(renamed);
        m_status.setStatusHeadline(
            tr("Renamed %1 to %2.").arg(texts::quoted(oldName), texts::quoted(newName)));
    };
    co_await runOperation(OperationKind::renaming, tr("Renaming %1…").arg(texts::quoted(oldName)),
                          body);
}

// ---- Formatting ----

void VellumViewModel::beginFormat() {
    const DiskDirectory& directory = m_floppy.directory();
    const QString name =
        directory.diskName.isEmpty() ? QStringLiteral("VELLUM") : directory.diskName;
    m_sheets.setFormatName(firstCharacters(name.trimmed(), 16));
    QString idCharacters;
    for (const QChar character : directory.diskID) {
        if (character.isLetterOrNumber()) {
            idCharacters.append(character);
        }
    }
    m_sheets.setFormatID(idCharacters.size() < 2 ? QStringLiteral("01")
                                                 : idCharacters.left(2).toUpper());
    m_sheets.setFormatExtended(false);
    m_sheets.setFormatFieldError(std::nullopt);
    m_sheets.setShowsFormatSheet(true);
}

QCoro::Task<> VellumViewModel::confirmFormat() {
    if (const auto message = validateDiskFields(m_sheets.formatName(), m_sheets.formatID())) {
        m_sheets.setFormatFieldError(*message);
        co_return;
    }
    m_sheets.setFormatFieldError(std::nullopt);
    m_sheets.setFormatName(m_sheets.formatName().trimmed().toUpper());
    m_sheets.setFormatID(m_sheets.formatID().trimmed().toUpper());
    m_sheets.setShowsFormatSheet(false);
    co_await formatFloppy();
}

QCoro::Task<> VellumViewModel::formatFloppy() {
    if (isBusy()) {
        co_return;
    }
    if (const auto message = validateDiskFields(m_sheets.formatName(), m_sheets.formatID())) {
        reportError(OpenCBMError::invalidDiskName(*message));
        co_return;
    }
    const QString name = m_sheets.formatName().trimmed().toUpper();
    const QString id = m_sheets.formatID().trimmed().toUpper();
    const auto body = [this, name, id](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        const qint64 device = m_drives.deviceNumber();
        co_await m_service->formatDisk(device, m_drives.driveModel(), name, id,
                                       m_sheets.formatExtended(), progressSink());
        m_status.setProgress(1);
        if (m_status.isStillRunning(number)) {
            try {
                const QString status = co_await m_service->driveStatus(device);
                m_drives.applyDriveState(true, m_drives.driveModel(), status);
            } catch (const std::exception&) {
                // The format itself succeeded; the drive card keeps its last state.
            }
        }
        m_drives.confirmAdapter();
        m_floppy.setKnownDirectoryBlocks({});
        co_await reloadDirectoryQuietly();
        const QString headline = tr("Formatted %1, ID %2.").arg(texts::quoted(name), id);
        m_status.setStatusHeadline(headline);
        m_status.setLastError(std::nullopt);
        postCompletionNotice(headline);
    };
    co_await runOperation(OperationKind::formatting,
                          tr("Formatting %1 (%2)…").arg(texts::quoted(name), id), body,
                          OperationOptions::withNotice(tr("Format failed.")));
}

// ---- Validate and initialize ----

QCoro::Task<> VellumViewModel::validateFloppy() {
    const auto body = [this](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0.12);
        const qint64 device = m_drives.deviceNumber();
        // A 1571 validating a double-sided disk in 1541 mode damages its free map: the
        // bridge switches it to 1571 mode first.
        const QString model = m_drives.driveModel();
        co_await m_service->validateDisk(device, model);
        m_status.throwIfStopped(number);
        const QString status = co_await m_service->driveStatus(device);
        m_drives.applyDriveState(true, m_drives.driveModel(), status);
        m_drives.confirmAdapter();
        co_await reloadDirectoryQuietly();
        m_status.setProgress(1);
        m_status.setStatusHeadline(status.isEmpty() ? tr("Validate finished.") : status);
        m_status.setLastError(std::nullopt);
    };
    co_await runOperation(OperationKind::validating,
                          tr("Validating disk in drive %1…").arg(m_drives.deviceNumber()), body);
}

QCoro::Task<> VellumViewModel::initializeFloppy() {
    const auto body = [this](qint64 number) -> QCoro::Task<> {
        const qint64 device = m_drives.deviceNumber();
        co_await m_service->initializeDrive(device);
        m_status.throwIfStopped(number);
        const QString status = co_await m_service->driveStatus(device);
        m_drives.applyDriveState(true, m_drives.driveModel(), status);
        m_drives.confirmAdapter();
        co_await reloadDirectoryQuietly();
        const QString diskName = m_floppy.directory().diskName.trimmed();
        m_status.setStatusHeadline(
            diskName.isEmpty()
                ? tr("Initialized drive %1. BAM re-read; files were not erased.").arg(device)
                : tr("Initialized %1. BAM re-read; files were not erased.")
                      .arg(texts::quoted(diskName)));
        m_status.setLastError(std::nullopt);
    };
    co_await runOperation(OperationKind::initializing,
                          tr("Initializing disk in drive %1 (I0)…").arg(m_drives.deviceNumber()),
                          body);
}

} // namespace vellum
