#include "ToolProcess.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

constexpr qint64 diskSize = 174848;

QByteArray sectorOf(const std::optional<QByteArray>& disk, qint64 track, qint64 sector) {
    return D64Layout::sector(disk.value_or(QByteArray()), track, sector);
}

TEST(D64copyTool, ReadsAndWritesWholeDisksKeepingExtraTracks) {
    SimulatedBus bus;
    const QByteArray extended = sequence(196608, 5);
    bus.addDrive(8, "1541-II", extended);
    const QString image = bus.path() + "/saved.d64";

    const ToolResult copied = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_EQ(readFile(image), extended.left(diskSize));
    EXPECT_TRUE(copied.out.startsWith("\r 1: *--------------------     0%     1/683\r"));
    EXPECT_TRUE(
        copied.out.endsWith("\r35: *****************       100%   683/683\n683 blocks copied.\n"));
    EXPECT_TRUE(copied.err.contains("[Warning] growing image file to 683 blocks\n"));
    EXPECT_FALSE(runTool(bus, "d64copy", {"-v", "8", image}).err.contains("growing"));

    const QByteArray source = sequence(diskSize, 6) + QByteArray(683, '\x01'); // error bytes
    writeFile(image, source);
    const ToolResult written = runTool(bus, "d64copy", {"-v", image, "8"});
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_TRUE(written.out.endsWith("\n683 blocks copied.\n"));
    EXPECT_EQ(bus.disk(8), source.left(diskSize) + extended.mid(diskSize));
    EXPECT_EQ(readFile(image), source);
}

TEST(D64copyTool, FailuresPrintFatalAndStillExitZero) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    bus.addDrive(10, "1581", sequence(diskSize, 1));
    const QString image = bus.path() + "/x.d64";
    const QList<std::pair<QStringList, QByteArray>> cases = {
        {{"-v", "8", image}, "[Fatal] drive 08 (1541): 74,DRIVE NOT READY,00,00\r\n"},
        {{"-v", "10", image}, "[Fatal] 1581 drives are not supported\n"},
    };
    for (const auto& [arguments, line] : cases) {
        const ToolResult result = runTool(bus, "d64copy", arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(result.err.contains(line)) << result.err.toStdString();
        EXPECT_FALSE(result.out.contains("blocks copied"));
    }
    EXPECT_EQ(bus.status(8), "74,drive not ready,00,00");

    bus.insertDisk(8, sequence(diskSize, 2));
    writeFile(image, QByteArray(1000, 'x'));
    const ToolResult tooSmall = runTool(bus, "d64copy", {"-v", image, "8"});
    EXPECT_EQ(tooSmall.exitCode, 0);
    EXPECT_TRUE(tooSmall.err.contains("[Fatal]"));
    EXPECT_EQ(bus.disk(8), sequence(diskSize, 2));
}

TEST(D64copyTool, AFailingTrackIsSkippedAndCountedOutBothWays) {
    SimulatedBus bus;
    const QByteArray disk = sequence(diskSize, 7);
    bus.addDrive(8, "1541-II", disk);
    bus.setFault("fail-at-track", "12");
    const QString image = bus.path() + "/partial.d64";

    const ToolResult copied = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_TRUE(copied.out.endsWith("\n662 blocks copied.\n"));
    EXPECT_EQ(copied.err.count("[Warning] read error: 0c/"), 21);
    EXPECT_TRUE(copied.err.contains("[Warning] read error: 0c/05: 5\n"));
    EXPECT_EQ(sectorOf(readFile(image), 12, 3), QByteArray(256, '\0'));
    EXPECT_EQ(sectorOf(readFile(image), 13, 0), sectorOf(disk, 13, 0));

    bus.insertDisk(8, QByteArray(diskSize, '\0'));
    writeFile(image, disk);
    const ToolResult written = runTool(bus, "d64copy", {"-v", image, "8"});
    EXPECT_TRUE(written.out.endsWith("\n662 blocks copied.\n"));
    EXPECT_EQ(sectorOf(bus.disk(8), 12, 0), QByteArray(256, '\0'));
    EXPECT_EQ(sectorOf(bus.disk(8), 11, 0), sectorOf(disk, 11, 0));
}

TEST(CbmcopyTool, WritesTheFileAsTheImageCodeWouldAndAnOracleReadsItBack) {
    SimulatedBus bus;
    const QByteArray disk = diskWithFiles("games", "01", {{"first", sequence(400, 1)}});
    bus.addDrive(8, "1541-II", disk);
    const QByteArray program = sequence(3000, 8);
    const QString source = bus.path() + "/GAME.PRG";
    writeFile(source, program);

    const ToolResult written = runTool(
        bus, "cbmcopy", {"-w", "-v", "-d", "1541", "-f", "P", "-o", "game", "-R", "8", source});
    EXPECT_EQ(written.exitCode, 0);
    // One spinner step per block: "\b." then "\\", "\b|", "\b/", …
    EXPECT_TRUE(written.out.startsWith("\b.\\\b|\b/\b-"));
    EXPECT_EQ(written.out.count('\b'), 12 - 1);
    EXPECT_TRUE(written.err.startsWith("[Info] writing " + source.toUtf8() + " -> game,p,w\n"));
    EXPECT_TRUE(written.err.endsWith("[Info] 00, OK,00,00\r\n"));
    D64Builder expected = D64Builder::open(disk);
    expected.addFile("game", CBMFileType::prg, program);
    ASSERT_EQ(bus.disk(8), expected.data());

    // cbmconvert is an independent reader of the result.
    const QString extracted = bus.path() + "/oracle";
    QDir().mkpath(extracted);
    writeFile(extracted + "/disk.d64", *bus.disk(8));
    QProcess oracle;
    oracle.setWorkingDirectory(extracted);
    oracle.start("cbmconvert", {"-N", "-d", "disk.d64"});
    ASSERT_TRUE(oracle.waitForFinished());
    EXPECT_EQ(readFile(extracted + "/game.prg"), program);
}

TEST(CbmcopyTool, TypeLettersAndContainerFilesAreHonoured) {
    SimulatedBus bus;
    bus.addDrive(8, "1571", diskWithFiles("files", "fl", {}));
    const QString notes = bus.path() + "/NOTES.SEQ";
    writeFile(notes, sequence(300, 2));
    runTool(bus, "cbmcopy", {"-w", "-v", "-d", "1571", "-f", "S", "-o", "notes", "-R", "8", notes});
    // Without -R a P00 file gives up its 26-byte header.
    const QString container = bus.path() + "/GAME.P00";
    writeFile(container, p00("GAME", prg(0x0801, "payload")));
    EXPECT_TRUE(runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "boot", "8", container})
                    .err.contains("[Info] identified a 1571 drive\n"));
    // And a tape image gives its first file, under its own name when no -o is given.
    const QString t64 = bus.path() + "/INTRO.T64";
    writeFile(t64, makeTape({{"INTRO", "123456789"}}));
    runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "8", t64});

    QStringList listed;
    for (const D64Extractor::File& file : D64Extractor::files(*bus.disk(8))) {
        listed << file.name + " " + file.typeToken;
    }
    EXPECT_EQ(listed, QStringList({"NOTES SEQ", "BOOT PRG", "INTRO PRG"}));
    EXPECT_EQ(D64Extractor::parsedFile(*bus.disk(8), "disk", 1),
              (ParsedFile{"BOOT", 0x0801, "payload"}));
    EXPECT_EQ(D64Extractor::parsedFile(*bus.disk(8), "disk", 2).payload, "123456789");
}

TEST(CbmcopyTool, RefusedWritesLeaveTheDiskAsItWas) {
    SimulatedBus bus;
    const QByteArray disk = diskWithFiles("games", "01", {{"game", sequence(400, 1)}});
    bus.addDrive(8, "1541-II", disk);
    const QString source = bus.path() + "/GAME.PRG";
    writeFile(source, sequence(600, 2));
    const QString huge = bus.path() + "/HUGE.PRG";
    writeFile(huge, sequence(700 * 254, 3));
    struct Case {
        QString name, file, fault;
        QByteArray says, status;
    };
    const QByteArray exists = "63, FILE EXISTS,00,00\r\n", full = "72, DISK FULL,00,00\r\n";
    const QList<Case> cases = {
        {"game",
         source,
         {},
         "[Fatal] could not open file for writing: " + exists,
         exists.toLower().chopped(2)},
        {"huge", huge, {}, "file copy ended with error status: " + full, full.toLower().chopped(2)},
        {"new", source, "1", "file copy ended with error status: 25,WRITE ERROR,01,", {}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name.toStdString());
        if (!each.fault.isEmpty()) {
            bus.setFault("fail-at-track", each.fault);
        }
        const ToolResult result =
            runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", each.name, "-R", "8", each.file});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(result.err.contains(each.says)) << result.err.toStdString();
        if (!each.status.isEmpty()) {
            EXPECT_EQ(bus.status(8), each.status);
        }
        EXPECT_EQ(bus.disk(8), disk);
    }
    bus.insertDisk(8, std::nullopt);
    EXPECT_TRUE(runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "new", "-R", "8", source})
                    .err.contains("74,DRIVE NOT READY,00,00\r\n"));
}

TEST(CbmcopyTool, ReadsTheFileBytesOutByNameOrPattern) {
    SimulatedBus bus;
    const QByteArray game = sequence(1000, 4);
    const QByteArray tool = sequence(254, 5);
    bus.addDrive(8, "1541-II", diskWithFiles("games", "01", {{"tool", tool}, {"game", game}}));
    const QString destination = bus.path() + "/out.prg";

    const ToolResult read =
        runTool(bus, "cbmcopy", {"-r", "-v", "-d", "1541", "-o", destination, "8", "game"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(readFile(destination), game);
    EXPECT_TRUE(read.err.startsWith("[Info] reading game -> " + destination.toUtf8() + "\n"));
    runTool(bus, "cbmcopy", {"-r", "-v", "-o", destination, "8", "t*"});
    EXPECT_EQ(readFile(destination), tool);

    const QString missing = bus.path() + "/missing.prg";
    const ToolResult notFound = runTool(bus, "cbmcopy", {"-r", "-v", "-o", missing, "8", "nosuch"});
    EXPECT_EQ(notFound.exitCode, 0);
    EXPECT_TRUE(notFound.err.contains(
        "[Fatal] could not open file for reading: 62, FILE NOT FOUND,00,00\r\n"));
    EXPECT_FALSE(QFile::exists(missing));

    // A read that breaks off keeps the bytes read so far and says so.
    bus.setFault("fail-at-track", "1");
    const ToolResult broken = runTool(bus, "cbmcopy", {"-r", "-v", "-o", destination, "8", "game"});
    EXPECT_TRUE(broken.err.contains("file copy ended with error status: 21,READ ERROR,01,"));
    EXPECT_LT(readFile(destination).size(), game.size());
}

TEST(CbmformatTool, FormatsThirtyFiveOrFortyTracksAndFailsInTheStatus) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    EXPECT_EQ(runTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"}).out,
              "\n74,DRIVE NOT READY,00,00\r");

    bus.insertDisk(8, sequence(diskSize, 1));
    const ToolResult plain = runTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, QByteArray(35, '#') + "\n00, OK,00,00\r");
    EXPECT_EQ(bus.disk(8), D64Builder::create("games", "01").data());
    const ToolResult extended = runTool(bus, "cbmformat", {"-p", "-s", "-x", "8", "wide,wd"});
    EXPECT_EQ(extended.out, QByteArray(40, '#') + "\n00, OK,00,00\r");
    EXPECT_EQ(bus.disk(8)->size(), 196608);
    EXPECT_EQ(bus.disk(8)->left(diskSize), D64Builder::create("wide", "wd").data());

    bus.insertDisk(8, sequence(diskSize, 2));
    bus.setFault("fail-at-track", "5");
    const ToolResult broken = runTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_EQ(broken.exitCode, 0);
    EXPECT_EQ(broken.out, "####\n21,READ ERROR,05,00\r");
    EXPECT_EQ(sectorOf(bus.disk(8), 4, 0), QByteArray(256, '\0'));
    EXPECT_EQ(sectorOf(bus.disk(8), 5, 0), sectorOf(sequence(diskSize, 2), 5, 0));
}

} // namespace
} // namespace vellum::testing
