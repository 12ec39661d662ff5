#include "session/VellumViewModel.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/CopyNotifier.h"
#include "session/DesktopServices.h"
#include "session/OperationSlotGuard.h"
#include "session/SessionTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>
#include <chrono>

namespace vellum {

namespace {

using namespace std::chrono_literals;

constexpr auto stopGracePeriod = 2500ms;

QUrl startingLocalFolder() {
    const QString stored = QSettings().value(QStringLiteral("localFolderPath")).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) {
        return QUrl::fromLocalFile(stored);
    }
    return QUrl::fromLocalFile(QDir::homePath());
}

QString deviceText(qint64 device) {
    return QString::number(device);
}

QString driveTitleText(qint64 device, const QString& suffix) {
    return QStringLiteral("Drive ") + deviceText(device) + suffix;
}

QString blockKey(const QString& name) {
    return trimmedWhitespace(name).toUpper();
}

} // namespace

VellumViewModel::VellumViewModel(DesktopServices& desktop, QStringList toolSearchPaths,
                                 QObject* parent)
    : QObject(parent), m_desktop(desktop),
      m_service(std::make_unique<OpenCBMService>(std::move(toolSearchPaths))),
      m_localFolder(startingLocalFolder()) {}

VellumViewModel::~VellumViewModel() = default;

// ---- Start-up and detection ----

QCoro::Task<> VellumViewModel::startUp() {
    CopyNotifier::prepare(m_desktop);
    refreshLocalItems();
    co_await detect(true);
}

QCoro::Task<> VellumViewModel::detect(bool quiet) {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    const QString headline =
        quiet ? m_statusHeadline : QStringLiteral("Probing ZoomFloppy and IEC bus…");
    const qint64 number = beginOperation(OperationKind::detecting, headline);
    OperationSlotGuard slot(*this, number);

    try {
        const AdapterProbe probe = co_await m_service->probeAdapter();
        setZoomFloppyDetected(probe.present);
        setZoomFloppyDetail(probe.present ? texts::adapterResponding() : probe.detail);
    } catch (const std::exception& error) {
        setZoomFloppyDetected(false);
        setZoomFloppyDetail(describeError(error));
    }

    try {
        throwIfStopped(number);
        const QList<DriveInfo> drives = co_await m_service->detectDrives();
        setDetectedDrives(drives);
        if (drives.isEmpty()) {
            applyDriveState(false, QString());
            setDriveTitle(driveTitleText(m_deviceNumber, QStringLiteral(" — Not found")));
            setDriveDetail(m_zoomFloppyDetected ? texts::noDriveReplied()
                                                : texts::deviceNotDetected());
            setStatusHeadline(m_zoomFloppyDetected ? texts::noDriveOnBus()
                                                   : QStringLiteral("ZoomFloppy not detected."));
        } else {
            DriveInfo chosen = drives.first();
            for (const DriveInfo& drive : drives) {
                if (drive.deviceNumber == m_deviceNumber) {
                    chosen = drive;
                    break;
                }
            }
            if (chosen.deviceNumber != m_deviceNumber) {
                // Remembered sizes belong to the floppies of the drive they were seen in.
                setKnownDirectoryBlocks({});
            }
            setDeviceNumber(chosen.deviceNumber);
            throwIfStopped(number);
            const QString status = co_await m_service->driveStatus(m_deviceNumber);
            applyDriveState(true, chosen.model, status);
            confirmAdapter();
        }
    } catch (const std::exception& error) {
        setDetectedDrives({});
        applyDriveState(false, QString());
        if (isCancellation(error)) {
            // A stop is not a failure of the bus: it shows the stop text and no alert.
            reportError(error);
        } else if (!m_zoomFloppyDetected) {
            if (quiet) {
                setStatusHeadline(texts::driveIsReady());
            } else {
                reportError(error);
            }
        } else {
            setDriveTitle(driveTitleText(m_deviceNumber, QStringLiteral(" — Not found")));
            setDriveDetail(texts::noDriveReplied());
            setStatusHeadline(texts::noDriveOnBus());
            if (!quiet) {
                setLastError(describeError(error));
            }
        }
    }

    if (!m_lastError && !quiet && m_driveReady) {
        setStatusHeadline(texts::driveIsReady());
    }
}

QCoro::Task<> VellumViewModel::selectDrive(qint64 number) {
    if (number == m_deviceNumber || m_operation != OperationKind::idle) {
        co_return;
    }
    setDeviceNumber(number);
    setDirectory(DiskDirectory::empty());
    setKnownDirectoryBlocks({});
    selectFloppyEntry(std::nullopt);

    std::optional<DriveInfo> known;
    for (const DriveInfo& drive : m_detectedDrives) {
        if (drive.deviceNumber == number) {
            known = drive;
            break;
        }
    }
    if (known) {
        setDriveModel(known->model);
        setDriveTitle(driveTitleText(number, QStringLiteral(" — Ready")));
        setDriveDetail(QStringLiteral("Switching to this drive…"));
        setDriveReady(true);
    } else {
        setDriveModel(QString());
        setDriveTitle(driveTitleText(number, QString()));
        setDriveDetail(QStringLiteral("Not found on last Detect. Trying anyway…"));
        setDriveReady(false);
    }

    if (m_operation != OperationKind::idle) {
        co_return;
    }
    const qint64 operationNumber = beginOperation(
        OperationKind::detecting, QStringLiteral("Selecting drive ") + deviceText(number) + "…");
    OperationSlotGuard slot(*this, operationNumber);

    try {
        const QString status = co_await m_service->driveStatus(m_deviceNumber);
        applyDriveState(true, known ? known->model : m_driveModel, status);
        confirmAdapter();

        throwIfStopped(operationNumber);
        const DiskDirectory listing = co_await m_service->listDirectory(m_deviceNumber);
        applyDirectory(listing);
        selectFirstFloppyEntryIfNoneSelected();
        const QString shownName = listing.diskName.isEmpty()
                                      ? QStringLiteral("drive ") + deviceText(m_deviceNumber)
                                      : listing.diskName;
        if (listing.diskName.isEmpty() && listing.entries.isEmpty() && !listing.blocksFree) {
            setStatusHeadline(QStringLiteral("Drive ") + deviceText(m_deviceNumber) +
                              QStringLiteral(" is ready."));
        } else {
            setStatusHeadline(QStringLiteral("Directory of ") + texts::quoted(shownName) +
                              QStringLiteral(" on drive ") + deviceText(m_deviceNumber) + ".");
        }
        setLastError(std::nullopt);
    } catch (...) {
        applyDriveState(false, QString());
        reportFailure(std::current_exception(), operationNumber);
    }
}

QCoro::Task<> VellumViewModel::resetIECBus() {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    const qint64 number =
        beginOperation(OperationKind::resetting, QStringLiteral("Resetting IEC bus…"));
    OperationSlotGuard slot(*this, number);
    try {
        co_await m_service->resetBus();
        throwIfStopped(number);
        try {
            co_await m_service->initializeDrive(m_deviceNumber);
        } catch (const std::exception&) {
            // The drive may still be waking up; its status below tells the user enough.
        }
        throwIfStopped(number);
        const QString status = co_await m_service->driveStatus(m_deviceNumber);
        applyDriveState(true, QString(), status);
        confirmAdapter();
        setStatusHeadline(texts::driveIsReady());
        setLastError(std::nullopt);
    } catch (...) {
        reportFailure(std::current_exception(), number);
    }
}

// ---- Stop ----

void VellumViewModel::stop() {
    if (m_operation == OperationKind::idle) {
        return;
    }
    if (m_isStopping) {
        m_service->forceStopRunningTool();
        return;
    }
    setIsStopping(true);
    setStopRequested(true);
    setStatusHeadline(QStringLiteral("Stopping…"));
    m_service->cancelRunningTool();
    const qint64 number = m_operationID;
    QTimer::singleShot(stopGracePeriod, Qt::PreciseTimer, this, [this, number] {
        if (m_operationID == number && m_operation != OperationKind::idle) {
            endOperation(number);
            setStatusHeadline(texts::stopped());
        }
    });
}

// ---- The operation slot ----

qint64 VellumViewModel::beginOperation(OperationKind kind, const QString& headline) {
    setOperationID(m_operationID + 1);
    setStopRequested(false);
    setIsStopping(false);
    setOperation(kind);
    setLastError(std::nullopt);
    setStatusHeadline(headline);
    switch (kind) {
    case OperationKind::readingD64:
    case OperationKind::writingD64:
    case OperationKind::formatting:
    case OperationKind::copyingFiles:
    case OperationKind::validating:
        break;
    default:
        setProgress(0);
    }
    return m_operationID;
}

void VellumViewModel::endOperation(std::optional<qint64> number) {
    if (number && *number != m_operationID) {
        return;
    }
    setOperation(OperationKind::idle);
    setIsStopping(false);
    setStopRequested(false);
    if (m_progress > 0 && m_progress < 1 && m_lastError) {
        setProgress(0);
    }
}

void VellumViewModel::reportError(const std::exception& error) {
    if (isCancellation(error)) {
        setLastError(std::nullopt);
        setStatusHeadline(texts::stopped());
        return;
    }
    const QString text = describeError(error);
    setLastError(text);
    setStatusHeadline(text);
}

bool VellumViewModel::isCancellation(const std::exception& error) {
    const auto* cbmError = dynamic_cast<const OpenCBMError*>(&error);
    return cbmError && cbmError->errorCase() == OpenCBMError::Case::cancelled;
}

void VellumViewModel::reportFailure(std::exception_ptr failure, qint64 number) {
    if (number != m_operationID) {
        return;
    }
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        reportError(error);
    } catch (...) {
        reportError(PlatformError(QStringLiteral("The operation failed unexpectedly.")));
    }
}

void VellumViewModel::reportFailureWithNotice(std::exception_ptr failure, qint64 number,
                                              const QString& fixedText) {
    if (number != m_operationID) {
        return;
    }
    reportFailure(failure, number);
    bool cancelled = false;
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        cancelled = isCancellation(error);
    } catch (...) {
    }
    if (!cancelled) {
        postCompletionNotice(m_lastError.value_or(fixedText));
    }
}

void VellumViewModel::throwIfStopRequested() const {
    if (m_stopRequested || m_operation == OperationKind::idle) {
        throw OpenCBMError::cancelled();
    }
}

void VellumViewModel::throwIfStopped(qint64 number) const {
    if (!isStillRunning(number)) {
        throw OpenCBMError::cancelled();
    }
}

bool VellumViewModel::isStillRunning(qint64 number) const {
    return number == m_operationID && m_operation != OperationKind::idle && !m_stopRequested;
}

// ---- Drive card and directory ----

void VellumViewModel::confirmAdapter() {
    setZoomFloppyDetected(true);
    setZoomFloppyDetail(texts::adapterResponding());
}

void VellumViewModel::applyDriveState(bool ready, const QString& model,
                                      const std::optional<QString>& status) {
    setDriveReady(ready);
    if (ready) {
        const QString trimmedModel = trimmedWhitespace(model);
        if (!trimmedModel.isEmpty()) {
            setDriveModel(trimmedModel);
        }
        setDriveTitle(driveTitleText(m_deviceNumber, QStringLiteral(" — Ready")));
        setDriveDetail(status && !status->isEmpty() ? friendlyDriveStatus(*status)
                                                    : texts::deviceRespondingNormally());
    } else {
        setDriveTitle(driveTitleText(m_deviceNumber, QStringLiteral(" — Offline")));
        setDriveDetail(texts::deviceNotDetected());
    }
}

QString VellumViewModel::friendlyDriveStatus(const QString& status) {
    const QString upper = status.toUpper();
    if (upper.contains(QStringLiteral("OK")) || upper.startsWith(QStringLiteral("00,"))) {
        return texts::deviceRespondingNormally();
    }
    return status;
}

void VellumViewModel::applyDirectory(DiskDirectory listing) {
    QSet<QString> selectedNames;
    std::optional<QString> anchorName;
    for (const DirectoryEntry& entry : m_directory.entries) {
        if (m_selectedEntryIDs.contains(entry.id)) {
            selectedNames.insert(entry.name.toLower());
        }
        if (m_floppySelectionAnchor == entry.id) {
            anchorName = entry.name.toLower();
        }
    }

    KnownBlockCounts known = m_knownDirectoryBlocks;
    for (DirectoryEntry& entry : listing.entries) {
        const QString key = blockKey(entry.name);
        if (entry.blocks >= 1) {
            known.insert(key, entry.blocks);
        } else if (known.contains(key)) {
            entry.blocks = known.value(key);
        }
    }

    // A drive that lists its only file with 0 blocks still tells the free count, which
    // gives that file's size.
    DirectoryEntry* onlyFile = nullptr;
    qsizetype fileCount = 0;
    for (DirectoryEntry& entry : listing.entries) {
        if (entry.type != CBMFileType::del) {
            ++fileCount;
            onlyFile = &entry;
        }
    }
    if (fileCount == 1 && onlyFile->blocks == 0 && listing.blocksFree) {
        if (const auto used = usedBlocksEstimate(*listing.blocksFree)) {
            onlyFile->blocks = *used;
            known.insert(blockKey(onlyFile->name), *used);
        }
    }

    setKnownDirectoryBlocks(known);
    setDirectory(listing);

    EntryIDSet selection;
    std::optional<QUuid> anchor;
    if (!selectedNames.isEmpty()) {
        for (const DirectoryEntry& entry : m_directory.entries) {
            const QString name = entry.name.toLower();
            if (selectedNames.contains(name)) {
                selection.insert(entry.id);
            }
            if (!anchor && anchorName == name) {
                anchor = entry.id;
            }
        }
    }
    setSelectedEntryIDs(selection);
    setFloppySelectionAnchor(anchor);
}

std::optional<qint64> VellumViewModel::usedBlocksEstimate(qint64 blocksFree) const {
    const QString model = m_driveModel.toUpper();
    qint64 capacity = 664;
    if (model.contains(QStringLiteral("1581"))) {
        capacity = 3160;
    } else if (model.contains(QStringLiteral("1571"))) {
        capacity = 1328;
    }
    const qint64 used = capacity - blocksFree;
    if (used < 1) {
        return std::nullopt;
    }
    return used;
}

QCoro::Task<> VellumViewModel::reloadDirectoryQuietly() {
    if (m_stopRequested) {
        co_return;
    }
    try {
        const DiskDirectory listing = co_await m_service->listDirectory(m_deviceNumber);
        applyDirectory(listing);
    } catch (const std::exception&) {
        // The operation that asked has already told the user how it went.
    }
}

void VellumViewModel::selectFloppyEntry(std::optional<QUuid> id) {
    setSelectedEntryIDs(id ? EntryIDSet{*id} : EntryIDSet{});
    setFloppySelectionAnchor(id);
}

void VellumViewModel::selectFirstFloppyEntryIfNoneSelected() {
    if (!m_selectedEntryIDs.isEmpty())
        return;
    selectFloppyEntry(m_directory.entries.isEmpty()
                          ? std::nullopt
                          : std::optional(m_directory.entries.first().id));
}

QString VellumViewModel::floppyPaneTitle() const {
    const QChar noBreakSpace(0x00A0);
    QString name = m_directory.diskName;
    name.replace(noBreakSpace, QLatin1Char(' '));
    name = trimmedOf(trimmedWhitespace(name), QStringView(&noBreakSpace, 1));
    return name.isEmpty() ? QStringLiteral("FLOPPY") : QStringLiteral("FLOPPY - ") + name.toUpper();
}

QList<DirectoryEntry> VellumViewModel::selectedFloppyEntries() const {
    QList<DirectoryEntry> selected;
    for (const DirectoryEntry& entry : m_directory.entries) {
        if (m_selectedEntryIDs.contains(entry.id)) {
            selected.append(entry);
        }
    }
    return selected;
}

std::optional<DirectoryEntry> VellumViewModel::anchorFloppyEntry() const {
    if (!m_floppySelectionAnchor) {
        return std::nullopt;
    }
    for (const DirectoryEntry& entry : m_directory.entries) {
        if (entry.id == *m_floppySelectionAnchor) {
            return entry;
        }
    }
    return std::nullopt;
}

// ---- Progress and notices ----

void VellumViewModel::updateProgress(const QPointer<VellumViewModel>& model, double fraction) {
    if (fraction < 0 || !model) {
        return;
    }
    model->setProgress(fraction);
}

ProgressCallback VellumViewModel::progressSink() {
    return [model = QPointer<VellumViewModel>(this)](const QString&, double fraction) {
        updateProgress(model, fraction);
    };
}

ProgressCallback VellumViewModel::fileProgressSink(qsizetype index, qsizetype count) {
    return
        [model = QPointer<VellumViewModel>(this), index, count](const QString&, double fraction) {
            if (fraction < 0 || count < 1) {
                return;
            }
            updateProgress(model, (double(index) + fraction) / double(count));
        };
}

void VellumViewModel::postCompletionNotice(const QString& body) {
    CopyNotifier::post(m_desktop, QStringLiteral("Vellum"), body);
}

} // namespace vellum
