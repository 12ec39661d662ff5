#include "ToolProcess.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

constexpr qint64 bamOffset = 0x16500; // track 18, sector 0

ToolResult dosCommand(const SimulatedBus& bus, const QString& command) {
    return runTool(bus, "cbmctrl", {"--petscii", "command", "8", command});
}

QByteArray threeFiles() {
    return diskWithFiles(
        "work", "wk",
        {{"game", sequence(2000, 1)}, {"gamma", sequence(700, 2)}, {"other", sequence(300, 3)}});
}

QByteArray entryName(const QByteArray& disk, int slot) {
    return disk.mid(D64Layout::sectorOffset(18, 1) + 32 * slot + 5, 16);
}

TEST(DosCommandTool, ScratchRemovesMatchingUnlockedFilesAsTheImageCodeWould) {
    const QByteArray disk = threeFiles();
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", disk);

    const ToolResult scratched = dosCommand(bus, "s0:gam*");
    EXPECT_EQ(scratched.exitCode, 0);
    EXPECT_TRUE(scratched.out.isEmpty());
    EXPECT_EQ(bus.status(8), "01, files scratched,02,00");
    D64Builder expected = D64Builder::open(disk);
    expected.deleteFile(1);
    expected.deleteFile(0);
    expected.writeBAM();
    EXPECT_EQ(bus.disk(8), expected.data());

    EXPECT_EQ(dosCommand(bus, "s0:nosuch").exitCode, 0);
    EXPECT_EQ(bus.status(8), "01, files scratched,00,00");
    EXPECT_EQ(bus.disk(8), expected.data());

    // A locked file is spared; several names, with wildcards, go at once.
    QByteArray locked = disk;
    locked[D64Layout::sectorOffset(18, 1) + 2] = static_cast<char>(0xC2); // "game"
    bus.insertDisk(8, locked);
    dosCommand(bus, "s:game,other,g?mma");
    EXPECT_EQ(bus.status(8), "01, files scratched,02,00");
    const QList<D64Extractor::File> left = D64Extractor::files(*bus.disk(8));
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().name, "GAME");
}

TEST(DosCommandTool, RenameChangesOnlyTheNameAndRefusesClashes) {
    const QByteArray disk = threeFiles();
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", disk);

    dosCommand(bus, "r0:game 2=game");
    EXPECT_EQ(bus.status(8), "00, ok,00,00");
    QByteArray expected = disk;
    expected.replace(D64Layout::sectorOffset(18, 1) + 5, 16,
                     QByteArray("GAME 2").leftJustified(16, static_cast<char>(0xA0)));
    EXPECT_EQ(bus.disk(8), expected);

    dosCommand(bus, "r0:other=gamma");
    EXPECT_EQ(bus.status(8), "63, file exists,00,00");
    dosCommand(bus, "r0:fresh=nosuch");
    EXPECT_EQ(bus.status(8), "62, file not found,00,00");
    dosCommand(bus, "r0:bad*=gamma");
    EXPECT_EQ(bus.status(8), "33,syntax error,00,00");
    EXPECT_EQ(bus.disk(8), expected);

    // Capitals travel as shifted letters and read back as capitals.
    dosCommand(bus, "r0:Big=other");
    EXPECT_EQ(entryName(*bus.disk(8), 2).left(4), QByteArray("\xc2IG\xa0"));
    EXPECT_TRUE(runTool(bus, "cbmctrl", {"dir", "8"}).out.contains("\"Big\""));
}

TEST(DosCommandTool, ValidateRebuildsTheBamFromTheFileChains) {
    QByteArray disk = threeFiles();
    const QByteArray goodBam = D64Layout::sector(disk, 18, 0);
    // Wrong the other way too: every sector of track 1 free, track 2 taken.
    disk[bamOffset + 4] = 21;
    disk.replace(bamOffset + 5, 3, QByteArray("\xff\xff\x1f"));
    disk[bamOffset + 8] = 0;
    disk.replace(bamOffset + 9, 3, QByteArray(3, '\0'));
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", disk);

    dosCommand(bus, "v0");
    EXPECT_EQ(bus.status(8), "00, ok,00,00");
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 18, 0), goodBam);

    // An unclosed file is dropped and its blocks come back.
    QByteArray withSplat = threeFiles();
    withSplat[D64Layout::sectorOffset(18, 1) + 32 * 2 + 2] = 0x02;
    bus.insertDisk(8, withSplat);
    dosCommand(bus, "v0");
    D64Builder expected = D64Builder::open(threeFiles());
    expected.deleteFile(2);
    expected.writeBAM();
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 18, 0), D64Layout::sector(expected.data(), 18, 0));
    EXPECT_EQ(D64Extractor::files(*bus.disk(8)).size(), 2);
}

TEST(DosCommandTool, NewFormatsWithAnIdAndClearsQuicklyWithout) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", threeFiles());
    dosCommand(bus, "n0:fresh,xy");
    EXPECT_EQ(bus.status(8), "00, ok,00,00");
    EXPECT_EQ(bus.disk(8), D64Builder::create("fresh", "xy").data());

    const QByteArray old = threeFiles();
    bus.insertDisk(8, old);
    dosCommand(bus, "n0:quick");
    EXPECT_EQ(bus.status(8), "00, ok,00,00");
    const QByteArray cleared = *bus.disk(8);
    const DiskDirectory listed = D64Extractor::readDirectory(cleared);
    EXPECT_EQ(listed.diskName, "QUICK");
    EXPECT_EQ(listed.diskID, "WK");
    EXPECT_TRUE(listed.entries.isEmpty());
    EXPECT_EQ(listed.blocksFree, 664);
    EXPECT_EQ(D64Layout::sector(cleared, 1, 0),
              D64Layout::sector(old, 1, 0)); // the data is still there

    // The five tracks of an extended disk outlast a DOS format.
    QByteArray extended = threeFiles() + sequence(5 * 17 * 256, 9);
    bus.insertDisk(8, extended);
    dosCommand(bus, "n0:again,ag");
    EXPECT_EQ(bus.disk(8)->size(), 196608);
    EXPECT_EQ(bus.disk(8)->mid(174848), extended.mid(174848));
}

TEST(DosCommandTool, TheDriveRefusesWhatItCannotDo) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    for (const QString command : {"i0", "v0", "s0:x", "r0:a=b", "n0:new,id"}) {
        dosCommand(bus, command);
        EXPECT_EQ(bus.status(8), "74,drive not ready,00,00") << command.toStdString();
    }

    bus.insertDisk(8, threeFiles());
    dosCommand(bus, "i0");
    EXPECT_EQ(bus.status(8), "00, ok,00,00");
    // Without --petscii the lower-case letters are not the drive's command letters.
    EXPECT_EQ(runTool(bus, "cbmctrl", {"command", "8", "i0"}).exitCode, 0);
    EXPECT_EQ(bus.status(8), "31,syntax error,00,00");
    dosCommand(bus, "x9");
    EXPECT_EQ(bus.status(8), "31,syntax error,00,00");
    dosCommand(bus, "s0");
    EXPECT_EQ(bus.status(8), "34,syntax error,00,00");
    EXPECT_EQ(bus.disk(8), threeFiles());

    EXPECT_EQ(runTool(bus, "cbmctrl", {"--petscii", "command", "9", "i0"}).exitCode, 1);
}

TEST(DosCommandTool, AFormatThatFailsLeavesTheEarlierTracksErased) {
    SimulatedBus bus;
    const QByteArray old = threeFiles();
    bus.addDrive(8, "1541-II", old);
    bus.setFault("fail-at-track", "3");
    dosCommand(bus, "n0:broken,br");
    EXPECT_EQ(bus.status(8), "21,read error,03,00");
    const QByteArray disk = *bus.disk(8);
    EXPECT_EQ(D64Layout::sector(disk, 2, 20), QByteArray(256, '\0'));
    EXPECT_EQ(D64Layout::sector(disk, 18, 0), D64Layout::sector(old, 18, 0));
}

} // namespace
} // namespace vellum::testing
