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
        for (const char* tool : {"cbmctrl", "xum1541cfg"})
            tools.addTool(tool);
    }

    template <typename T> OpenCBMError failureOf(QCoro::Task<T>&& task) {
        try {
            waitForTask(std::move(task));
        } catch (const OpenCBMError& error) {
            return error;
        }
        ADD_FAILURE() << "no failure";
        return OpenCBMError::parseError("none");
    }
};

} // namespace

TEST_F(BusCommands, EveryCommandNeedsItsTool) {
    OpenCBMService empty{QStringList{tools.path() + "/none"}};
    EXPECT_EQ(failureOf(empty.probeAdapter()), OpenCBMError::toolNotFound("xum1541cfg"));
    EXPECT_EQ(failureOf(empty.detectDrives()), OpenCBMError::toolNotFound("cbmctrl"));
    EXPECT_EQ(failureOf(empty.scratchFile(8, "x")), OpenCBMError::toolNotFound("cbmctrl"));
    EXPECT_EQ(failureOf(empty.formatDiskDOS(8, "a", "b", {})),
              OpenCBMError::toolNotFound("cbmctrl"));
}

TEST_F(BusCommands, ProbeDetectStatusAndDirectoryRunTheirTools) {
    tools.setResponse("xum1541cfg", "run",
                      "xum1541 device, model 2 (ZOOMFLOPPY), firmware version 8\n",
                      "finding device...\n", 1);
    EXPECT_TRUE(waitForTask(service.probeAdapter()).present);
    EXPECT_EQ(tools.calls("xum1541cfg"), QList<QStringList>({{"devinfo"}}));

    tools.setResponse("cbmctrl", "detect", "", "", 1);
    EXPECT_TRUE(waitForTask(service.detectDrives()).isEmpty());
    tools.setResponse("cbmctrl", "detect", " 8: 1541-II \n");
    EXPECT_EQ(waitForTask(service.detectDrives()).value(0).model, "1541-II");

    tools.setResponse("cbmctrl", "status", "62, file not found,00,00\n");
    EXPECT_EQ(waitForTask(service.driveStatus(9)), "62, file not found,00,00");

    tools.setResponse("cbmctrl", "dir", "74,drive not ready,00,00\n");
    EXPECT_EQ(failureOf(service.listDirectory(10)).errorDescription(), "74,drive not ready,00,00");
    EXPECT_EQ(tools.calls("cbmctrl"),
              QList<QStringList>({{"detect"}, {"detect"}, {"status", "9"}, {"dir", "10"}}));
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
    EXPECT_EQ(tools.calls("cbmctrl"), QList<QStringList>({{"--petscii", "command", "8", "i0"},
                                                          {"--petscii", "command", "9", "v0"}}));
    tools.setResponse("cbmctrl", "command", "", "", 1);
    EXPECT_EQ(failureOf(service.initializeDrive(8)).command(), "cbmctrl command 8 I0");
    EXPECT_EQ(failureOf(service.validateDisk(8)).command(), "cbmctrl command 8 v0");
}

TEST_F(BusCommands, RenameAndScratchAskTheDriveForItsVerdict) {
    tools.setResponse("cbmctrl", "status", "00, ok,00,00\n");
    waitForTask(service.renameFile(8, "Game", "Game 2"));
    tools.setResponse("cbmctrl", "status", "01, files scratched,01,00\n");
    waitForTask(service.scratchFile(8, "Old"));
    EXPECT_EQ(tools.calls("cbmctrl"),
              QList<QStringList>({{"--petscii", "command", "8", "r0:game 2=game"},
                                  {"status", "8"},
                                  {"--petscii", "command", "8", "s0:old"},
                                  {"status", "8"}}));

    tools.setResponse("cbmctrl", "status", "62, file not found,00,00\n");
    EXPECT_EQ(
        failureOf(service.scratchFile(8, "gone")),
        OpenCBMError::executionFailed("cbmctrl command 8 s0:gone", 1, "62, file not found,00,00"));
    tools.setResponse("cbmctrl", "status", "63, file exists,00,00\n");
    EXPECT_EQ(failureOf(service.renameFile(8, "a", "b")).errorDescription(),
              "63, file exists,00,00");
    // A status that cannot be read leaves the command counted as done.
    tools.setResponse("cbmctrl", "status", "99, driver error,00,00\n", "", 1);
    EXPECT_NO_THROW(waitForTask(service.scratchFile(8, "x")));
    tools.setResponse("cbmctrl", "command", "", "error: no xum1541 device found\n", 255);
    EXPECT_EQ(failureOf(service.renameFile(9, "a", "b")).command(), "cbmctrl command 9 r0:b=a");
}

TEST_F(BusCommands, PatternNamesAreRefusedBeforeAnythingIsSent) {
    const auto refused = OpenCBMError::Case::invalidDiskName;
    EXPECT_EQ(failureOf(service.scratchFile(8, "a*")).errorCase(), refused);
    EXPECT_EQ(failureOf(service.renameFile(8, "old?", "new")).errorCase(), refused);
    EXPECT_EQ(failureOf(service.renameFile(8, "old", "new,s")).errorCase(), refused);
    EXPECT_TRUE(tools.calls("cbmctrl").isEmpty());
}

TEST_F(BusCommands, DOSFormatReportsProgressAndTheDrivesVerdict) {
    QList<double> fractions;
    auto progress = [&fractions](const QString&, double fraction) { fractions << fraction; };
    tools.setResponse("cbmctrl", "status", "00, ok,00,00\n");
    waitForTask(service.formatDiskDOS(8, "GAMES", "A1", progress));
    EXPECT_EQ(fractions, QList<double>({0.12, 1.0}));
    EXPECT_EQ(tools.calls("cbmctrl").value(0),
              QStringList({"--petscii", "command", "8", "n0:games,a1"}));

    fractions.clear();
    tools.setResponse("cbmctrl", "status", "74,drive not ready,00,00\n");
    EXPECT_EQ(failureOf(service.formatDiskDOS(8, "games", "a1", progress)),
              OpenCBMError::executionFailed("cbmctrl command 8 n0:games,a1", 1,
                                            "74,drive not ready,00,00"));
    EXPECT_EQ(fractions, QList<double>({0.12}));
}
