#include "ToolProcess.h"

#include "model/ToolOutputParsers.h"

#include <QStringDecoder>
#include <csignal>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

constexpr qint64 diskSize = 174848;

void sendSignal(QProcess& process, int signal) {
    ::kill(static_cast<pid_t>(process.processId()), signal);
}

bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = decoder(bytes);
    return !decoder.hasError();
}

// A d64copy that takes its time, already past its start when this returns.
std::unique_ptr<QProcess> slowCopy(SimulatedBus& bus) {
    bus.addDrive(8, "1541-II", sequence(diskSize, 1));
    bus.setFault("seconds-per-track", "2");
    auto process = startTool(bus, "d64copy", {"-v", "8", bus.path() + "/out.d64"});
    EXPECT_TRUE(waitForOutput(*process, 1));
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
    SimulatedBus bus;
    bus.setFault("ignore-sigint");
    auto copy = slowCopy(bus);
    sendSignal(*copy, SIGINT);
    EXPECT_FALSE(copy->waitForFinished(400));
    sendSignal(*copy, SIGTERM);
    ASSERT_TRUE(copy->waitForFinished(5000));
    EXPECT_EQ(copy->exitStatus(), QProcess::CrashExit);

    SimulatedBus stubborn;
    stubborn.setFault("ignore-sigint-sigterm");
    auto hard = slowCopy(stubborn);
    sendSignal(*hard, SIGINT);
    sendSignal(*hard, SIGTERM);
    EXPECT_FALSE(hard->waitForFinished(400));
    sendSignal(*hard, SIGKILL);
    EXPECT_TRUE(hard->waitForFinished(5000));
}

TEST(FaultSwitches, AHangingToolDoesNothingUntilStopped) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", sequence(diskSize, 1));
    bus.setFault("hang");
    auto format = startTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_FALSE(format->waitForFinished(400));
    sendSignal(*format, SIGTERM);
    ASSERT_TRUE(format->waitForFinished(5000));
    EXPECT_TRUE(format->readAllStandardOutput().isEmpty());
    EXPECT_EQ(bus.disk(8), sequence(diskSize, 1));

    // Tools that the real OpenCBM leaves to the default action simply die of SIGINT.
    auto detect = startTool(bus, "cbmctrl", {"detect"});
    EXPECT_FALSE(detect->waitForFinished(200));
    sendSignal(*detect, SIGINT);
    ASSERT_TRUE(detect->waitForFinished(5000));
    EXPECT_EQ(detect->exitStatus(), QProcess::CrashExit);
}

TEST(FaultSwitches, NonUtf8OutputStillParses) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", diskWithFiles("games", "01", {{"game", sequence(300, 1)}}));
    bus.setFault("non-utf8");
    for (const QStringList& arguments :
         {QStringList{"detect"}, QStringList{"status", "8"}, QStringList{"dir", "8"}}) {
        const ToolResult result = runTool(bus, "cbmctrl", arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_FALSE(isUtf8(result.out)) << arguments.join(' ').toStdString();
        EXPECT_TRUE(QString::fromLatin1(result.out).contains(QStringLiteral("caf\u00e9")));
    }
    const ToolResult detect = runTool(bus, "cbmctrl", {"detect"});
    EXPECT_EQ(parseDetectedDrives(QString::fromLatin1(detect.out)).size(), 1);
    const ToolResult dir = runTool(bus, "cbmctrl", {"dir", "8"});
    EXPECT_EQ(parseDirectoryListing(QString::fromLatin1(dir.out)).entries.size(), 1);
    EXPECT_FALSE(isUtf8(runTool(bus, "xum1541cfg", {"devinfo"}).out));

    bus.clearFault("non-utf8");
    EXPECT_TRUE(isUtf8(runTool(bus, "cbmctrl", {"dir", "8"}).out));
}

} // namespace
} // namespace vellum::testing
