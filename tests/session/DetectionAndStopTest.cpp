#include "FloppyPaneFixture.h"

#include <QElapsedTimer>
#include <csignal>

using namespace vellum;
using namespace vellum::testing;
using namespace std::chrono_literals;

namespace {

const QString stoppedText =
    QStringLiteral("Stopped. If the drive was powered off, turn it on and click Detect.");

} // namespace

TEST_F(SessionTest, StartUpWithoutToolsStaysQuiet) {
    VellumViewModel& model = session();
    waitForTask(model.startUp());
    EXPECT_EQ(desktop.permissionRequests, 1);
    EXPECT_EQ(model.status().statusHeadline(), QStringLiteral("OpenCBM tool “cbmctrl” not found."))
        << "a missing tool is never a ready drive";
    EXPECT_FALSE(model.drives().driveReady());
    EXPECT_FALSE(model.drives().zoomFloppyDetected());
    EXPECT_FALSE(model.status().lastError().has_value());
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
}

TEST_F(FloppyPaneTest, DetectionWithoutAdapterOrDrive) {
    bus.setAdapterPresent(false);
    waitForTask(model->startUp());
    EXPECT_FALSE(model->drives().zoomFloppyDetected());
    EXPECT_FALSE(model->status().lastError().has_value()) << "quiet detection raises no alert";

    // Asked for by the user, the same failure is reported.
    waitForTask(model->detect(false));
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->status().statusHeadline(), *model->status().lastError());

    // The adapter answers but no drive does.
    bus.setAdapterPresent(true);
    waitForTask(model->detect(false));
    EXPECT_TRUE(model->drives().zoomFloppyDetected());
    EXPECT_FALSE(model->drives().driveReady());
    EXPECT_TRUE(model->drives().detectedDrives().isEmpty());
}

TEST_F(FloppyPaneTest, DetectionChoosesTheFirstAnsweringDriveAndSelectionSwitches) {
    bus.addDrive(9, "1541", diskImage("NINE", {{"GAME", CBMFileType::prg, pattern(300, 1)}}));
    bus.addDrive(10, "1571", diskImage("", {{"TOOL", CBMFileType::prg, pattern(100, 1)}}));
    StateEditor(*model).setKnownDirectoryBlocks({{QStringLiteral("GAME"), 5}});
    // Drive 8's listing must not stay on screen for Delete or Rename to act on by name.
    const DirectoryEntry old = vellum::testing::floppyEntry(QStringLiteral("game"));
    StateEditor(*model).setDirectory(DiskDirectory{QStringLiteral("EIGHT"), {}, {old}, 600});
    StateEditor(*model).setFloppySelection({old.id});
    waitForTask(model->detect(false));
    EXPECT_EQ(model->drives().deviceNumber(), 9);
    EXPECT_TRUE(model->floppy().knownDirectoryBlocks().isEmpty())
        << "drive 8's sizes are forgotten";
    EXPECT_EQ(model->floppy().directory(), DiskDirectory::empty());
    EXPECT_TRUE(model->floppy().selectedEntryIDs().isEmpty());
    EXPECT_EQ(model->drives().detectedDrives().size(), 2);

    waitForTask(model->selectDrive(10));
    EXPECT_EQ(model->drives().driveModel(), QStringLiteral("1571"));
    EXPECT_EQ(model->floppy().directory().entries.size(), 1);
    // A bus reset keeps the chosen drive.
    waitForTask(model->resetIECBus());
    EXPECT_TRUE(model->drives().driveReady());
    EXPECT_EQ(model->drives().deviceNumber(), 10);
    EXPECT_FALSE(model->status().lastError().has_value());

    // A drive absent from the last detection is tried anyway and then marked offline.
    QCoro::Task<> trying = model->selectDrive(11);
    EXPECT_TRUE(model->floppy().directory().entries.isEmpty());
    waitForTask(std::move(trying));
    EXPECT_FALSE(model->drives().driveReady());
    EXPECT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->drives().detectedDrives().size(), 2)
        << "a failed selection keeps the drive list";
}

TEST_F(FloppyPaneTest, RequestsWhileBusyAreIgnored) {
    bus.addDrive(8, "1541", diskImage("GAMES", {{"GAME", CBMFileType::prg, pattern(300, 1)}}));
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
}

TEST_F(FloppyPaneTest, StoppingDetectionAfterTheAdapterAnsweredRaisesNoAlert) {
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
    EXPECT_EQ(model->status().statusHeadline(), stoppedText);
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_TRUE(model->drives().detectedDrives().isEmpty());
}

TEST_F(FloppyPaneTest, StopReleasesAHungToolAndASecondPressKillsIt) {
    bus.addDrive(8, "1541", diskImage("GAMES", {{"GAME", CBMFileType::prg, pattern(300, 1)}}));
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
    EXPECT_EQ(model->status().statusHeadline(), stoppedText);
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(FloppyPaneTest, AStoppedBusResetSendsNothingMore) {
    bus.addDrive(8, "1541", diskImage("GAMES", {}));
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

TEST_F(FloppyPaneTest, ADroppedOperationRunsToTheEnd) {
    bus.addDrive(8, "1541",
                 diskImage("GAMES", {{"GAME", CBMFileType::prg, pattern(300, 1)},
                                     {"NOTES", CBMFileType::prg, pattern(100, 2)}}));
    StateEditor(*model).setDriveModel(QStringLiteral("1541"));
    { [[maybe_unused]] QCoro::Task<> dropped = model->readDirectory(); }
    ASSERT_TRUE(spinUntil([&] { return model->status().operation() == OperationKind::idle; }));
    EXPECT_EQ(model->floppy().directory().entries.size(), 2);
}
