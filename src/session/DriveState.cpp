#include "session/DriveState.h"

#include "model/DriveSentences.h"
#include "model/TextUtil.h"
#include "session/ObservedProperty.h"
#include "session/SessionTexts.h"

namespace vellum {

QString friendlyDriveStatus(const QString& status) {
    // The power-up message of any DOS (73) follows a reset: the drive is as well as with 00.
    const auto parsed = lastDriveStatus(status);
    if (parsed && kindOf(*parsed) != DriveStatusKind::failure) {
        return texts::deviceRespondingNormally();
    }
    const QString upper = status.toUpper();
    if (upper.contains(QStringLiteral("OK")) || upper.startsWith(QStringLiteral("00,"))) {
        return texts::deviceRespondingNormally();
    }
    return status;
}

std::optional<qint64> usedBlocksEstimate(const QString& driveModel, qint64 blocksFree) {
    const QString model = driveModel.toUpper();
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

DriveState::DriveState(QObject* parent)
    : QObject(parent), m_zoomFloppyDetail(tr("Waiting for adapter.")),
      m_driveDetail(texts::deviceNotDetected()) {
    m_driveTitle = titleWith(tr(" — Offline"));
}

QString DriveState::floppyPaneHeading() const {
    return tr("Floppy  |  Drive %1").arg(m_deviceNumber);
}

bool DriveState::offersExtendedFormat() const {
    const QString model = m_driveModel.toUpper();
    for (const char* dosFormatted : {"1570", "1571", "1581"}) {
        if (model.contains(QLatin1String(dosFormatted))) {
            return false;
        }
    }
    return true;
}

void DriveState::setZoomFloppyDetected(bool value) {
    assignObserved(this, m_zoomFloppyDetected, value, &DriveState::zoomFloppyDetectedChanged);
}

void DriveState::setZoomFloppyDetail(const QString& value) {
    assignObserved(this, m_zoomFloppyDetail, value, &DriveState::zoomFloppyDetailChanged);
}

void DriveState::setDriveReady(bool value) {
    assignObserved(this, m_driveReady, value, &DriveState::driveReadyChanged);
}

void DriveState::setDriveTitle(const QString& value) {
    assignObserved(this, m_driveTitle, value, &DriveState::driveTitleChanged);
}

void DriveState::setDriveDetail(const QString& value) {
    assignObserved(this, m_driveDetail, value, &DriveState::driveDetailChanged);
}

void DriveState::setDriveModel(const QString& value) {
    assignObserved(this, m_driveModel, value, &DriveState::driveModelChanged);
}

void DriveState::setDeviceNumber(qint64 value) {
    assignObserved(this, m_deviceNumber, value, &DriveState::deviceNumberChanged);
}

void DriveState::setDetectedDrives(const QList<DriveInfo>& value) {
    assignObserved(this, m_detectedDrives, value, &DriveState::detectedDrivesChanged);
}

QString DriveState::titleWith(const QString& suffix) const {
    return tr("Drive %1").arg(m_deviceNumber) + suffix;
}

void DriveState::applyDriveState(bool ready, const QString& model,
                                 const std::optional<QString>& status) {
    setDriveReady(ready);
    if (ready) {
        const QString trimmedModel = model.trimmed();
        if (!trimmedModel.isEmpty()) {
            setDriveModel(trimmedModel);
        }
        setDriveTitle(titleWith(tr(" — Ready")));
        setDriveDetail(status && !status->isEmpty() ? friendlyDriveStatus(*status)
                                                    : texts::deviceRespondingNormally());
    } else {
        setDriveTitle(titleWith(tr(" — Offline")));
        setDriveDetail(texts::deviceNotDetected());
    }
}

void DriveState::showNoDriveFound() {
    setDriveTitle(titleWith(tr(" — Not found")));
    setDriveDetail(m_zoomFloppyDetected ? texts::noDriveReplied() : texts::deviceNotDetected());
}

void DriveState::confirmAdapter() {
    setZoomFloppyDetected(true);
    setZoomFloppyDetail(texts::adapterResponding());
}

} // namespace vellum
