#pragma once

#include "model/DriveInfo.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace vellum {

class VellumViewModel;
namespace testing {
class StateEditor;
}

// "IEC device responding normally." for an OK status, else the status as the drive sent it.
QString friendlyDriveStatus(const QString& status);

// Blocks in use on a disk with `blocksFree` free in a drive of `driveModel`, from the
// drive's capacity; nothing when that comes out below 1.
std::optional<qint64> usedBlocksEstimate(const QString& driveModel, qint64 blocksFree);

// The adapter card, the drive card and the drives found on the bus. Only the session writes
// here; the window reads.
class DriveState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool zoomFloppyDetected READ zoomFloppyDetected NOTIFY zoomFloppyDetectedChanged)
    Q_PROPERTY(QString zoomFloppyDetail READ zoomFloppyDetail NOTIFY zoomFloppyDetailChanged)
    Q_PROPERTY(bool driveReady READ driveReady NOTIFY driveReadyChanged)
    Q_PROPERTY(QString driveTitle READ driveTitle NOTIFY driveTitleChanged)
    Q_PROPERTY(QString driveDetail READ driveDetail NOTIFY driveDetailChanged)
    Q_PROPERTY(QString driveModel READ driveModel NOTIFY driveModelChanged)
    Q_PROPERTY(qint64 deviceNumber READ deviceNumber NOTIFY deviceNumberChanged)
    Q_PROPERTY(QList<DriveInfo> detectedDrives READ detectedDrives NOTIFY detectedDrivesChanged)

public:
    explicit DriveState(QObject* parent = nullptr);

    bool zoomFloppyDetected() const { return m_zoomFloppyDetected; }
    const QString& zoomFloppyDetail() const { return m_zoomFloppyDetail; }
    bool driveReady() const { return m_driveReady; }
    const QString& driveTitle() const { return m_driveTitle; }
    const QString& driveDetail() const { return m_driveDetail; }
    const QString& driveModel() const { return m_driveModel; }
    qint64 deviceNumber() const { return m_deviceNumber; }
    const QList<DriveInfo>& detectedDrives() const { return m_detectedDrives; }

    // The floppy pane's title line: "Floppy  |  Drive 8".
    QString floppyPaneHeading() const;
    // Whether the format sheet offers "40-track disk": the format tool serves this drive.
    bool offersExtendedFormat() const;
    std::optional<qint64> usedBlocksEstimate(qint64 blocksFree) const {
        return vellum::usedBlocksEstimate(m_driveModel, blocksFree);
    }

signals:
    void zoomFloppyDetectedChanged();
    void zoomFloppyDetailChanged();
    void driveReadyChanged();
    void driveTitleChanged();
    void driveDetailChanged();
    void driveModelChanged();
    void deviceNumberChanged();
    void detectedDrivesChanged();

private:
    friend class VellumViewModel;
    friend class testing::StateEditor;

    void setZoomFloppyDetected(bool value);
    void setZoomFloppyDetail(const QString& value);
    void setDriveReady(bool value);
    void setDriveTitle(const QString& value);
    void setDriveDetail(const QString& value);
    void setDriveModel(const QString& value);
    void setDeviceNumber(qint64 value);
    void setDetectedDrives(const QList<DriveInfo>& value);

    // The drive card: ready with the model (an empty one keeps the old) and the status
    // line, or offline.
    void applyDriveState(bool ready, const QString& model,
                         const std::optional<QString>& status = std::nullopt);
    // "Drive 8 — Not found" with the bus message, after a detection found no drive.
    void showNoDriveFound();
    // A drive command succeeded, so the adapter is there.
    void confirmAdapter();
    // "Drive 8" followed by `suffix` (" — Ready", " — Offline", …).
    QString titleWith(const QString& suffix) const;

    bool m_zoomFloppyDetected = false;
    QString m_zoomFloppyDetail;
    bool m_driveReady = false;
    QString m_driveTitle;
    QString m_driveDetail;
    QString m_driveModel;
    qint64 m_deviceNumber = 8;
    QList<DriveInfo> m_detectedDrives;
};

} // namespace vellum
