// Times two things the window does through the session: adding 144 files to the D64 open
// in the computer pane (wall time, and the longest time the event loop stood still), and
// listing a folder of 10,000 files. Prints the median of several runs of each.

#include "images/D64Builder.h"
#include "session/DesktopServices.h"
#include "session/VellumViewModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace vellum;

namespace {

class QuietDesktop : public DesktopServices {
public:
    std::optional<QUrl> chooseSaveFile(const FilePanelRequest&) override { return {}; }
    QList<QUrl> chooseOpenFiles(const FilePanelRequest&) override { return {}; }
    std::optional<QUrl> chooseFolder(const FilePanelRequest&) override { return {}; }
    void revealInFileManager(const QList<QUrl>&) override {}
    void requestNotificationPermission() override {}
    void postNotification(const QString&, const QString&) override {}
    void composeMail(const QString&, const QString&, const QString&) override {}
    void moveToTrash(const QUrl&) override {}
};

// The longest gap between two turns of the event loop while it runs.
class StallProbe : public QObject {
public:
    StallProbe() {
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [this] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
    }
    void start() {
        longest = 0;
        clock.start();
        last = 0;
        timer.start();
    }
    double stopMilliseconds() {
        timer.stop();
        longest = std::max(longest, clock.nsecsElapsed() - last);
        return double(longest) / 1e6;
    }

private:
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void report(const char* what, const QList<double>& values, double target) {
    const double worst = *std::max_element(values.begin(), values.end());
    std::printf("%-44s median %7.2f ms  worst %7.2f ms  target %5.1f ms  %s\n", what,
                median(values), worst, target, median(values) <= target ? "ok" : "OVER");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    constexpr int runs = 9;

    QTemporaryDir work;
    QuietDesktop desktop;
    VellumViewModel session(desktop, {work.filePath("no-tools")});

    // 144 small program files and an empty disk image beside them.
    const QDir files(work.filePath("files"));
    QDir().mkpath(files.path());
    QList<QUrl> programs;
    for (int i = 0; i < 144; ++i) {
        const QString path = files.filePath(QStringLiteral("prog%1.prg").arg(i, 3, 10, QChar('0')));
        writeFile(path, QByteArray("\x01\x08", 2) + QByteArray(200, char(i)));
        programs.append(QUrl::fromLocalFile(path));
    }
    const QString image = files.filePath(QStringLiteral("disk.d64"));
    QList<double> addWall;
    QList<double> addStall;
    StallProbe probe;
    for (int run = 0; run < runs; ++run) {
        writeFile(image, D64Builder::create(QStringLiteral("BENCH"), QStringLiteral("01")).data());
        session.navigate(QUrl::fromLocalFile(files.path()));
        session.openImage(QUrl::fromLocalFile(image));
        probe.start();
        QElapsedTimer clock;
        clock.start();
        QCoro::waitFor(session.addFilesToImage(programs, QUrl::fromLocalFile(image)));
        addWall.append(double(clock.nsecsElapsed()) / 1e6);
        addStall.append(probe.stopMilliseconds());
        if (session.status().lastError() || session.computer().computerItems().size() != 144) {
            qFatal("the files did not all go in: %s",
                   qPrintable(session.status().lastError().value_or(QString())));
        }
    }
    report("add 144 files to the open D64 (wall)", addWall, 50);
    report("  longest stall of the event loop", addStall, 16);

    // A folder of 10,000 files, listed as the pane lists it.
    const QDir big(work.filePath("big"));
    QDir().mkpath(big.path());
    for (int i = 0; i < 10000; ++i) {
        writeFile(big.filePath(QStringLiteral("Game%1.prg").arg(i)), "x");
    }
    QList<double> listing;
    for (int run = 0; run < runs; ++run) {
        session.navigate(QUrl::fromLocalFile(files.path()));
        QElapsedTimer clock;
        clock.start();
        session.navigate(QUrl::fromLocalFile(big.path()));
        listing.append(double(clock.nsecsElapsed()) / 1e6);
        if (session.computerListModel().rowCount() != 10000) {
            qFatal("the folder was not listed whole");
        }
    }
    report("list a folder of 10,000 files", listing, 60);
    QList<double> refresh;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        session.refreshLocalItems();
        refresh.append(double(clock.nsecsElapsed()) / 1e6);
    }
    report("refresh that folder (nothing changed)", refresh, 60);
    return 0;
}
