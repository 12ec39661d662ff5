#include "StallMeter.h"

#include "FakeDesktopServices.h"
#include "SimulatedBus.h"
#include "images/D64Builder.h"
#include "images/DiskMap.h"
#include "session/VellumViewModel.h"
#include "ui/diskmap/DiskMapView.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/MainWindow.h"
#include "ui/window/StatusPanel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
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

// One paint of a D81's map (3,200 sectors of every class) at a pane's size; a live map is
// painted again for every track-map line a transfer prints. Target: 2 ms.
void paintOfAD81Map(benchmark::State& state) {
    D64Builder builder = D64Builder::create("BENCH", "01", DiskImageFormat::d81);
    for (int i = 0; i < 40; ++i) {
        builder.addFile(QString("FILE %1").arg(i), CBMFileType::prg,
                        QByteArray(5000 + i * 97, 'x'));
    }
    QByteArray errors(3200, '\x01');
    for (int i = 0; i < 3200; i += 37) {
        errors[i] = '\x05';
    }
    DiskMapView view;
    view.resize(420, 560);
    view.setMap(diskMapOfImage(builder.data() + errors));
    view.show();
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        view.render(&target);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(paintOfAD81Map)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

// A track-map line reaching the live map: parse, hand the map to the view, paint.
void liveTrackLineOnAD81Map(benchmark::State& state) {
    DiskMap map = emptyDiskMap(geometryOf(DiskImageFormat::d81));
    DiskMapView view;
    view.resize(420, 560);
    view.setMap(map);
    view.show();
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    qint64 track = 0;
    for (auto _ : state) {
        const QString line = QString("\r%1: ").arg(track % 80 + 1, 2) + QString(17, '*') + "?" +
                             QString(22, '-') + " 45%  1440/3200";
        ++track;
        QElapsedTimer clock;
        clock.start();
        applyTransferLine(map, line);
        view.setMap(map);
        view.render(&target);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(liveTrackLineOnAD81Map)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

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
