#include "ToolProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

TEST(BusTools, DetectStatusAndReset) {
    SimulatedBus bus;
    const ToolResult empty = runTool(bus, "cbmctrl", {"detect"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.out.isEmpty() && empty.err.isEmpty());
    bus.addDrive(9, "1571");
    bus.addDrive(8, "1541-II");
    const ToolResult detected = runTool(bus, "cbmctrl", {"detect"});
    EXPECT_EQ(detected.exitCode, 0);
    EXPECT_EQ(detected.out, QByteArray(" 8: 1541-II \n 9: 1571 \n"));

    // Reading the error channel clears it.
    EXPECT_EQ(runTool(bus, "cbmctrl", {"status", "8"}).out, "73,cbm dos v2.6 1541,00,00\n");
    EXPECT_EQ(runTool(bus, "cbmctrl", {"status", "8"}).out, "00, ok,00,00\n");
    EXPECT_EQ(runTool(bus, "cbmctrl", {"status", "9"}).out, "73,cbm dos v3.0 1571,00,00\n");
    const ToolResult absent = runTool(bus, "cbmctrl", {"status", "10"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.out, "99, driver error,00,00\n");

    bus.setStatus(8, "74,drive not ready,00,00");
    const ToolResult reset = runTool(bus, "cbmctrl", {"reset"});
    EXPECT_EQ(reset.exitCode, 0);
    EXPECT_TRUE(reset.out.isEmpty() && reset.err.isEmpty());
    EXPECT_EQ(bus.status(8), "73,cbm dos v2.6 1541,00,00");
}

TEST(BusTools, WithoutAdapterOrDriveEveryToolFailsWithItsOwnStatusAndTouchesNothing) {
    SimulatedBus bus;
    const QByteArray disk = diskWithFiles("games", "01", {{"game", sequence(500, 1)}});
    bus.addDrive(8, "1541-II", disk);
    const QString image = bus.path() + "/in.d64";
    writeFile(image, sequence(174848, 2));

    struct Run {
        QString tool;
        QStringList arguments;
        int noAdapterStatus, noDriveStatus;
        QByteArray noDriveSays; // in the output, or in standard error if it has none
    };
    const QList<Run> runs = {
        {"cbmctrl", {"detect"}, 255, 1, {}},
        {"cbmctrl", {"dir", "8"}, 255, 1, {}},
        {"cbmctrl", {"--petscii", "command", "8", "s0:game"}, 255, 1, {}},
        {"cbmcopy", {"-r", "-v", "-o", bus.path() + "/x.prg", "8", "game"}, 255, 0, "[Fatal]"},
        {"d64copy", {"-v", "8", bus.path() + "/x.d64"}, 1, 0, "[Fatal]"},
        {"d64copy", {"-v", image, "8"}, 1, 0, "[Fatal]"},
        {"imgcopy", {"-d", "1581", "8", bus.path() + "/x.d81"}, 1, 0, "[Fatal]"},
        {"cbmformat", {"-p", "-s", "8", "new,01"}, 1, 0, "\n99, DRIVER ERROR,00,00\r"},
    };
    for (const bool adapter : {false, true}) {
        bus.setAdapterPresent(adapter);
        if (adapter) {
            bus.setFault("no-drive");
        }
        for (const Run& run : runs) {
            const ToolResult result = runTool(bus, run.tool, run.arguments);
            SCOPED_TRACE(run.tool.toStdString() + " " + run.arguments.join(' ').toStdString() +
                         (adapter ? " (no drive)" : " (no adapter)"));
            if (!adapter) {
                EXPECT_EQ(result.exitCode, run.noAdapterStatus);
                EXPECT_TRUE(result.err.contains("error: no xum1541 device found\n"));
                EXPECT_TRUE(result.out.isEmpty());
            } else {
                EXPECT_EQ(result.exitCode, run.noDriveStatus);
                const QByteArray& said = result.out.isEmpty() ? result.err : result.out;
                EXPECT_TRUE(said.contains(run.noDriveSays)) << said.toStdString();
            }
        }
        EXPECT_EQ(bus.disk(8), disk);
        EXPECT_FALSE(QFile::exists(bus.path() + "/x.prg") || QFile::exists(bus.path() + "/x.d64"));
    }
}

TEST(BusTools, BadArgumentsAreUsageErrors) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", diskWithFiles("games", "01", {}));
    const QList<std::pair<QString, QStringList>> runs = {
        {"cbmctrl", {"explode"}},
        {"cbmctrl", {"status"}},
        {"cbmctrl", {"dir", "eight"}},
        {"d64copy", {"-v", "8"}},
        {"d64copy", {"-v", "8", "9"}},
        {"imgcopy", {"-v", "8"}},
        {"imgcopy", {"-d", "1541x", "8", "x.d81"}},
        {"cbmcopy", {"-v", "8", "game"}},
        {"cbmcopy", {"-r", "-d", "1234", "8", "game"}},
        {"cbmcopy", {"-w", "-f", "X", "8", "game"}},
        {"cbmformat", {"-p", "8", "no id"}},
        {"xum1541cfg", {"flash"}},
    };
    for (const auto& [tool, arguments] : runs) {
        SCOPED_TRACE(tool.toStdString() + " " + arguments.join(' ').toStdString());
        const ToolResult result = runTool(bus, tool, arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_EQ(bus.status(8), "73,cbm dos v2.6 1541,00,00");
}

TEST(BusTools, SetupCommandPreparesABusFromTheCommandLine) {
    SimulatedBus scratch; // only for running the program
    QTemporaryDir folder;
    const QString busPath = folder.path() + "/bus";
    const QString diskPath = folder.path() + "/disk.d64";
    const QByteArray disk = diskWithFiles("demo", "42", {{"hello", sequence(300, 3)}});
    writeFile(diskPath, disk);
    const auto sim = [&](const QStringList& arguments) {
        return runTool(scratch, "opencbm-sim", arguments).exitCode;
    };
    const auto onBus = [&](const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("OPENCBM_SIM_BUS", busPath);
        process.setProcessEnvironment(environment);
        process.start(SimulatedBus::binDir() + "/cbmctrl", arguments);
        process.waitForFinished();
        return std::make_pair(process.exitCode(), process.readAllStandardOutput());
    };
    // A bus that does not exist looks the same as an adapter that is not plugged in.
    EXPECT_EQ(onBus({"detect"}).first, 255);

    ASSERT_EQ(sim({"init", busPath, "--drive", "8:1541-II:" + diskPath, "--drive", "9:1571",
                   "--no-adapter"}),
              0);
    EXPECT_EQ(readFile(busPath + "/drives/8/disk.d64"), disk);
    EXPECT_FALSE(QFile::exists(busPath + "/drives/9/disk.d64"));
    EXPECT_EQ(onBus({"detect"}).first, 255);
    EXPECT_EQ(sim({"fault", busPath, "--clear", "no-adapter"}), 0);
    EXPECT_EQ(onBus({"detect"}).second, " 8: 1541-II \n 9: 1571 \n");
    EXPECT_EQ(sim({"fault", busPath, "fail-at-track=12"}), 0);
    EXPECT_EQ(sim({"insert", busPath, "8", "--none"}), 0);
    EXPECT_EQ(onBus({"dir", "8"}).second, "74,drive not ready,00,00\n");

    // Starting afresh forgets the drives and switches of the earlier bus.
    EXPECT_EQ(sim({"init", busPath, "--drive", "10:1581"}), 0);
    EXPECT_EQ(onBus({"detect"}).second, "10: 1581 \n");
    EXPECT_FALSE(QFile::exists(busPath + "/faults/fail-at-track"));

    for (const QStringList& refused : {QStringList{"fault", busPath, "fail-at-track=zero"},
                                       {"fault", busPath, "melt-down"},
                                       {"fault", busPath, "seconds-per-track=-1"},
                                       {"insert", busPath, "11", diskPath},
                                       {"init", busPath, "--drive", "8"}}) {
        EXPECT_EQ(sim(refused), 2) << refused.join(' ').toStdString();
    }
}

} // namespace
} // namespace vellum::testing
