#include "ToolProcess.h"

#include "images/D64Layout.h"

#include "TapeFixtures.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "model/ToolOutputParsers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

constexpr qint64 diskSize = 174848;

// The spinner steps of the real tool: "\b." then "\\", "\b|", "\b/", "\b-", … one per block.
void expectSpinner(const QByteArray& out, int blocks) {
    const QByteArray steps("\b.\\\b|\b/\b-\b\\\b|");
    EXPECT_TRUE(out.startsWith(steps.left(std::min<qsizetype>(steps.size(), 2 * blocks - 1))));
    EXPECT_EQ(out.count('\b'), blocks - 1);
    EXPECT_EQ(out.size() - out.count('\b'), blocks + (out.endsWith('\n') ? 1 : 0));
}

TEST(D64copyTool, ReadsEveryTrackIntoTheImageWithTheRealProgressLines) {
    SimulatedBus bus;
    const QByteArray disk = sequence(diskSize, 4);
    bus.addDrive(8, "1541-II", disk);
    const QString image = bus.path() + "/saved.d64";

    const ToolResult copied = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_EQ(readFile(image), disk);
    EXPECT_TRUE(copied.out.startsWith("\r 1: *--------------------     0%     1/683\r 1: **"));
    EXPECT_TRUE(copied.out.contains("\r 1: *********************     3%    21/683"));
    EXPECT_TRUE(copied.out.contains("\r 1: *********************" + QByteArray(17, ' ') + "\n"));
    EXPECT_TRUE(
        copied.out.endsWith("\r35: *****************       100%   683/683\n683 blocks copied.\n"));
    EXPECT_EQ(copied.out.count('\n'), 34 + 2);
    EXPECT_EQ(copied.err, "[Info] Trying to identify drive type\n"
                          "[Info] drive 08 (1541): 00, OK,00,00\r\n"
                          "[Warning] growing image file to 683 blocks\n"
                          "[Info] copying tracks 1-35 (683 sectors)\n");

    // Every redraw carries progress the bridge can read, ending at the whole disk.
    const QList<QByteArray> redraws = copied.out.split('\r');
    EXPECT_EQ(progressFraction(QString::fromLatin1(redraws.at(21)), 35), 0.03);
    EXPECT_EQ(progressFraction(QString::fromLatin1(redraws.last().split('\n').first()), 35), 1.0);

    // An image that is already whole is not grown again.
    const ToolResult again = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_FALSE(again.err.contains("growing"));
}

TEST(D64copyTool, WritesTheImageOntoTheDiskKeepingExtraTracks) {
    SimulatedBus bus;
    const QByteArray extended = sequence(196608, 5);
    bus.addDrive(8, "1541-II", extended);
    const QString image = bus.path() + "/in.d64";
    const QByteArray source = sequence(diskSize, 6) + QByteArray(683, '\x01'); // error bytes
    writeFile(image, source);

    const ToolResult written = runTool(bus, "d64copy", {"-v", image, "8"});
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_TRUE(written.out.endsWith("\n683 blocks copied.\n"));
    EXPECT_FALSE(written.err.contains("growing"));
    EXPECT_EQ(bus.disk(8), source.left(diskSize) + extended.mid(diskSize));
    EXPECT_EQ(readFile(image), source);
}

TEST(D64copyTool, FailuresPrintFatalAndStillExitZero) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    bus.addDrive(10, "1581", sequence(diskSize, 1));
    const QString image = bus.path() + "/x.d64";

    const ToolResult noDisk = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_EQ(noDisk.exitCode, 0);
    EXPECT_TRUE(noDisk.err.contains("[Fatal] drive 08 (1541): 74,DRIVE NOT READY,00,00\r\n"));
    EXPECT_FALSE(noDisk.out.contains("blocks copied"));
    EXPECT_EQ(bus.status(8), "74,drive not ready,00,00");

    const ToolResult unsupported = runTool(bus, "d64copy", {"-v", "10", image});
    EXPECT_EQ(unsupported.exitCode, 0);
    EXPECT_TRUE(unsupported.err.contains("[Fatal] 1581 drives are not supported\n"));

    const ToolResult absent = runTool(bus, "d64copy", {"-v", "9", image});
    EXPECT_EQ(absent.exitCode, 0);
    EXPECT_TRUE(absent.err.contains("[Fatal]"));
    EXPECT_FALSE(QFile::exists(image));

    bus.insertDisk(8, sequence(diskSize, 2));
    writeFile(image, QByteArray(1000, 'x'));
    const ToolResult tooSmall = runTool(bus, "d64copy", {"-v", image, "8"});
    EXPECT_EQ(tooSmall.exitCode, 0);
    EXPECT_TRUE(tooSmall.err.contains("[Fatal]"));
    EXPECT_EQ(bus.disk(8), sequence(diskSize, 2));
}

TEST(D64copyTool, AFailingTrackIsSkippedAndCountedOut) {
    SimulatedBus bus;
    const QByteArray disk = sequence(diskSize, 7);
    bus.addDrive(8, "1541-II", disk);
    bus.setFault("fail-at-track", "12");
    const QString image = bus.path() + "/partial.d64";

    const ToolResult copied = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_TRUE(copied.out.endsWith("\n662 blocks copied.\n"));
    EXPECT_TRUE(copied.out.contains("\r12: ?????????????????????"));
    EXPECT_EQ(copied.err.count("[Warning] read error: 0c/"), 21);
    EXPECT_TRUE(copied.err.contains("[Warning] read error: 0c/05: 5\n"));
    EXPECT_TRUE(copied.err.contains("[Warning] giving up...\n"));
    const QByteArray saved = readFile(image);
    ASSERT_EQ(saved.size(), diskSize);
    EXPECT_EQ(D64Layout::sector(saved, 12, 3), QByteArray(256, '\0'));
    EXPECT_EQ(D64Layout::sector(saved, 13, 0), D64Layout::sector(disk, 13, 0));

    // Writing skips the same track and leaves it as it was.
    bus.insertDisk(8, QByteArray(diskSize, '\0'));
    const QString source = bus.path() + "/source.d64";
    writeFile(source, disk);
    const ToolResult written = runTool(bus, "d64copy", {"-v", source, "8"});
    EXPECT_TRUE(written.out.endsWith("\n662 blocks copied.\n"));
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 12, 0), QByteArray(256, '\0'));
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 11, 0), D64Layout::sector(disk, 11, 0));
}

TEST(D64copyTool, AFullFileSystemIsAWriteErrorOfTheImageNotOfTheDisk) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", sequence(diskSize, 3));
    bus.setStatus(8, "00, ok,00,00");
    // Room for tracks 1-34 and the first 16 sectors of track 35.
    bus.setFault("image-space", QString::number(diskSize - 256));
    const QString image = bus.path() + "/full.d64";

    const ToolResult copied = runTool(bus, "d64copy", {"-v", "8", image});
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_TRUE(copied.out.endsWith("\n682 blocks copied.\n"));
    EXPECT_EQ(copied.err.count("[Warning] write error: "), 1);
    EXPECT_TRUE(copied.err.contains("[Warning] write error: 23/10: 1\n"));
    EXPECT_FALSE(copied.err.contains("read error"));
    EXPECT_EQ(bus.status(8), "00, ok,00,00") << "the drive read every sector";
    EXPECT_EQ(readFile(image).size(), diskSize - 256);
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
    expectSpinner(written.out, 12);
    EXPECT_TRUE(written.out.endsWith('\n'));
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
    const QString p00 = bus.path() + "/GAME.P00";
    const QByteArray payload = sequence(500, 3);
    writeFile(p00, QByteArray("C64File\0", 8) + QByteArray("GAME").leftJustified(16, '\0') +
                       QByteArray(2, '\0') + payload);
    const ToolResult container =
        runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "boot", "8", p00});
    EXPECT_TRUE(container.err.contains("[Info] identified a 1571 drive\n"));

    // And a tape image gives its first file, under its own name when no -o is given.
    const QString t64 = bus.path() + "/INTRO.T64";
    writeFile(t64, makeTape({{"INTRO", "123456789"}}));
    runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "8", t64});

    const QList<D64Extractor::File> files = D64Extractor::files(*bus.disk(8));
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files.at(2).name, "INTRO");
    EXPECT_EQ(D64Extractor::parsedFile(*bus.disk(8), "disk", 2).payload, "123456789");
    EXPECT_EQ(files.at(0).name, "NOTES");
    EXPECT_EQ(files.at(0).typeToken, "SEQ");
    EXPECT_EQ(files.at(1).name, "BOOT");
    const ParsedFile boot = D64Extractor::parsedFile(*bus.disk(8), "disk", 1);
    EXPECT_EQ(boot.startAddress,
              static_cast<quint8>(payload[0]) + 256 * static_cast<quint8>(payload[1]));
    EXPECT_EQ(boot.payload, payload.mid(2));
}

TEST(CbmcopyTool, RefusedWritesLeaveTheDiskAsItWas) {
    SimulatedBus bus;
    const QByteArray disk = diskWithFiles("games", "01", {{"game", sequence(400, 1)}});
    bus.addDrive(8, "1541-II", disk);
    const QString source = bus.path() + "/GAME.PRG";
    writeFile(source, sequence(600, 2));

    const ToolResult exists =
        runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "game", "-R", "8", source});
    EXPECT_EQ(exists.exitCode, 0);
    EXPECT_TRUE(
        exists.err.contains("[Fatal] could not open file for writing: 63, FILE EXISTS,00,00\r\n"));
    EXPECT_EQ(bus.status(8), "63, file exists,00,00");

    const QString huge = bus.path() + "/HUGE.PRG";
    writeFile(huge, sequence(700 * 254, 3));
    const ToolResult full =
        runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "huge", "-R", "8", huge});
    EXPECT_EQ(full.exitCode, 0);
    EXPECT_TRUE(full.err.contains("file copy ended with error status: 72, DISK FULL,00,00\r\n"));
    EXPECT_EQ(bus.status(8), "72, disk full,00,00");

    bus.setFault("fail-at-track", "1");
    const ToolResult broken =
        runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "new", "-R", "8", source});
    EXPECT_EQ(broken.exitCode, 0);
    EXPECT_TRUE(broken.err.contains("file copy ended with error status: 25,WRITE ERROR,01,"));
    EXPECT_EQ(bus.disk(8), disk);

    bus.insertDisk(8, std::nullopt);
    const ToolResult noDisk =
        runTool(bus, "cbmcopy", {"-w", "-v", "-f", "P", "-o", "new", "-R", "8", source});
    EXPECT_TRUE(noDisk.err.contains("74,DRIVE NOT READY,00,00\r\n"));
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
    expectSpinner(read.out, 4);
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

TEST(CbmformatTool, FormatsThirtyFiveOrFortyTracks) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", sequence(diskSize, 1));
    const ToolResult plain = runTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, QByteArray(35, '#') + "\n00, OK,00,00\r");
    EXPECT_EQ(bus.disk(8), D64Builder::create("games", "01").data());

    const ToolResult extended = runTool(bus, "cbmformat", {"-p", "-s", "-x", "8", "wide,wd"});
    EXPECT_EQ(extended.out, QByteArray(40, '#') + "\n00, OK,00,00\r");
    const QByteArray wide = *bus.disk(8);
    EXPECT_EQ(wide.size(), 196608);
    EXPECT_EQ(wide.left(diskSize), D64Builder::create("wide", "wd").data());

    const ToolResult quiet = runTool(bus, "cbmformat", {"8", "calm,cm"});
    EXPECT_TRUE(quiet.out.isEmpty());
    EXPECT_EQ(D64Extractor::readDirectory(*bus.disk(8)).diskName, "CALM");
}

TEST(CbmformatTool, FailuresShowInTheStatusWithExitZero) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    const ToolResult noDisk = runTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_EQ(noDisk.exitCode, 0);
    EXPECT_EQ(noDisk.out, "\n74,DRIVE NOT READY,00,00\r");

    bus.insertDisk(8, sequence(diskSize, 2));
    bus.setFault("fail-at-track", "5");
    const ToolResult broken = runTool(bus, "cbmformat", {"-p", "-s", "8", "games,01"});
    EXPECT_EQ(broken.exitCode, 0);
    EXPECT_EQ(broken.out, "####\n21,READ ERROR,05,00\r");
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 4, 0), QByteArray(256, '\0'));
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 5, 0),
              D64Layout::sector(sequence(diskSize, 2), 5, 0));
}

} // namespace
} // namespace vellum::testing
