#pragma once

#include "model/CommandResult.h"
#include "model/DiskDirectory.h"
#include "model/DiskImageFormat.h"
#include "model/DriveInfo.h"
#include "model/ToolOutputParsers.h"
#include "opencbm/ComputerSpace.h"
#include "opencbm/ResumeOnce.h"
#include "opencbm/ToolSearchPaths.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QProcess;

namespace vellum {

struct AdapterProbe {
    bool present = false;
    QString title;
    QString detail;

    friend bool operator==(const AdapterProbe&, const AdapterProbe&) = default;
};

using LineObserver = std::function<void(const QString& line)>;
// fraction is progressFraction of the line, or -1 when the line carries none
using ProgressCallback = std::function<void(const QString& line, double fraction)>;
using SignalSender = std::function<void(qint64 pid, int signal)>;

namespace detail {
struct ToolRun;
}

// Runs the OpenCBM command-line tools as child processes and turns their output into model
// values. Everything happens on the thread that owns the service (the main thread): the
// children are QProcess objects driven by the event loop, and every run completes exactly
// once however its end, a stop and the hang check race.
class OpenCBMService : public QObject {
    Q_OBJECT
public:
    explicit OpenCBMService(QStringList searchPaths = currentToolSearchPaths(),
                            QObject* parent = nullptr);
    ~OpenCBMService() override;

    QStringList searchPaths() const;
    QString locateTool(const QString& name) const;
    QProcessEnvironment childEnvironment() const;

    // Runs one tool to completion on the Qt event loop; exactly one completion per run. A
    // non-zero exit status is a result, not an error.
    QCoro::Task<CommandResult> run(QString executable, QStringList arguments,
                                   LineObserver onOutput = {});
    // SIGINT, SIGTERM at 0.5 s, SIGKILL at 1.4 s, forced completion at 2.2 s. Both stops may
    // be called from any thread; they act on the service's own thread.
    void cancelRunningTool();
    // SIGKILL now, forced completion at 0.4 s.
    void forceStopRunningTool();
    void setSignalSender(SignalSender sender);
    // `onQuiet` is called when a tool that reports progress as it goes (every run given a
    // LineObserver: d64copy, imgcopy, cbmcopy, cbmformat) has printed nothing for
    // `quietTime`; again only after it has printed something since. Zero turns it off.
    // Nothing is stopped: what to do is the user's choice.
    void setQuietWatch(std::chrono::milliseconds quietTime, std::function<void()> onQuiet);
    void setResetSettleTime(std::chrono::milliseconds settle);
    // The free bytes on the file system of a folder on the computer, as the probe tells
    // (bytesAvailableIn unless a test stands in).
    std::optional<qint64> freeSpaceIn(const QString& folder) const;
    void setFreeSpaceProbe(FreeSpaceProbe probe);

    QCoro::Task<AdapterProbe> probeAdapter();
    QCoro::Task<QList<DriveInfo>> detectDrives();
    QCoro::Task<QString> driveStatus(qint64 device);
    QCoro::Task<DiskDirectory> listDirectory(qint64 device);
    QCoro::Task<> resetBus();
    QCoro::Task<> initializeDrive(qint64 device);
    // Sends "U0>M1" to a 1571 so that it reads both sides of its disk; other drives are left
    // as they are. A 1571 powers up (and comes out of a reset) in 1541 mode.
    QCoro::Task<> switchToDoubleSidedMode(qint64 device, QString driveModel);
    // The listing as the drive reads it in its own mode: a 1571 is switched first, so that a
    // double-sided disk shows all its blocks (see isDoubleSidedListing).
    QCoro::Task<DiskDirectory> listDirectory(qint64 device, QString driveModel);
    // A 1571 is switched first: validated in 1541 mode, a double-sided disk's BAM is damaged.
    // Without a model the drive counts as a 1541 and is not switched.
    QCoro::Task<> validateDisk(qint64 device, QString driveModel = {});
    QCoro::Task<> renameFile(qint64 device, QString oldName, QString newName);
    QCoro::Task<> scratchFile(qint64 device, QString name);
    QCoro::Task<> formatDiskDOS(qint64 device, QString diskName, QString diskID,
                                ProgressCallback progress);

    // Saves the disk as an image of `format` (d64copy, d64copy -2 or imgcopy); a format the
    // drive cannot make is refused before anything runs (imageFormatRefusal). `shownName`
    // names the image in the command line that failure texts show (by default the
    // destination's file name).
    QCoro::Task<> saveDiskImage(qint64 device, QString driveModel, DiskImageFormat format,
                                QUrl destination, ProgressCallback progress,
                                QString shownName = {});
    // Writes the image onto the disk, its format taken from the file's extension (.d64 when
    // it names none); a pairing the drive cannot take is refused before anything runs.
    QCoro::Task<> writeDiskImage(QUrl source, qint64 device, QString driveModel,
                                 ProgressCallback progress);
    // The D64 forms of the two, for a drive that makes D64 images.
    QCoro::Task<> readDiskImage(qint64 device, QUrl destination, ProgressCallback progress,
                                QString shownName = {});
    QCoro::Task<> writeDiskImage(QUrl source, qint64 device, ProgressCallback progress);
    // `listedNames`, the drive's current listing, lets a name that the drive would read as a
    // pattern be read all the same when a pattern provably finds that file alone.
    QCoro::Task<> readFile(qint64 device, QString driveModel, QString cbmName, QUrl destination,
                           ProgressCallback progress, QStringList listedNames = {});
    QCoro::Task<> writeFile(qint64 device, QString driveModel, QUrl source, QString cbmName,
                            ProgressCallback progress);
    // cbmformat, or formatDiskDOS for 1570/1571/1581 models.
    QCoro::Task<> formatDisk(qint64 device, QString driveModel, QString diskName, QString diskID,
                             bool extended, ProgressCallback progress);

private:
    std::shared_ptr<detail::ToolRun> startRun(const QString& executable,
                                              const QStringList& arguments, LineObserver onOutput);
    void handleFinished(const std::shared_ptr<detail::ToolRun>& run, int exitCode, bool crashed);
    void handleStartFailure(const std::shared_ptr<detail::ToolRun>& run);
    bool handedToOwnThread(void (OpenCBMService::*stop)());
    void sendSignal(qint64 pid, int signal) const;
    bool isRegisteredAndRunning(qint64 pid) const;
    void scheduleHangCheck(qint64 pid, std::chrono::milliseconds delay);
    void completePendingAsCancelled();
    static LineObserver progressObserver(ProgressCallback progress, qint64 trackTotal,
                                         TrackOrder order = TrackOrder::ascending);
    static void reportProgress(const ProgressCallback& progress, double fraction);

    QStringList toolSearchPaths;
    std::shared_ptr<detail::ToolRun> runningRun;
    std::optional<ResumeOnce<CommandResult>> pendingResume;
    bool cancelRequested = false;
    SignalSender signalSender;
    std::chrono::milliseconds quietWatchTime{0};
    std::function<void()> quietWatchObserver;
    std::chrono::milliseconds resetSettleTime{2500};
    FreeSpaceProbe freeSpaceProbe = bytesAvailableIn;
};

} // namespace vellum
