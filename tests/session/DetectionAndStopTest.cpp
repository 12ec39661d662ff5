#include "BusFixture.h"

#include "model/OpenCBMError.h"

#include <QFile>
#include <csignal>

using namespace vellum;
using namespace vellum::testing;
using namespace std::chrono_literals;

namespace {

const QString stoppedText =
    QStringLiteral("Stopped. If the drive was powered off, turn it on and click Detect.");

} // namespace

TEST_F(SessionTest, StartUpWithoutToolsStaysQuiet) {
    QTemporaryDir folder;
    QFile(folder.filePath("GAME.PRG")).open(QIODevice::WriteOnly);
    QSettings().setValue(QStringLiteral("localFolderPath"), folder.path());
    VellumViewModel& model = session();

    QCoro::waitFor(model.startUp());
    EXPECT_EQ(desktop.permissionRequests, 1);
    ASSERT_EQ(model.localItems().size(), 1) << "the computer folder is listed";
    EXPECT_EQ(model.localItems().at(0).name, QStringLiteral("GAME.PRG"));
    EXPECT_EQ(model.statusHeadline(), QStringLiteral("The drive is ready."));
    EXPECT_EQ(model.driveTitle(), QStringLiteral("Drive 8 — Offline"));
    EXPECT_EQ(model.driveDetail(), QStringLiteral("IEC device not detected."));
    EXPECT_FALSE(model.zoomFloppyDetected());
    EXPECT_EQ(model.zoomFloppyDetail(),
              OpenCBMError::toolNotFound(QStringLiteral("xum1541cfg")).errorDescription());
    EXPECT_FALSE(model.lastError().has_value());
    EXPECT_EQ(model.operation(), OperationKind::idle);
    EXPECT_EQ(model.operationID(), 1);
}

TEST_F(BusSessionTest, DetectionWithoutAdapterOrDrive) {
    bus.setAdapterPresent(false);
    QCoro::waitFor(model->startUp());
    EXPECT_FALSE(model->zoomFloppyDetected());
    EXPECT_NE(model->zoomFloppyDetail(), QStringLiteral("Waiting for adapter."));
    EXPECT_FALSE(model->zoomFloppyDetail().isEmpty());
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("The drive is ready."));
    EXPECT_FALSE(model->lastError().has_value()) << "quiet detection raises no alert";

    // Asked for by the user, the same failure is reported.
    QCoro::waitFor(model->detect(false));
    ASSERT_TRUE(model->lastError().has_value());
    EXPECT_EQ(model->statusHeadline(), *model->lastError());
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 8 — Offline"));

    // The adapter answers but no drive does.
    bus.setAdapterPresent(true);
    QCoro::waitFor(model->detect(false));
    EXPECT_TRUE(model->zoomFloppyDetected());
    EXPECT_EQ(model->zoomFloppyDetail(), QStringLiteral("USB adapter responding."));
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 8 — Not found"));
    EXPECT_EQ(model->driveDetail(),
              QStringLiteral("ZoomFloppy is present, but no IEC drive replied."));
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("No drive detected on the bus."));
    EXPECT_TRUE(model->detectedDrives().isEmpty());
}

TEST_F(BusSessionTest, DetectionChoosesTheFirstAnsweringDriveAndSelectionSwitches) {
    bus.addDrive(9, "1541", diskWith("NINE", "09", {{"GAME", 300}}));
    bus.addDrive(10, "1571", diskWith("", "10", {{"TOOL", 100}}));
    model->setKnownDirectoryBlocks({{QStringLiteral("GAME"), 5}});
    QCoro::waitFor(model->detect(false));
    EXPECT_EQ(model->deviceNumber(), 9);
    EXPECT_TRUE(model->knownDirectoryBlocks().isEmpty()) << "drive 8's sizes are forgotten";
    ASSERT_EQ(model->detectedDrives().size(), 2);
    EXPECT_EQ(model->detectedDrives().at(1).deviceNumber, 10);
    EXPECT_TRUE(model->driveReady());
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 9 — Ready"));
    EXPECT_EQ(model->driveModel(), QStringLiteral("1541"));
    EXPECT_TRUE(model->zoomFloppyDetected());
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("The drive is ready."));
    EXPECT_FALSE(model->lastError().has_value());

    // A disk with no name but files: the headline names the drive instead.
    QCoro::waitFor(model->selectDrive(10));
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 10 — Ready"));
    EXPECT_EQ(model->driveModel(), QStringLiteral("1571"));
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("Directory of “drive 10” on drive 10."));
    ASSERT_EQ(model->directory().entries.size(), 1);
    EXPECT_EQ(model->selectedEntryIDs(), EntryIDSet{model->directory().entries.at(0).id});

    // Selecting the current drive again changes nothing.
    const qint64 operations = model->operationID();
    QCoro::waitFor(model->selectDrive(10));
    EXPECT_EQ(model->operationID(), operations);

    // A drive absent from the last detection is tried anyway and then marked offline.
    QCoro::Task<> trying = model->selectDrive(11);
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 11"));
    EXPECT_EQ(model->driveDetail(), QStringLiteral("Not found on last Detect. Trying anyway…"));
    EXPECT_TRUE(model->directory().entries.isEmpty());
    QCoro::waitFor(std::move(trying));
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 11 — Offline"));
    EXPECT_TRUE(model->lastError().has_value());
    EXPECT_EQ(model->detectedDrives().size(), 2) << "a failed selection keeps the drive list";
    EXPECT_EQ(model->operation(), OperationKind::idle);
}

TEST_F(BusSessionTest, EmptyDiskOnSelectedDriveAndBusReset) {
    bus.addDrive(8, "1541");
    bus.addDrive(9, "1541", diskWith("", "00", {}));
    QCoro::waitFor(model->detect(true));
    QCoro::waitFor(model->selectDrive(9));
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("Directory of “drive 9” on drive 9."))
        << "a formatted disk still lists its free blocks";

    model->service().setResetSettleTime(0ms);
    model->setDriveModel(QStringLiteral("1541"));
    QCoro::waitFor(model->resetIECBus());
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("The drive is ready."));
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 9 — Ready"));
    EXPECT_EQ(model->driveModel(), QStringLiteral("1541"));
    EXPECT_FALSE(model->lastError().has_value());
    EXPECT_EQ(model->operation(), OperationKind::idle);
}

TEST_F(BusSessionTest, RequestsWhileBusyAreIgnored) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {{"GAME", 300}}));
    bus.setFault("hang");
    QCoro::Task<> reading = model->readDirectory();
    ASSERT_EQ(model->operation(), OperationKind::readingDirectory);
    const QString headline = model->statusHeadline();
    const qint64 number = model->operationID();

    QCoro::waitFor(model->detect(false));
    QCoro::waitFor(model->validateFloppy());
    QCoro::waitFor(model->selectDrive(9));
    EXPECT_EQ(model->statusHeadline(), headline);
    EXPECT_EQ(model->operationID(), number);
    EXPECT_EQ(model->deviceNumber(), 8);

    model->stop();
    model->stop();
    QCoro::waitFor(std::move(reading));
    EXPECT_EQ(model->operation(), OperationKind::idle);
}

TEST_F(BusSessionTest, StoppingDetectionAfterTheAdapterAnsweredRaisesNoAlert) {
    bus.addDrive(8, "1541");
    // The adapter answers, then the bus hangs.
    QObject::connect(model.get(), &VellumViewModel::zoomFloppyDetectedChanged, [this] {
        if (model->zoomFloppyDetected()) {
            bus.setFault("hang");
        }
    });
    QCoro::Task<> detecting = model->detect(false);
    ASSERT_TRUE(spinUntil([&] { return model->zoomFloppyDetected(); }));
    spin(100ms);
    model->stop();
    model->stop();
    QCoro::waitFor(std::move(detecting));
    EXPECT_EQ(model->operation(), OperationKind::idle);
    EXPECT_EQ(model->statusHeadline(), stoppedText);
    EXPECT_FALSE(model->lastError().has_value());
    EXPECT_EQ(model->driveTitle(), QStringLiteral("Drive 8 — Offline"));
    EXPECT_TRUE(model->detectedDrives().isEmpty());
}

TEST_F(BusSessionTest, StopReleasesAHungToolAndASecondPressKillsIt) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {{"GAME", 300}}));
    bus.setFault("hang");
    bus.setFault("ignore-sigint-sigterm");

    // A tool that shrugs off every gentle signal: the session gives up waiting on its own.
    QList<std::pair<qint64, int>> signalsSent;
    model->service().setSignalSender([&](qint64 pid, int signal) {
        signalsSent.append({pid, signal});
        if (signal == SIGKILL) {
            ::kill(pid_t(pid), SIGKILL);
        }
    });
    QCoro::Task<> validating = model->validateFloppy();
    spin(100ms);
    model->stop();
    EXPECT_TRUE(model->isStopping());
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("Stopping…"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(spinUntil([&] { return model->operation() == OperationKind::idle; }));
    EXPECT_LT(clock.elapsed(), 3500) << "released no later than the stop grace period";
    QCoro::waitFor(std::move(validating));
    EXPECT_EQ(model->statusHeadline(), stoppedText);
    EXPECT_FALSE(model->lastError().has_value());
    ASSERT_FALSE(signalsSent.isEmpty());
    EXPECT_EQ(signalsSent.at(0).second, SIGINT);

    // Second press: the kill goes out at once.
    signalsSent.clear();
    QCoro::Task<> again = model->initializeFloppy();
    spin(100ms);
    model->stop();
    model->stop();
    ASSERT_FALSE(signalsSent.isEmpty());
    EXPECT_EQ(signalsSent.last().second, SIGKILL);
    QCoro::waitFor(std::move(again));
    EXPECT_EQ(model->operation(), OperationKind::idle);
    EXPECT_EQ(model->statusHeadline(), stoppedText);
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(BusSessionTest, AStoppedBusResetSendsNothingMore) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {}));
    QCoro::waitFor(model->detect(true));
    // The drives' settle wait after the reset outlasts the stop grace period.
    model->service().setResetSettleTime(3500ms);
    QCoro::Task<> resetting = model->resetIECBus();
    spin(300ms);
    model->stop();
    ASSERT_TRUE(spinUntil([&] { return model->operation() == OperationKind::idle; }));
    EXPECT_EQ(model->statusHeadline(), stoppedText);
    bus.setStatus(8, QStringLiteral("73,cbm dos v2.6 1541,00,00"));
    model->setDriveDetail(QStringLiteral("untouched"));
    QCoro::waitFor(std::move(resetting));
    EXPECT_EQ(model->statusHeadline(), stoppedText) << "the reset did not go on after Stop";
    EXPECT_EQ(model->driveDetail(), QStringLiteral("untouched"));
    EXPECT_EQ(bus.status(8), QStringLiteral("73,cbm dos v2.6 1541,00,00"))
        << "no initialize reached the drive";
}

TEST_F(SessionTest, StopTimerEndsOnlyTheOperationItWasStartedFor) {
    VellumViewModel& model = session();
    // An operation that never answers the stop itself.
    const qint64 stuck = model.beginOperation(OperationKind::copyingFiles, "Copying…");
    QElapsedTimer clock;
    clock.start();
    model.stop();
    QCoro::waitFor(QCoro::sleepFor(2000ms));
    EXPECT_EQ(model.operation(), OperationKind::copyingFiles);
    while (model.operation() != OperationKind::idle && clock.elapsed() < 10000) {
        QCoro::waitFor(QCoro::sleepFor(20ms));
    }
    EXPECT_EQ(model.operation(), OperationKind::idle);
    EXPECT_GE(clock.elapsed(), 2500);
    EXPECT_EQ(model.statusHeadline(), stoppedText);

    // Its late end does not touch the next operation, nor does the next one's stop timer
    // fire for an operation that already ended on its own.
    const qint64 next = model.beginOperation(OperationKind::readingDirectory, "Reading…");
    model.endOperation(stuck);
    EXPECT_EQ(model.operation(), OperationKind::readingDirectory);
    model.stop();
    model.endOperation(next);
    const qint64 third = model.beginOperation(OperationKind::deleting, "Deleting…");
    QCoro::waitFor(QCoro::sleepFor(3000ms));
    EXPECT_EQ(model.operation(), OperationKind::deleting);
    EXPECT_EQ(model.statusHeadline(), QStringLiteral("Deleting…"));
    model.endOperation(third);
}

TEST_F(BusSessionTest, ADroppedOperationRunsToTheEnd) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {{"GAME", 300}, {"NOTES", 100}}));
    model->setDriveModel(QStringLiteral("1541"));
    { [[maybe_unused]] QCoro::Task<> dropped = model->readDirectory(); }
    ASSERT_TRUE(spinUntil([&] { return model->operation() == OperationKind::idle; }));
    EXPECT_EQ(model->directory().entries.size(), 2);
    EXPECT_EQ(model->statusHeadline(), QStringLiteral("Directory of “games” loaded."));
}
