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

    waitForTask(model.startUp());
    EXPECT_EQ(desktop.permissionRequests, 1);
    ASSERT_EQ(model.computer().computerItems().size(), 1) << "the computer folder is listed";
    EXPECT_EQ(model.computer().computerItems().at(0).name, QStringLiteral("GAME.PRG"));
    EXPECT_EQ(model.status().statusHeadline(), QStringLiteral("OpenCBM tool “cbmctrl” not found."))
        << "a missing tool is never a ready drive";
    EXPECT_EQ(model.drives().driveTitle(), QStringLiteral("Drive 8 — Offline"));
    EXPECT_EQ(model.drives().driveDetail(), QStringLiteral("IEC device not detected."));
    EXPECT_FALSE(model.drives().zoomFloppyDetected());
    EXPECT_EQ(model.drives().zoomFloppyDetail(),
              OpenCBMError::toolNotFound(QStringLiteral("xum1541cfg"), {emptyToolFolder.path()})
                  .errorDescription());
    EXPECT_FALSE(model.status().lastError().has_value());
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
    EXPECT_EQ(model.status().operationID(), 1);
}

TEST_F(BusSessionTest, DetectionWithoutAdapterOrDrive) {
    bus.setAdapterPresent(false);
    waitForTask(model->startUp());
    EXPECT_FALSE(model->drives().zoomFloppyDetected());
    EXPECT_NE(model->drives().zoomFloppyDetail(), QStringLiteral("Waiting for adapter."));
    EXPECT_FALSE(model->drives().zoomFloppyDetail().isEmpty());
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("ZoomFloppy not detected."));
    EXPECT_FALSE(model->status().lastError().has_value()) << "quiet detection raises no alert";

    // Asked for by the user, the same failure is reported.
    waitForTask(model->detect(false));
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->status().statusHeadline(), *model->status().lastError());
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 8 — Offline"));

    // The adapter answers but no drive does.
    bus.setAdapterPresent(true);
    waitForTask(model->detect(false));
    EXPECT_TRUE(model->drives().zoomFloppyDetected());
    EXPECT_EQ(model->drives().zoomFloppyDetail(), QStringLiteral("USB adapter responding."));
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 8 — Not found"));
    EXPECT_EQ(model->drives().driveDetail(),
              QStringLiteral("ZoomFloppy is present, but no IEC drive replied."));
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("No drive detected on the bus."));
    EXPECT_TRUE(model->drives().detectedDrives().isEmpty());
}

TEST_F(BusSessionTest, DetectionChoosesTheFirstAnsweringDriveAndSelectionSwitches) {
    bus.addDrive(9, "1541", diskWith("NINE", "09", {{"GAME", 300}}));
    bus.addDrive(10, "1571", diskWith("", "10", {{"TOOL", 100}}));
    StateEditor(*model).setKnownDirectoryBlocks({{QStringLiteral("GAME"), 5}});
    // Drive 8's listing must not stay on screen for Delete or Rename to act on by name.
    const DirectoryEntry old = floppyEntry(QStringLiteral("game"));
    StateEditor(*model).setDirectory(DiskDirectory{QStringLiteral("EIGHT"), {}, {old}, 600});
    StateEditor(*model).setFloppySelection({old.id});
    waitForTask(model->detect(false));
    EXPECT_EQ(model->drives().deviceNumber(), 9);
    EXPECT_TRUE(model->floppy().knownDirectoryBlocks().isEmpty())
        << "drive 8's sizes are forgotten";
    EXPECT_EQ(model->floppy().directory(), DiskDirectory::empty());
    EXPECT_TRUE(model->floppy().selectedEntryIDs().isEmpty());
    EXPECT_FALSE(model->floppy().floppySelectionAnchor().has_value());
    ASSERT_EQ(model->drives().detectedDrives().size(), 2);
    EXPECT_EQ(model->drives().detectedDrives().at(1).deviceNumber, 10);
    EXPECT_TRUE(model->drives().driveReady());
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 9 — Ready"));
    EXPECT_EQ(model->drives().driveModel(), QStringLiteral("1541"));
    EXPECT_TRUE(model->drives().zoomFloppyDetected());
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("The drive is ready."));
    EXPECT_FALSE(model->status().lastError().has_value());

    // A disk with no name but files: the headline names the drive instead.
    waitForTask(model->selectDrive(10));
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 10 — Ready"));
    EXPECT_EQ(model->drives().driveModel(), QStringLiteral("1571"));
    EXPECT_EQ(model->status().statusHeadline(),
              QStringLiteral("Directory of “drive 10” on drive 10."));
    ASSERT_EQ(model->floppy().directory().entries.size(), 1);
    EXPECT_EQ(model->floppy().selectedEntryIDs(),
              EntryIDSet{model->floppy().directory().entries.at(0).id});

    // Selecting the current drive again changes nothing.
    const qint64 operations = model->status().operationID();
    waitForTask(model->selectDrive(10));
    EXPECT_EQ(model->status().operationID(), operations);

    // A drive absent from the last detection is tried anyway and then marked offline.
    QCoro::Task<> trying = model->selectDrive(11);
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 11"));
    EXPECT_EQ(model->drives().driveDetail(),
              QStringLiteral("Not found on last Detect. Trying anyway…"));
    EXPECT_TRUE(model->floppy().directory().entries.isEmpty());
    waitForTask(std::move(trying));
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 11 — Offline"));
    EXPECT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->drives().detectedDrives().size(), 2)
        << "a failed selection keeps the drive list";
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
}

TEST_F(BusSessionTest, EmptyDiskOnSelectedDriveAndBusReset) {
    bus.addDrive(8, "1541");
    bus.addDrive(9, "1541", diskWith("", "00", {}));
    waitForTask(model->detect(true));
    waitForTask(model->selectDrive(9));
    EXPECT_EQ(model->status().statusHeadline(),
              QStringLiteral("Directory of “drive 9” on drive 9."))
        << "a formatted disk still lists its free blocks";

    StateEditor(*model).service().setResetSettleTime(0ms);
    StateEditor(*model).setDriveModel(QStringLiteral("1541"));
    waitForTask(model->resetIECBus());
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("The drive is ready."));
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 9 — Ready"));
    EXPECT_EQ(model->drives().driveModel(), QStringLiteral("1541"));
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
}

TEST_F(BusSessionTest, RequestsWhileBusyAreIgnored) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {{"GAME", 300}}));
    bus.setFault("hang");
    QCoro::Task<> reading = model->readDirectory();
    ASSERT_EQ(model->status().operation(), OperationKind::readingDirectory);
    const QString headline = model->status().statusHeadline();
    const qint64 number = model->status().operationID();

    waitForTask(model->detect(false));
    waitForTask(model->validateFloppy());
    waitForTask(model->selectDrive(9));
    EXPECT_EQ(model->status().statusHeadline(), headline);
    EXPECT_EQ(model->status().operationID(), number);
    EXPECT_EQ(model->drives().deviceNumber(), 8);

    model->stop();
    model->stop();
    waitForTask(std::move(reading));
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
}

TEST_F(BusSessionTest, StoppingDetectionAfterTheAdapterAnsweredRaisesNoAlert) {
    bus.addDrive(8, "1541");
    // The adapter answers, then the bus hangs.
    QObject::connect(&model->drives(), &DriveState::zoomFloppyDetectedChanged, [this] {
        if (model->drives().zoomFloppyDetected()) {
            bus.setFault("hang");
        }
    });
    QCoro::Task<> detecting = model->detect(false);
    ASSERT_TRUE(spinUntil([&] { return model->drives().zoomFloppyDetected(); }));
    spin(100ms);
    model->stop();
    model->stop();
    waitForTask(std::move(detecting));
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
    EXPECT_EQ(model->status().statusHeadline(), stoppedText);
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 8 — Offline"));
    EXPECT_TRUE(model->drives().detectedDrives().isEmpty());
}

TEST_F(BusSessionTest, StopReleasesAHungToolAndASecondPressKillsIt) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {{"GAME", 300}}));
    bus.setFault("hang");
    bus.setFault("ignore-sigint-sigterm");

    // A tool that shrugs off every gentle signal: the session gives up waiting on its own.
    QList<std::pair<qint64, int>> signalsSent;
    StateEditor(*model).service().setSignalSender([&](qint64 pid, int signal) {
        signalsSent.append({pid, signal});
        if (signal == SIGKILL) {
            ::kill(pid_t(pid), SIGKILL);
        }
    });
    QCoro::Task<> validating = model->validateFloppy();
    spin(100ms);
    model->stop();
    EXPECT_TRUE(model->status().isStopping());
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Stopping…"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(spinUntil([&] { return model->status().operation() == OperationKind::idle; }));
    EXPECT_LT(clock.elapsed(), 3500) << "released no later than the stop grace period";
    waitForTask(std::move(validating));
    EXPECT_EQ(model->status().statusHeadline(), stoppedText);
    EXPECT_FALSE(model->status().lastError().has_value());
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
    waitForTask(std::move(again));
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
    EXPECT_EQ(model->status().statusHeadline(), stoppedText);
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(BusSessionTest, AStoppedBusResetSendsNothingMore) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {}));
    waitForTask(model->detect(true));
    // The drives' settle wait after the reset outlasts the stop grace period.
    StateEditor(*model).service().setResetSettleTime(3500ms);
    QCoro::Task<> resetting = model->resetIECBus();
    spin(300ms);
    model->stop();
    ASSERT_TRUE(spinUntil([&] { return model->status().operation() == OperationKind::idle; }));
    EXPECT_EQ(model->status().statusHeadline(), stoppedText);
    bus.setStatus(8, QStringLiteral("73,cbm dos v2.6 1541,00,00"));
    StateEditor(*model).setDriveDetail(QStringLiteral("untouched"));
    waitForTask(std::move(resetting));
    EXPECT_EQ(model->status().statusHeadline(), stoppedText)
        << "the reset did not go on after Stop";
    EXPECT_EQ(model->drives().driveDetail(), QStringLiteral("untouched"));
    EXPECT_EQ(bus.status(8), QStringLiteral("73,cbm dos v2.6 1541,00,00"))
        << "no initialize reached the drive";
}

TEST_F(SessionTest, StopTimerEndsOnlyTheOperationItWasStartedFor) {
    VellumViewModel& model = session();
    // An operation that never answers the stop itself.
    const qint64 stuck = StateEditor(model).beginOperation(OperationKind::copyingFiles, "Copying…");
    QElapsedTimer clock;
    clock.start();
    model.stop();
    waitForTask(QCoro::sleepFor(2000ms));
    EXPECT_EQ(model.status().operation(), OperationKind::copyingFiles);
    while (model.status().operation() != OperationKind::idle && clock.elapsed() < 10000) {
        waitForTask(QCoro::sleepFor(20ms));
    }
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
    EXPECT_GE(clock.elapsed(), 2500);
    EXPECT_EQ(model.status().statusHeadline(), stoppedText);

    // Its late end does not touch the next operation, nor does the next one's stop timer
    // fire for an operation that already ended on its own.
    const qint64 next =
        StateEditor(model).beginOperation(OperationKind::readingDirectory, "Reading…");
    StateEditor(model).endOperation(stuck);
    EXPECT_EQ(model.status().operation(), OperationKind::readingDirectory);
    model.stop();
    StateEditor(model).endOperation(next);
    const qint64 third = StateEditor(model).beginOperation(OperationKind::deleting, "Deleting…");
    waitForTask(QCoro::sleepFor(3000ms));
    EXPECT_EQ(model.status().operation(), OperationKind::deleting);
    EXPECT_EQ(model.status().statusHeadline(), QStringLiteral("Deleting…"));
    StateEditor(model).endOperation(third);
}

TEST_F(BusSessionTest, ADroppedOperationRunsToTheEnd) {
    bus.addDrive(8, "1541", diskWith("GAMES", "01", {{"GAME", 300}, {"NOTES", 100}}));
    StateEditor(*model).setDriveModel(QStringLiteral("1541"));
    { [[maybe_unused]] QCoro::Task<> dropped = model->readDirectory(); }
    ASSERT_TRUE(spinUntil([&] { return model->status().operation() == OperationKind::idle; }));
    EXPECT_EQ(model->floppy().directory().entries.size(), 2);
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Directory of “games” loaded."));
}
