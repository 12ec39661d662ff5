#include "model/OpenCBMError.h"
#include "opencbm/DriveImageFormats.h"
#include "opencbm/OpenCBMService.h"
#include "opencbm/ToolCommands.h"
#include "opencbm/ToolVerdicts.h"

#include <QCoroTimer>
#include <QElapsedTimer>
#include <QTimer>

namespace vellum {

// Argument lists are built with << here: GCC 12 rejects braced lists inside coroutine
// bodies ("array used as initializer").
namespace {
const QString cbmctrl = QStringLiteral("cbmctrl");

// A coarse timer may fire a little early; the drives need the whole settle time.
QCoro::Task<> settleFor(std::chrono::milliseconds settle) {
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    for (qint64 left = settle.count(); left > 0; left = settle.count() - clock.elapsed()) {
        timer.start(static_cast<int>(left));
        co_await timer;
    }
}

// Sends a DOS command that only its exit status judges; `shownAs` names it in the error.
QCoro::Task<> sendDOSCommand(OpenCBMService& service, qint64 device, QString dosString,
                             QString shownAs) {
    const QString tool = service.locateTool(cbmctrl);
    const CommandResult result = co_await service.run(tool, dosCommandArguments(device, dosString));
    judgeExitStatus(result, dosCommandText(device, shownAs));
}
} // namespace

QCoro::Task<AdapterProbe> OpenCBMService::probeAdapter() {
    const QString tool = locateTool(QStringLiteral("xum1541cfg"));
    const CommandResult result = co_await run(tool, (QStringList() << QStringLiteral("devinfo")));
    co_return judgeAdapterProbe(result);
}

QCoro::Task<QList<DriveInfo>> OpenCBMService::detectDrives() {
    const QString tool = locateTool(cbmctrl);
    const CommandResult result = co_await run(tool, (QStringList() << QStringLiteral("detect")));
    co_return judgeDetect(result);
}

QCoro::Task<QString> OpenCBMService::driveStatus(qint64 device) {
    const QString tool = locateTool(cbmctrl);
    const CommandResult result =
        co_await run(tool, (QStringList() << QStringLiteral("status") << deviceText(device)));
    co_return judgeDriveStatus(result, device);
}

QCoro::Task<DiskDirectory> OpenCBMService::listDirectory(qint64 device) {
    const QString tool = locateTool(cbmctrl);
    const CommandResult result =
        co_await run(tool, (QStringList() << QStringLiteral("dir") << deviceText(device)));
    co_return judgeDirectory(result, device);
}

QCoro::Task<> OpenCBMService::resetBus() {
    const QString tool = locateTool(cbmctrl);
    const auto settle = resetSettleTime;
    const CommandResult result = co_await run(tool, (QStringList() << QStringLiteral("reset")));
    judgeExitStatus(result, QStringLiteral("cbmctrl reset"));
    co_await settleFor(settle);
}

QCoro::Task<> OpenCBMService::initializeDrive(qint64 device) {
    co_await sendDOSCommand(*this, device, QStringLiteral("i0"), QStringLiteral("I0"));
}

QCoro::Task<> OpenCBMService::switchToDoubleSidedMode(qint64 device, QString driveModel) {
    if (needsDoubleSidedModeSwitch(driveModel)) {
        co_await sendDOSCommand(*this, device, dosDoubleSidedModeString(),
                                dosDoubleSidedModeString().toUpper());
    }
}

QCoro::Task<DiskDirectory> OpenCBMService::listDirectory(qint64 device, QString driveModel) {
    co_await switchToDoubleSidedMode(device, driveModel);
    co_return co_await listDirectory(device);
}

QCoro::Task<> OpenCBMService::validateDisk(qint64 device, QString driveModel) {
    co_await switchToDoubleSidedMode(device, driveModel);
    co_await sendDOSCommand(*this, device, QStringLiteral("v0"), QStringLiteral("v0"));
}

namespace {

// Sends a DOS command and asks the drive for its verdict; a status that cannot be read
// leaves the command counted as done.
QCoro::Task<> sendJudgedDOSCommand(OpenCBMService& service, QString tool, qint64 device,
                                   QString dosString) {
    const CommandResult result = co_await service.run(tool, dosCommandArguments(device, dosString));
    const QString commandText = dosCommandText(device, dosString);
    judgeExitStatus(result, commandText);
    std::optional<QString> status;
    try {
        status = co_await service.driveStatus(device);
    } catch (const std::exception&) {
        co_return;
    }
    judgeDriveStatusAfterCommand(commandText, *status);
}

} // namespace

QCoro::Task<> OpenCBMService::renameFile(qint64 device, QString oldName, QString newName) {
    const QString tool = locateTool(cbmctrl);
    refuseDrivePatternName(oldName);
    refuseDrivePatternName(newName);
    co_await sendJudgedDOSCommand(*this, tool, device, dosRenameString(oldName, newName));
}

QCoro::Task<> OpenCBMService::scratchFile(qint64 device, QString name) {
    const QString tool = locateTool(cbmctrl);
    refuseDrivePatternName(name);
    co_await sendJudgedDOSCommand(*this, tool, device, dosScratchString(name));
}

QCoro::Task<> OpenCBMService::formatDiskDOS(qint64 device, QString diskName, QString diskID,
                                            ProgressCallback progress) {
    const QString tool = locateTool(cbmctrl);
    reportProgress(progress, 0.12);
    co_await sendJudgedDOSCommand(*this, tool, device, dosNewDiskString(diskName, diskID));
    reportProgress(progress, 1.0);
}

} // namespace vellum
