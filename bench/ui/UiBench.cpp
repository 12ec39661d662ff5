#include "StallMeter.h"

#include "FakeDesktopServices.h"
#include "SimulatedBus.h"
#include "images/D64Builder.h"
#include "session/VellumViewModel.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/MainWindow.h"
#include "ui/window/StatusPanel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace vellum;
using namespace vellum::testing;
using vellum::bench::StallMeter;

namespace {

QElapsedTimer processClock;
StallMeter* meter = nullptr;

// Waits for something on the event loop, at most `limitMs`.
bool runUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

// Notes the time of the first paint of a widget.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* watched) { watched->installEventFilter(this); }
    qint64 at = -1;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && at < 0) {
            at = processClock.nsecsElapsed();
        }
        return false;
    }
};

// Start-up with a bus whose tools hang: the quiet detection never ends, and must not hold
// up the first paint or the event loop.
void startUpToFirstPaint(benchmark::State& state) {
    SimulatedBus bus;
    bus.addDrive(8, QStringLiteral("1541"), D64Builder::create("BENCH", "01").data());
    bus.setFault(QStringLiteral("hang"));
    bus.exportEnvironment();
    double coldMs = -1;
    double worstStall = 0;
    for (auto _ : state) {
        const qint64 begin = processClock.nsecsElapsed();
        Theme::shared().apply(AppAppearance::modernC64);
        FakeDesktopServices desktop;
        auto session =
            std::make_unique<VellumViewModel>(desktop, QStringList{SimulatedBus::binDir()});
        auto window = std::make_unique<MainWindow>(*session);
        FirstPaint paint(window->frame());
        window->show();
        runUntil([&] { return paint.at >= 0; }, 5000);
        const double ms = double(paint.at - begin) / 1e6;
        if (coldMs < 0) {
            coldMs = double(paint.at) / 1e6; // from the start of the process
        }
        state.SetIterationTime(ms / 1000.0);

        // The start-up runs after the paint; the hanging detection leaves the loop free.
        meter->reset();
        runUntil([&] { return window->hasStarted(); }, 2000);
        runUntil([] { return false; }, 300);
        worstStall = qMax(worstStall, meter->longestStallMs());
        session->stop();
        session->stop();
        runUntil([&] { return session->status().isIdle(); }, 5000);
        window.reset();
        session.reset();
    }
    state.counters["first_start_from_process_ms"] = coldMs;
    state.counters["longest_stall_during_startup_ms"] = worstStall;
    state.counters["longest_stall_during_startup_cpu_ms"] = meter->longestStallCpuMs();
}
BENCHMARK(startUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Notes when the bar shows each new progress value.
class BarWatch : public QObject {
public:
    BarWatch(VellumViewModel& session, VellumProgressBar* bar) : session(session), bar(bar) {
        bar->installEventFilter(this);
        connect(&session.status(), &OperationStatus::progressChanged, this, [this] {
            if (changedAt < 0) {
                changedAt = processClock.nsecsElapsed();
            }
            ++changes;
        });
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && changedAt >= 0) {
            longestLag = qMax(longestLag, processClock.nsecsElapsed() - changedAt);
            changedAt = -1;
            ++paints;
        }
        return false;
    }
    VellumViewModel& session;
    VellumProgressBar* bar;
    qint64 changedAt = -1;
    qint64 longestLag = 0;
    int changes = 0;
    int paints = 0;
};

// Saving a floppy while d64copy prints about a thousand progress lines a second.
void progressAtAThousandLinesASecond(benchmark::State& state) {
    SimulatedBus bus;
    bus.addDrive(8, QStringLiteral("1541"), D64Builder::create("BENCH", "01").data());
    // d64copy prints 717 lines (one per sector, one per track) over 35 tracks of 10 ms:
    // about 2,000 lines a second at its own pace, at least 1,000 as it runs here.
    bus.setFault(QStringLiteral("seconds-per-track"), QStringLiteral("0.01"));
    bus.exportEnvironment();
    QTemporaryDir out;
    FakeDesktopServices desktop;
    VellumViewModel session(desktop, {SimulatedBus::binDir()});
    MainWindow window(session);
    window.show();
    runUntil([&] { return window.hasStarted() && session.status().isIdle(); }, 10000);
    double worstStall = 0, worstCpuStall = 0, worstLagMs = 0, slowestLines = 1e9;
    int run = 0;
    for (auto _ : state) {
        desktop.saveFileAnswers.enqueue(
            QUrl::fromLocalFile(QDir(out.path()).filePath(QString("run-%1.d64").arg(run++))));
        BarWatch watch(session, window.frame()->statusPanel()->progressBar());
        meter->reset();
        QElapsedTimer clock;
        clock.start();
        session.saveFloppyAsD64();
        runUntil([&] { return !session.status().isIdle(); }, 2000);
        runUntil([&] { return session.status().isIdle(); }, 30000);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        // The whole operation (status, copy, re-read) is longer than the copy, so this is
        // a lower bound of the rate the lines came at.
        slowestLines = qMin(slowestLines, 717.0 / (double(clock.elapsed()) / 1000.0));
        if (meter->longestStallMs() > worstStall) {
            state.SetLabel(("longest stall: event " + meter->longestStallWhat()).toStdString());
        }
        worstStall = qMax(worstStall, meter->longestStallMs());
        worstCpuStall = qMax(worstCpuStall, meter->longestStallCpuMs());
        worstLagMs = qMax(worstLagMs, double(watch.longestLag) / 1e6);
        if (session.status().lastError()) {
            state.SkipWithError(session.status().lastError()->toStdString().c_str());
        }
    }
    state.counters["longest_stall_ms"] = worstStall;
    state.counters["longest_stall_cpu_ms"] = worstCpuStall;
    state.counters["longest_bar_lag_ms"] = worstLagMs;
    state.counters["progress_lines_per_s_at_least"] = slowestLines;
}
BENCHMARK(progressAtAThousandLinesASecond)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    processClock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    StallMeter application(argc, argv);
    meter = &application;
    // Keep the user's own settings out of it.
    QTemporaryDir settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
