#include "DemoTour.h"

#include "DemoApplication.h"

#include "session/VellumViewModel.h"
#include "ui/kit/IconButton.h"
#include "ui/window/CommandActions.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/MainWindow.h"
#include "ui/window/TransferControls.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace vellum::demo {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("DemoTour", text);
}

[[noreturn]] void fail(const QString& text) {
    throw TourFailure(text.toStdString());
}

void require(bool condition, const QString& text) {
    if (!condition) {
        fail(text);
    }
}

} // namespace

DemoTour::DemoTour(DemoApplication& demo, std::chrono::milliseconds stepTimeout)
    : demo(demo), session(demo.session()), window(demo.window()), timeout(stepTimeout) {}

QList<TourShot> DemoTour::run(const AfterStep& afterStep) {
    struct Step {
        TourStep step;
        QString title;
        QString picture;
        void (DemoTour::*perform)(TourShot&);
    };
    const QList<Step> steps{
        {TourStep::detect, tr("Detect the adapter and the drives"), QStringLiteral("detect"),
         &DemoTour::detect},
        {TourStep::readDirectory, tr("Read the floppy's directory"),
         QStringLiteral("read-directory"), &DemoTour::readDirectory},
        {TourStep::copyToFloppy, tr("Copy %1 to the floppy").arg(QLatin1String(fileToFloppy)),
         QStringLiteral("copy-to-floppy"), &DemoTour::copyToFloppy},
        {TourStep::copyToComputer,
         tr("Copy %1 to the computer").arg(QLatin1String(entryToComputer)),
         QStringLiteral("copy-to-computer"), &DemoTour::copyToComputer},
        {TourStep::saveAsD64, tr("Save the floppy as a .d64 image"), QStringLiteral("save-d64"),
         &DemoTour::saveAsD64},
        {TourStep::openD64, tr("Open the saved image in the computer pane"),
         QStringLiteral("open-d64"), &DemoTour::openD64},
    };

    if (!QDir().mkpath(demo.folder().screenshots)) {
        fail(tr("Could not create the folder %1.").arg(demo.folder().screenshots));
    }
    window.show();
    waitForStartUp();

    QList<TourShot> shots;
    for (const Step& step : steps) {
        TourShot shot{step.step, step.title, {}, {}, {}};
        ++stepNumber;
        filesBefore = sampleFiles();
        try {
            (this->*step.perform)(shot);
        } catch (const TourFailure& failure) {
            fail(tr("Step %1 (%2): %3")
                     .arg(stepNumber)
                     .arg(step.title, QString::fromUtf8(failure.what())));
        }
        shot.made = madeFiles();
        shot.screenshot = takeScreenshot(step.picture);
        shots << shot;
        if (afterStep) {
            afterStep(shot);
        }
    }
    return shots;
}

void DemoTour::waitForStartUp() {
    // The start-up lists the folder and detects quietly, as one operation.
    const bool started = waitFor([this] {
        return window.hasStarted() && session.status().operationID() > 0 &&
               session.status().isIdle();
    });
    require(
        started,
        tr("The window did not finish starting up within %1 seconds.").arg(timeout.count() / 1000));
}

void DemoTour::detect(TourShot&) {
    perform(tr("Detect"), [this] { trigger(CommandId::detect); });
    const DriveState& drives = session.drives();
    require(drives.zoomFloppyDetected(), tr("Detect did not find the simulated adapter."));
    require(drives.driveReady(),
            tr("Detect did not find a drive ready: %1").arg(session.status().statusHeadline()));
}

void DemoTour::readDirectory(TourShot&) {
    perform(tr("Read Directory"), [this] { trigger(CommandId::readDirectory); });
    require(!session.floppy().directory().entries.isEmpty(),
            tr("The floppy's directory came back empty."));
}

void DemoTour::copyToFloppy(TourShot&) {
    const QString name = QLatin1String(fileToFloppy);
    std::optional<ComputerFileItem> item;
    for (const ComputerFileItem& each : session.computer().visibleLocalItems()) {
        if (each.name == name) {
            item = each;
        }
    }
    require(item.has_value(), tr("The computer pane does not list %1.").arg(name));
    session.computer().click(item->url, {});
    settle();
    const qsizetype entries = session.floppy().directory().entries.size();
    perform(tr("Copy to Floppy"), [this] {
        click(window.frame()->transferControls()->toFloppy(), tr("Copy to Floppy"));
    });
    require(session.floppy().directory().entries.size() == entries + 1,
            tr("The floppy's directory does not show the copied file."));
}

void DemoTour::copyToComputer(TourShot&) {
    const QString name = QLatin1String(entryToComputer);
    std::optional<DirectoryEntry> entry;
    for (const DirectoryEntry& each : session.floppy().directory().entries) {
        // Drives list names as they are typed on a C64, which the tools print in lower case.
        if (each.name.compare(name, Qt::CaseInsensitive) == 0) {
            entry = each;
        }
    }
    require(entry.has_value(), tr("The floppy does not list %1.").arg(name));
    session.floppy().click(entry->id, {});
    settle();
    perform(tr("Copy to Computer"), [this] {
        click(window.frame()->transferControls()->toComputer(), tr("Copy to Computer"));
    });
    require(madeFiles().size() == 1,
            tr("The copy did not make one new file in %1.").arg(demo.folder().samples));
}

void DemoTour::saveAsD64(TourShot& shot) {
    // A picture half way, while the bar moves (a fast drive may finish before).
    whileWaiting = [this, &shot] {
        const OperationStatus& status = session.status();
        if (shot.extra.isEmpty() && !status.isIdle() && status.progress() >= 0.5) {
            shot.extra << takeScreenshot(QStringLiteral("save-d64-running"));
        }
    };
    perform(tr("Save .d64"), [this] { trigger(CommandId::saveD64); });
    whileWaiting = nullptr;
    const QStringList made = madeFiles();
    require(made.size() == 1 && made.first().endsWith(QLatin1String(".d64")),
            tr("The save did not make one new .d64 image in %1.").arg(demo.folder().samples));
    savedImage = QUrl::fromLocalFile(made.first());
}

void DemoTour::openD64(TourShot&) {
    // A user presses Refresh to see the image that was just saved into the folder.
    trigger(CommandId::refresh);
    settle();
    std::optional<ComputerFileItem> image;
    for (const ComputerFileItem& each : session.computer().visibleLocalItems()) {
        if (each.url == savedImage) {
            image = each;
        }
    }
    require(image.has_value(), tr("The computer pane does not list the saved image."));
    // What a double-click on the row does.
    session.computer().click(image->url, {});
    session.activate(*image);
    settle();
    require(session.computer().browsingImage() == image->url,
            tr("The saved image did not open in the computer pane: %1")
                .arg(session.status().statusHeadline()));
}

void DemoTour::perform(const QString& what, const std::function<void()>& act) {
    OperationStatus& status = session.status();
    require(status.isIdle(), tr("%1: another operation is still running.").arg(what));
    status.dismissLastError();
    const qint64 before = status.operationID();
    act();
    const bool ended = waitFor([&status, before] {
        return status.isIdle() && (status.operationID() != before || status.lastError());
    });
    require(ended, tr("%1 did not end within %2 seconds (status: %3).")
                       .arg(what)
                       .arg(timeout.count() / 1000)
                       .arg(status.statusHeadline()));
    if (status.lastError()) {
        fail(tr("%1 failed: %2").arg(what, *status.lastError()));
    }
    settle();
}

void DemoTour::trigger(CommandId command) {
    settle();
    QAction* action = window.commandActions().action(command);
    require(action->isEnabled(), tr("“%1” is not available.").arg(action->text()));
    action->trigger();
}

void DemoTour::click(QAbstractButton* button, const QString& name) {
    require(button->isEnabled(), tr("The “%1” button is not available.").arg(name));
    button->click();
}

bool DemoTour::waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(20);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (whileWaiting) {
            whileWaiting();
        }
        if (done() || clock.hasExpired(timeout.count())) {
            loop.quit();
        }
    });
    // The session's own signals end the wait at once rather than at the next tick.
    const OperationStatus& status = session.status();
    for (auto signal : {&OperationStatus::operationChanged, &OperationStatus::lastErrorChanged}) {
        QObject::connect(&status, signal, &loop, [&] {
            if (done()) {
                QTimer::singleShot(0, &loop, &QEventLoop::quit);
            }
        });
    }
    if (!done()) {
        tick.start();
        loop.exec();
    }
    return done();
}

void DemoTour::settle() {
    // commandsChanged is queued, and layouts follow on posted events: two turns let both
    // through.
    for (int turn = 0; turn < 2; ++turn) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

QString DemoTour::takeScreenshot(const QString& name) {
    settle();
    const QString path =
        QDir(demo.folder().screenshots)
            .filePath(
                QStringLiteral("%1-%2.png").arg(stepNumber, 2, 10, QLatin1Char('0')).arg(name));
    if (!window.grab().save(path)) {
        fail(tr("Could not save the picture %1.").arg(path));
    }
    return path;
}

QStringList DemoTour::sampleFiles() const {
    return QDir(demo.folder().samples).entryList(QDir::Files, QDir::Name);
}

QStringList DemoTour::madeFiles() const {
    QStringList made;
    for (const QString& name : sampleFiles()) {
        if (!filesBefore.contains(name)) {
            made << QDir(demo.folder().samples).filePath(name);
        }
    }
    return made;
}

} // namespace vellum::demo
