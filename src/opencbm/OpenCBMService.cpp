#include "opencbm/OpenCBMService.h"

#include "model/OpenCBMError.h"
#include "model/ToolOutputParsers.h"
#include "opencbm/ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <memory>
#include <pwd.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

namespace vellum {

using namespace std::chrono_literals;
using detail::ToolRun;

namespace {

// Without HOME, Qt names the root folder as home; the account's own folder is meant.
QString userHomeDirectory() {
    if (!qEnvironmentVariableIsEmpty("HOME")) {
        return QDir::homePath();
    }
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) {
        return QString::fromLocal8Bit(account->pw_dir);
    }
    return QDir::homePath();
}

} // namespace

OpenCBMService::OpenCBMService(QStringList searchPaths, QObject* parent)
    : QObject(parent), toolSearchPaths(std::move(searchPaths)),
      signalSender([](qint64 pid, int signal) { ::kill(static_cast<pid_t>(pid), signal); }) {}

OpenCBMService::~OpenCBMService() {
    // Children still alive are killed by their QProcess destructors; their end must not
    // reach this half-destroyed service.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        QObject::disconnect(process, nullptr, this, nullptr);
    }
}

QStringList OpenCBMService::searchPaths() const {
    return toolSearchPaths;
}

QString OpenCBMService::locateTool(const QString& name) const {
    for (const QString& directory : toolSearchPaths) {
        const QFileInfo candidate(QDir(directory).filePath(name));
        if (candidate.isFile() && candidate.isExecutable()) {
            return candidate.filePath();
        }
    }
    throw OpenCBMError::toolNotFound(name, toolSearchPaths);
}

QProcessEnvironment OpenCBMService::childEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString inheritedPath = environment.contains(QStringLiteral("PATH"))
                                      ? environment.value(QStringLiteral("PATH"))
                                      : QStringLiteral("/usr/bin:/bin");
    environment.insert(QStringLiteral("PATH"),
                       (toolSearchPaths + QStringList{inheritedPath}).join(QLatin1Char(':')));
    if (!environment.contains(QStringLiteral("HOME"))) {
        environment.insert(QStringLiteral("HOME"), userHomeDirectory());
    }
    return environment;
}

void OpenCBMService::setQuietWatch(std::chrono::milliseconds quietTime,
                                   std::function<void()> onQuiet) {
    quietWatchTime = quietTime;
    quietWatchObserver = std::move(onQuiet);
}

void OpenCBMService::setSignalSender(SignalSender sender) {
    signalSender = std::move(sender);
}

void OpenCBMService::setResetSettleTime(std::chrono::milliseconds settle) {
    resetSettleTime = settle;
}

std::optional<qint64> OpenCBMService::freeSpaceIn(const QString& folder) const {
    return freeSpaceProbe(folder);
}

void OpenCBMService::setFreeSpaceProbe(FreeSpaceProbe probe) {
    freeSpaceProbe = probe ? std::move(probe) : FreeSpaceProbe(bytesAvailableIn);
}

QCoro::Task<CommandResult> OpenCBMService::run(QString executable, QStringList arguments,
                                               LineObserver onOutput) {
    const ResumeOnce<CommandResult> completion =
        startRun(executable, arguments, std::move(onOutput))->completion;
    // Nothing of the service is touched after the wait: a forced completion may end it
    // while the child is still around, and the service may be gone by then.
    co_return co_await completion;
}

std::shared_ptr<ToolRun> OpenCBMService::startRun(const QString& executable,
                                                  const QStringList& arguments,
                                                  LineObserver onOutput) {
    auto run = std::make_shared<ToolRun>();
    const bool reportsProgress = static_cast<bool>(onOutput);
    run->output = OutputAccumulator(std::move(onOutput));
    auto* process = new QProcess(this);
    run->process = process;
    if (reportsProgress && quietWatchTime.count() > 0 && quietWatchObserver) {
        run->quietTimer = new QTimer(process);
        run->quietTimer->setSingleShot(true);
        run->quietTimer->setInterval(quietWatchTime);
        connect(run->quietTimer, &QTimer::timeout, this, [this] {
            if (quietWatchObserver) {
                quietWatchObserver();
            }
        });
    }
    // Output of either stream shows the tool is alive; the next quiet period starts anew.
    const auto heard = [run] {
        if (run->quietTimer && !run->ended) {
            run->quietTimer->start();
        }
    };
    process->setProgram(executable);
    process->setArguments(arguments);
    process->setWorkingDirectory(userHomeDirectory());
    process->setProcessEnvironment(childEnvironment());
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::SeparateChannels);

    connect(process, &QProcess::readyReadStandardOutput, this, [run, heard] {
        run->output.appendChunk(run->process->readAllStandardOutput(), true);
        heard();
    });
    connect(process, &QProcess::readyReadStandardError, this, [run, heard] {
        run->output.appendChunk(run->process->readAllStandardError(), false);
        heard();
    });
    connect(process, &QProcess::started, this, [run, heard] {
        run->pid = run->process->processId();
        heard();
    });
    connect(process, &QProcess::finished, this,
            [this, run](int exitCode, QProcess::ExitStatus exitStatus) {
                handleFinished(run, exitCode, exitStatus == QProcess::CrashExit);
            });
    connect(process, &QProcess::errorOccurred, this, [this, run](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            handleStartFailure(run);
        }
    });

    cancelRequested = false;
    const std::shared_ptr<ToolRun> previous = std::exchange(runningRun, run);
    pendingResume = run->completion;
    if (previous && previous->pid >= 1) {
        if (previous->isRunning()) {
            sendSignal(previous->pid, SIGKILL);
        }
        scheduleHangCheck(previous->pid, 400ms);
    }

    process->start();
    if (run->pid < 1 && process->state() == QProcess::Running) {
        run->pid = process->processId();
    }
    return run;
}

void OpenCBMService::handleFinished(const std::shared_ptr<ToolRun>& run, int exitCode,
                                    bool crashed) {
    if (run->ended) {
        return;
    }
    run->ended = true;
    if (run->quietTimer) {
        run->quietTimer->stop();
    }
    run->output.appendChunk(run->process->readAllStandardOutput(), true);
    run->output.appendChunk(run->process->readAllStandardError(), false);
    run->output.emitLines(true);

    const bool stopped = cancelRequested;
    if (runningRun == run) {
        runningRun.reset();
    }
    if (pendingResume == run->completion) {
        pendingResume.reset();
    }

    if (stopped || crashed) {
        run->completion.fail(std::make_exception_ptr(OpenCBMError::cancelled()));
    } else {
        run->completion.resume(run->output.makeResult(exitCode));
    }
    run->process->deleteLater();
}

void OpenCBMService::handleStartFailure(const std::shared_ptr<ToolRun>& run) {
    if (run->ended) {
        return;
    }
    run->ended = true;
    if (runningRun == run) {
        runningRun.reset();
    }
    if (pendingResume == run->completion) {
        pendingResume.reset();
    }
    run->completion.fail(std::make_exception_ptr(
        PlatformError(tr("“%1” could not be started: %2")
                          .arg(run->process->program(), run->process->errorString()))));
    run->process->deleteLater();
}

void OpenCBMService::sendSignal(qint64 pid, int signal) const {
    if (signalSender && pid >= 1) {
        signalSender(pid, signal);
    }
}

bool OpenCBMService::isRegisteredAndRunning(qint64 pid) const {
    return runningRun && runningRun->pid == pid && runningRun->isRunning();
}

void OpenCBMService::scheduleHangCheck(qint64 pid, std::chrono::milliseconds delay) {
    // Qt times delays of 2 s and more coarsely, which may end a run before its delay is up.
    QTimer::singleShot(delay, Qt::PreciseTimer, this, [this, pid] {
        if (pid == 0 || (runningRun && runningRun->pid == pid)) {
            completePendingAsCancelled();
        }
    });
}

void OpenCBMService::completePendingAsCancelled() {
    if (auto pending = std::exchange(pendingResume, std::nullopt)) {
        pending->fail(std::make_exception_ptr(OpenCBMError::cancelled()));
    }
}

bool OpenCBMService::handedToOwnThread(void (OpenCBMService::*stop)()) {
    if (QThread::currentThread() == thread()) {
        return false;
    }
    QMetaObject::invokeMethod(
        this, [this, stop] { (this->*stop)(); }, Qt::QueuedConnection);
    return true;
}

void OpenCBMService::cancelRunningTool() {
    if (handedToOwnThread(&OpenCBMService::cancelRunningTool)) {
        return;
    }
    cancelRequested = true;
    const std::shared_ptr<ToolRun> run = runningRun;
    if (!run || run->pid < 1) {
        completePendingAsCancelled();
        return;
    }
    const qint64 pid = run->pid;
    if (run->isRunning()) {
        sendSignal(pid, SIGINT);
    }
    QTimer::singleShot(500ms, this, [this, pid] {
        if (isRegisteredAndRunning(pid)) {
            sendSignal(pid, SIGTERM);
        }
    });
    QTimer::singleShot(1400ms, this, [this, pid] {
        if (isRegisteredAndRunning(pid)) {
            sendSignal(pid, SIGKILL);
        }
    });
    scheduleHangCheck(pid, 2200ms);
}

void OpenCBMService::forceStopRunningTool() {
    if (handedToOwnThread(&OpenCBMService::forceStopRunningTool)) {
        return;
    }
    cancelRequested = true;
    const std::shared_ptr<ToolRun> run = runningRun;
    if (run && run->pid >= 1) {
        if (run->isRunning()) {
            sendSignal(run->pid, SIGKILL);
        }
        scheduleHangCheck(run->pid, 400ms);
        return;
    }
    completePendingAsCancelled();
}

LineObserver OpenCBMService::progressObserver(ProgressCallback progress, qint64 trackTotal,
                                              TrackOrder order) {
    if (!progress) {
        return {};
    }
    // A track-done line counts whole tracks, the redraws between them whole percents of the
    // sectors; the two may disagree by a little, and a bar must not step back for that.
    auto reached = std::make_shared<double>(0.0);
    return [progress = std::move(progress), trackTotal, order, reached](const QString& line) {
        const std::optional<double> fraction = progressFraction(line, trackTotal, order);
        if (fraction) {
            *reached = std::max(*reached, *fraction);
        }
        progress(line, fraction ? *reached : -1.0);
    };
}

void OpenCBMService::reportProgress(const ProgressCallback& progress, double fraction) {
    if (progress) {
        progress(QString(), fraction);
    }
}

} // namespace vellum
