#include "DemoApplication.h"
#include "DemoFolder.h"
#include "DemoTour.h"
#include "TourDesktopServices.h"

#include "model/OpenCBMError.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using namespace vellum;
using namespace vellum::demo;

QString tr(const char* text) {
    return QCoreApplication::translate("vellum-demo", text);
}

void say(const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void complain(const QString& text) {
    std::fputs(qPrintable(QStringLiteral("vellum-demo: ") + text + QLatin1Char('\n')), stderr);
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool asksForTour(int argc, char** argv) {
    return std::any_of(argv + 1, argv + argc,
                       [](const char* argument) { return std::strcmp(argument, "--tour") == 0; });
}

int runTour(DemoApplication& demo, double secondsPerTrack) {
    // Saving a whole floppy is the longest step: 35 tracks at the drive's pace.
    const auto timeout =
        std::chrono::milliseconds(60'000 + qint64(35 * secondsPerTrack * 4 * 1000));
    DemoTour tour(demo, timeout);
    say(tr("The tour, with a picture of the window after each step:"));
    try {
        int number = 0;
        tour.run([&number](const TourShot& shot) {
            say(QStringLiteral("%1. %2").arg(++number).arg(shot.title));
            for (const QString& extra : shot.extra) {
                say(QStringLiteral("     %1").arg(extra));
            }
            say(QStringLiteral("     %1").arg(shot.screenshot));
        });
    } catch (const TourFailure& failure) {
        complain(tr("the tour stopped. %1").arg(QString::fromUtf8(failure.what())));
        return 1;
    }
    say(tr("The tour ended; everything it made is in %1.").arg(demo.folder().root));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool tour = asksForTour(argc, argv);
    if (!hasDisplay()) {
        if (!tour) {
            complain(tr("there is no display to open the window on (neither DISPLAY nor "
                        "WAYLAND_DISPLAY is set). Run with --tour to walk the demo offscreen."));
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Vellum on a simulated IEC bus: drive 8 is a 1541-II with a sample disk, drive 9 a "
           "1571 without one, and the computer pane opens on a folder of sample files."));
    parser.addHelpOption();
    const QCommandLineOption tourOption(
        QStringLiteral("tour"),
        tr("Walk through detect, directory, a copy each way, saving and opening a .d64, and "
           "save a picture of the window after each step; then quit."));
    const QCommandLineOption folderOption(
        QStringLiteral("folder"),
        tr("The demo folder, made afresh on every run (default: %1).")
            .arg(QStringLiteral(VELLUM_DEMO_DIR)),
        tr("folder"), QStringLiteral(VELLUM_DEMO_DIR));
    const QCommandLineOption paceOption(
        QStringLiteral("seconds-per-track"),
        tr("How long the simulated drives take per track (default: %1).")
            .arg(realDriveSecondsPerTrack),
        tr("seconds"), QString::number(realDriveSecondsPerTrack));
    parser.addOptions({tourOption, folderOption, paceOption});
    parser.process(application);

    bool paceOk = false;
    const double secondsPerTrack = parser.value(paceOption).toDouble(&paceOk);
    if (!paceOk || secondsPerTrack < 0 || secondsPerTrack > 10) {
        complain(tr("--seconds-per-track takes a number from 0 to 10."));
        return 2;
    }

    std::optional<DemoFolder> folder;
    try {
        folder = prepareDemoFolder(parser.value(folderOption), secondsPerTrack);
    } catch (const PlatformError& error) {
        complain(error.errorDescription());
        return 1;
    }
    say(tr("Demo folder: %1 (the simulated bus, the sample files and the demo's settings)")
            .arg(folder->root));

    std::unique_ptr<DesktopServices> desktop;
    if (tour) {
        desktop = std::make_unique<TourDesktopServices>(*folder);
    }
    DemoApplication demo(application, *folder, std::move(desktop));
    if (tour) {
        return runTour(demo, secondsPerTrack);
    }
    demo.window().show();
    return QApplication::exec();
}
