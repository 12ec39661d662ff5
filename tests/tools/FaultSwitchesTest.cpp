#include "ToolProcess.h"

#include <csignal>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

void sendSignal(QProcess& process, int signal) {
    ::kill(static_cast<pid_t>(process.processId()), signal);
}

// A d64copy that takes its time, already past its start when this returns.
std::unique_ptr<QProcess> slowCopy(SimulatedBus& bus) {
    bus.addDrive(8, "1541-II", sequence(174848, 1));
    bus.setFault("seconds-per-track", "2");
    auto process = startTool(bus, "d64copy", {"-v", "8", bus.path() + "/out.d64"});
    EXPECT_TRUE(process->waitForReadyRead(10000));
    return process;
}

TEST(FaultSwitches, SigintMakesD64copyResetTheBusAndExitOne) {
    SimulatedBus bus;
    auto copy = slowCopy(bus);
    sendSignal(*copy, SIGINT);
    ASSERT_TRUE(copy->waitForFinished(5000));
    EXPECT_EQ(copy->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy->exitCode(), 1);
    EXPECT_TRUE(copy->readAllStandardError().contains("SIGINT caught X-(  Resetting IEC bus...\n"));
    EXPECT_FALSE(copy->readAllStandardOutput().contains("blocks copied"));
}

TEST(FaultSwitches, IgnoredSignalsKeepTheToolRunning) {
    for (const char* fault : {"ignore-sigint", "ignore-sigint-sigterm"}) {
        SCOPED_TRACE(fault);
        SimulatedBus bus;
        bus.setFault(fault);
        auto copy = slowCopy(bus);
        sendSignal(*copy, SIGINT);
        EXPECT_FALSE(copy->waitForFinished(400));
        sendSignal(*copy, SIGTERM);
        const bool stubborn = QByteArray(fault).endsWith("sigterm");
        EXPECT_EQ(copy->waitForFinished(stubborn ? 400 : 5000), !stubborn);
        if (stubborn) {
            sendSignal(*copy, SIGKILL);
            ASSERT_TRUE(copy->waitForFinished(5000));
        }
        EXPECT_EQ(copy->exitStatus(), QProcess::CrashExit);
    }
}

TEST(FaultSwitches, AHangingToolDoesNothingUntilStopped) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", sequence(174848, 1));
    bus.setFault("hang");
    auto format = startTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_FALSE(format->waitForFinished(400));
    sendSignal(*format, SIGTERM);
    ASSERT_TRUE(format->waitForFinished(5000));
    EXPECT_TRUE(format->readAllStandardOutput().isEmpty());
    EXPECT_EQ(bus.disk(8), sequence(174848, 1));

    // Tools that the real OpenCBM leaves to the default action simply die of SIGINT.
    auto detect = startTool(bus, "cbmctrl", {"detect"});
    EXPECT_FALSE(detect->waitForFinished(200));
    sendSignal(*detect, SIGINT);
    ASSERT_TRUE(detect->waitForFinished(5000));
    EXPECT_EQ(detect->exitStatus(), QProcess::CrashExit);
}

} // namespace
} // namespace vellum::testing
