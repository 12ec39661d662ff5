#include "session/VellumViewModel.h"

#include "model/OpenCBMError.h"
#include "session/CopyNotifier.h"
#include "session/SessionTexts.h"
#include "session/WriteLeftovers.h"

namespace vellum {

namespace {

// What a quiet detection that found no adapter says: the missing tool by name, else that
// the adapter is not there.
QString quietDetectionHeadline(const std::exception& error) {
    const auto* failure = dynamic_cast<const OpenCBMError*>(&error);
    if (failure && failure->errorCase() == OpenCBMError::Case::toolNotFound) {
        return VellumViewModel::tr("OpenCBM tool %1 not found.")
            .arg(texts::quoted(failure->text()));
    }
    return VellumViewModel::tr("ZoomFloppy not detected.");
}

} // namespace

QCoro::Task<> VellumViewModel::startUp() {
    CopyNotifier::prepare(m_desktop);
    removeWriteLeftovers(m_computer.computerFolder());
    refreshLocalItems();
    co_await detect(true);
}

QCoro::Task<> VellumViewModel::detect(bool quiet) {
    const QString headline =
        quiet ? m_status.statusHeadline() : tr("Probing ZoomFloppy and IEC bus…");
    const auto body = [this, quiet](qint64 number) -> QCoro::Task<> {
        try {
            const AdapterProbe probe = co_await m_service->probeAdapter();
            m_drives.setZoomFloppyDetected(probe.present);
            m_drives.setZoomFloppyDetail(probe.present ? texts::adapterResponding() : probe.detail);
        } catch (const std::exception& error) {
            m_drives.setZoomFloppyDetected(false);
            m_drives.setZoomFloppyDetail(describeError(error));
        }

        try {
            m_status.throwIfStopped(number);
            const QList<DriveInfo> drives = co_await m_service->detectDrives();
            m_drives.setDetectedDrives(drives);
            if (drives.isEmpty()) {
                m_drives.applyDriveState(false, QString());
                m_drives.showNoDriveFound();
                m_status.setStatusHeadline(m_drives.zoomFloppyDetected()
                                               ? texts::noDriveOnBus()
                                               : tr("ZoomFloppy not detected."));
            } else {
                DriveInfo chosen = drives.first();
                for (const DriveInfo& drive : drives) {
                    if (drive.deviceNumber == m_drives.deviceNumber()) {
                        chosen = drive;
                        break;
                    }
                }
                if (chosen.deviceNumber != m_drives.deviceNumber()) {
                    // The listing, its selection and the remembered sizes belong to the old
                    // drive; Delete or Rename would otherwise act by name on the new one.
                    m_floppy.setDirectory(DiskDirectory::empty());
                    m_floppy.setKnownDirectoryBlocks({});
                    m_floppy.selectEntry(std::nullopt);
                }
                m_drives.setDeviceNumber(chosen.deviceNumber);
                m_status.throwIfStopped(number);
                const QString status = co_await m_service->driveStatus(m_drives.deviceNumber());
                m_drives.applyDriveState(true, chosen.model, status);
                m_drives.confirmAdapter();
            }
        } catch (const std::exception& error) {
            m_drives.setDetectedDrives({});
            m_drives.applyDriveState(false, QString());
            if (isCancellation(error)) {
                // A stop is not a failure of the bus: it shows the stop text and no alert.
                reportError(error);
            } else if (!m_drives.zoomFloppyDetected()) {
                // Quietly, no alert; but the headline must not call a drive ready that was
                // never found.
                if (quiet) {
                    m_status.setStatusHeadline(quietDetectionHeadline(error));
                } else {
                    reportError(error);
                }
            } else {
                m_drives.showNoDriveFound();
                m_status.setStatusHeadline(texts::noDriveOnBus());
                if (!quiet) {
                    m_status.setLastError(describeError(error));
                }
            }
        }

        if (!m_status.lastError() && !quiet && m_drives.driveReady()) {
            m_status.setStatusHeadline(texts::driveIsReady());
        }
    };
    co_await runOperation(OperationKind::detecting, headline, body);
}

QCoro::Task<> VellumViewModel::selectDrive(qint64 number) {
    if (number == m_drives.deviceNumber() || isBusy()) {
        co_return;
    }
    m_drives.setDeviceNumber(number);
    m_floppy.setDirectory(DiskDirectory::empty());
    m_floppy.setKnownDirectoryBlocks({});
    m_floppy.selectEntry(std::nullopt);

    std::optional<DriveInfo> known;
    for (const DriveInfo& drive : m_drives.detectedDrives()) {
        if (drive.deviceNumber == number) {
            known = drive;
            break;
        }
    }
    if (known) {
        m_drives.setDriveModel(known->model);
        m_drives.setDriveTitle(m_drives.titleWith(tr(" — Ready")));
        m_drives.setDriveDetail(tr("Switching to this drive…"));
        m_drives.setDriveReady(true);
    } else {
        m_drives.setDriveModel(QString());
        m_drives.setDriveTitle(m_drives.titleWith(QString()));
        m_drives.setDriveDetail(tr("Not found on last Detect. Trying anyway…"));
        m_drives.setDriveReady(false);
    }

    const auto body = [this, known](qint64 operation) -> QCoro::Task<> {
        const qint64 device = m_drives.deviceNumber();
        try {
            const QString status = co_await m_service->driveStatus(device);
            m_drives.applyDriveState(true, known ? known->model : m_drives.driveModel(), status);
            m_drives.confirmAdapter();

            m_status.throwIfStopped(operation);
            const QString model = m_drives.driveModel();
            const DiskDirectory listing = co_await m_service->listDirectory(device, model);
            applyDirectory(listing);
            m_floppy.selectFirstEntryIfNoneSelected();
            if (listing.diskName.isEmpty() && listing.entries.isEmpty() && !listing.blocksFree) {
                m_status.setStatusHeadline(tr("Drive %1 is ready.").arg(device));
            } else {
                const QString shownName =
                    listing.diskName.isEmpty() ? tr("drive %1").arg(device) : listing.diskName;
                m_status.setStatusHeadline(
                    tr("Directory of %1 on drive %2.")
                        .arg(texts::quoted(shownName), QString::number(device)));
            }
            m_status.setLastError(std::nullopt);
        } catch (...) {
            m_drives.applyDriveState(false, QString());
            throw;
        }
    };
    co_await runOperation(OperationKind::detecting, tr("Selecting drive %1…").arg(number), body);
}

QCoro::Task<> VellumViewModel::resetIECBus() {
    const auto body = [this](qint64 number) -> QCoro::Task<> {
        const qint64 device = m_drives.deviceNumber();
        co_await m_service->resetBus();
        m_status.throwIfStopped(number);
        try {
            co_await m_service->initializeDrive(device);
        } catch (const std::exception&) {
            // The drive may still be waking up; its status below tells the user enough.
        }
        m_status.throwIfStopped(number);
        const QString status = co_await m_service->driveStatus(device);
        m_drives.applyDriveState(true, QString(), status);
        m_drives.confirmAdapter();
        m_status.setStatusHeadline(texts::driveIsReady());
        m_status.setLastError(std::nullopt);
    };
    co_await runOperation(OperationKind::resetting, tr("Resetting IEC bus…"), body);
}

} // namespace vellum
