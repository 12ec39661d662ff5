#include "FailureOf.h"
#include "FakeTools.h"
#include "WaitForTask.h"
#include "model/OpenCBMError.h"
#include "opencbm/OpenCBMService.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;
using namespace std::chrono_literals;

namespace {

class BusCommands : public ::testing::Test {
protected:
    FakeTools tools;
    OpenCBMService service{QStringList{tools.path()}};

    void SetUp() override {
        for (const char* tool : {"cbmctrl", "xum1541cfg", "cbmformat"}) {
            tools.addTool(tool);
        }
    }
};

} // namespace

TEST_F(BusCommands, EveryCommandNeedsItsTool) {
    const QStringList none{tools.path() + "/none"};
    OpenCBMService empty{none};
    EXPECT_EQ(failureOf(empty.probeAdapter()), OpenCBMError::toolNotFound("xum1541cfg", none));
    EXPECT_EQ(failureOf(empty.detectDrives()), OpenCBMError::toolNotFound("cbmctrl", none));
    EXPECT_EQ(failureOf(empty.scratchFile(8, "x")), OpenCBMError::toolNotFound("cbmctrl", none));
    EXPECT_EQ(failureOf(empty.formatDiskDOS(8, "a", "b", {})),
              OpenCBMError::toolNotFound("cbmctrl", none));
}

TEST_F(BusCommands, ResetWaitsForTheBusToSettle) {
    service.setResetSettleTime(300ms);
    QElapsedTimer clock;
    clock.start();
    waitForTask(service.resetBus());
    EXPECT_GE(clock.elapsed(), 300);
    tools.setResponse("cbmctrl", "reset", "", "error: no xum1541 device found\n", 255);
    EXPECT_EQ(
        failureOf(service.resetBus()),
        OpenCBMError::executionFailed("cbmctrl reset", 255, "error: no xum1541 device found\n"));
}

TEST_F(BusCommands, InitializeAndValidateAreJudgedByExitStatusOnly) {
    tools.setResponse("cbmctrl", "status", "74,drive not ready,00,00\n");
    waitForTask(service.initializeDrive(8));
    waitForTask(service.validateDisk(9));
    // A 1571 is switched to 1571 mode first, or a double-sided disk's BAM is damaged.
    waitForTask(service.validateDisk(10, "1571"));
    EXPECT_EQ(tools.calls("cbmctrl"), QList<QStringList>({{"--petscii", "command", "8", "i0"},
                                                          {"--petscii", "command", "9", "v0"},
                                                          {"--petscii", "command", "10", "u0>m1"},
                                                          {"--petscii", "command", "10", "v0"}}));
    tools.setResponse("cbmctrl", "command", "", "", 1);
    EXPECT_EQ(failureOf(service.initializeDrive(8)).command(), "cbmctrl command 8 I0");
    EXPECT_EQ(failureOf(service.validateDisk(8)).command(), "cbmctrl command 8 v0");
}

TEST_F(BusCommands, RenameAndScratchAskTheDriveForItsVerdict) {
    tools.setResponse("cbmctrl", "status", "01, files scratched,01,00\n");
    waitForTask(service.renameFile(8, "Game", "Game 2"));
    EXPECT_EQ(
        tools.calls("cbmctrl"),
        QList<QStringList>({{"--petscii", "command", "8", "r0:game 2=game"}, {"status", "8"}}));
    tools.setResponse("cbmctrl", "status", "62, file not found,00,00\n");
    EXPECT_EQ(
        failureOf(service.scratchFile(8, "gone")),
        OpenCBMError::executionFailed("cbmctrl command 8 s0:gone", 1, "62, file not found,00,00"));
    // A status that cannot be read leaves the command counted as done.
    tools.setResponse("cbmctrl", "status", "99, driver error,00,00\n", "", 1);
    EXPECT_NO_THROW(waitForTask(service.scratchFile(8, "x")));
    tools.setResponse("cbmctrl", "command", "", "error: no xum1541 device found\n", 255);
    EXPECT_EQ(failureOf(service.renameFile(9, "a", "b")).command(), "cbmctrl command 9 r0:b=a");
}

TEST_F(BusCommands, ExtendedFormatCountsProgressOverFortyTracks) {
    QList<double> fractions;
    auto progress = [&fractions](const QString&, double fraction) { fractions << fraction; };
    tools.setResponse("cbmformat", "run", "20: formatting\n00, OK,00,00\r");
    waitForTask(service.formatDisk(8, "1541", "a", "b", true, progress));
    waitForTask(service.formatDisk(8, "1541", "a", "b", false, progress));
    EXPECT_EQ(fractions, QList<double>({0.5, -1.0, 1.0, 20.0 / 35.0, -1.0, 1.0}));
}
