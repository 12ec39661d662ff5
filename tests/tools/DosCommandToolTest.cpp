#include "ToolProcess.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

const qint64 firstEntry = D64Layout::sectorOffset(18, 1);

// Sends the command and returns the drive's status afterwards.
QString dosCommand(const SimulatedBus& bus, const QString& command) {
    runTool(bus, "cbmctrl", {"--petscii", "command", "8", command});
    return bus.status(8);
}

QByteArray threeFiles() {
    return diskWithFiles(
        "work", "wk",
        {{"game", sequence(2000, 1)}, {"gamma", sequence(700, 2)}, {"other", sequence(300, 3)}});
}

QByteArray withoutFiles(const QByteArray& disk, const QList<int>& indexes) {
    D64Builder builder = D64Builder::open(disk);
    for (const int index : indexes) {
        builder.deleteFile(index);
    }
    builder.writeBAM();
    return builder.data();
}

TEST(DosCommandTool, ScratchRemovesMatchingUnlockedFilesAsTheImageCodeWould) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", threeFiles());
    EXPECT_EQ(dosCommand(bus, "s0:gam*"), "01, files scratched,02,00");
    const QByteArray expected = withoutFiles(threeFiles(), {1, 0});
    EXPECT_EQ(bus.disk(8), expected);
    EXPECT_EQ(dosCommand(bus, "s0:nosuch"), "01, files scratched,00,00");
    EXPECT_EQ(bus.disk(8), expected);

    // A locked file is spared; several names, with wildcards, go at once.
    QByteArray locked = threeFiles();
    locked[firstEntry + 2] = static_cast<char>(0xC2); // "game"
    bus.insertDisk(8, locked);
    EXPECT_EQ(dosCommand(bus, "s:game,other,g?mma"), "01, files scratched,02,00");
    const QList<D64Extractor::File> left = D64Extractor::files(*bus.disk(8));
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().name, "GAME");
}

TEST(DosCommandTool, RenameChangesOnlyTheNameAndRefusesClashes) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", threeFiles());
    EXPECT_EQ(dosCommand(bus, "r0:game 2=game"), "00, ok,00,00");
    QByteArray expected = threeFiles();
    expected.replace(firstEntry + 5, 16,
                     QByteArray("GAME 2").leftJustified(16, static_cast<char>(0xA0)));
    EXPECT_EQ(bus.disk(8), expected);

    EXPECT_EQ(dosCommand(bus, "r0:other=gamma"), "63, file exists,00,00");
    EXPECT_EQ(dosCommand(bus, "r0:fresh=nosuch"), "62, file not found,00,00");
    EXPECT_EQ(dosCommand(bus, "r0:bad*=gamma"), "33,syntax error,00,00");
    EXPECT_EQ(bus.disk(8), expected);

    // Capitals travel as shifted letters and read back as capitals.
    dosCommand(bus, "r0:Big=other");
    EXPECT_EQ(bus.disk(8)->mid(firstEntry + 2 * 32 + 5, 4), QByteArray("\xc2IG\xa0"));
    EXPECT_TRUE(runTool(bus, "cbmctrl", {"dir", "8"}).out.contains("\"Big\""));
}

TEST(DosCommandTool, ValidateRebuildsTheBamFromTheFileChains) {
    QByteArray disk = threeFiles();
    const QByteArray goodBam = D64Layout::sector(disk, 18, 0);
    // Wrong both ways: every sector of track 1 free, track 2 taken.
    const qint64 bam = D64Layout::sectorOffset(18, 0);
    disk.replace(bam + 4, 8, QByteArray("\x15\xff\xff\x1f\x00\x00\x00\x00", 8));
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", disk);
    EXPECT_EQ(dosCommand(bus, "v0"), "00, ok,00,00");
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 18, 0), goodBam);

    // An unclosed file is dropped and its blocks come back.
    QByteArray withSplat = threeFiles();
    withSplat[firstEntry + 32 * 2 + 2] = 0x02;
    bus.insertDisk(8, withSplat);
    dosCommand(bus, "v0");
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 18, 0),
              D64Layout::sector(withoutFiles(threeFiles(), {2}), 18, 0));
    EXPECT_EQ(D64Extractor::files(*bus.disk(8)).size(), 2);
}

TEST(DosCommandTool, NewFormatsWithAnIdAndClearsQuicklyWithout) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", threeFiles());
    EXPECT_EQ(dosCommand(bus, "n0:fresh,xy"), "00, ok,00,00");
    EXPECT_EQ(bus.disk(8), D64Builder::create("fresh", "xy").data());

    const QByteArray old = threeFiles();
    bus.insertDisk(8, old);
    EXPECT_EQ(dosCommand(bus, "n0:quick"), "00, ok,00,00");
    const DiskDirectory listed = D64Extractor::readDirectory(*bus.disk(8));
    EXPECT_EQ(listed.diskName + " " + listed.diskID, "QUICK WK");
    EXPECT_TRUE(listed.entries.isEmpty());
    EXPECT_EQ(listed.blocksFree, 664);
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 1, 0), D64Layout::sector(old, 1, 0));

    // The five tracks of an extended disk outlast a DOS format.
    const QByteArray extended = old + sequence(5 * 17 * 256, 9);
    bus.insertDisk(8, extended);
    dosCommand(bus, "n0:again,ag");
    EXPECT_EQ(bus.disk(8)->mid(174848), extended.mid(174848));
}

TEST(DosCommandTool, TheDriveRefusesWhatItCannotDo) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    for (const QString command : {"i0", "v0", "s0:x", "r0:a=b", "n0:new,id"}) {
        EXPECT_EQ(dosCommand(bus, command), "74,drive not ready,00,00") << command.toStdString();
    }
    bus.insertDisk(8, threeFiles());
    EXPECT_EQ(dosCommand(bus, "i0"), "00, ok,00,00");
    // Without --petscii the lower-case letters are not the drive's command letters.
    EXPECT_EQ(runTool(bus, "cbmctrl", {"command", "8", "i0"}).exitCode, 0);
    EXPECT_EQ(bus.status(8), "31,syntax error,00,00");
    EXPECT_EQ(dosCommand(bus, "x9"), "31,syntax error,00,00");
    EXPECT_EQ(dosCommand(bus, "s0"), "34,syntax error,00,00");
    EXPECT_EQ(bus.disk(8), threeFiles());
    EXPECT_EQ(runTool(bus, "cbmctrl", {"--petscii", "command", "9", "i0"}).exitCode, 1);

    // A format that fails leaves the earlier tracks erased and the rest as they were.
    bus.setFault("fail-at-track", "3");
    EXPECT_EQ(dosCommand(bus, "n0:broken,br"), "21,read error,03,00");
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 2, 20), QByteArray(256, '\0'));
    EXPECT_EQ(D64Layout::sector(*bus.disk(8), 18, 0), D64Layout::sector(threeFiles(), 18, 0));
}

} // namespace
} // namespace vellum::testing
