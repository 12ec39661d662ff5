#include "ToolProcess.h"

#include "images/D64Builder.h"
#include "images/D64Layout.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

// Sets the type byte of slot `slot` of the first directory sector.
void setTypeByte(QByteArray& disk, int slot, quint8 type) {
    disk[D64Layout::sectorOffset(18, 1) + 32 * slot + 2] = static_cast<char>(type);
}

TEST(DirectoryTool, ListsTheDiskInTheDrivesOwnColumns) {
    D64Builder builder = D64Builder::create("games", "01");
    builder.addFile("hello", CBMFileType::prg, sequence(3000, 1));
    builder.addFile("open", CBMFileType::seq, sequence(600, 2));
    builder.addFile("locked", CBMFileType::prg, sequence(100, 3));
    QByteArray disk = builder.data();
    setTypeByte(disk, 1, 0x01); // left open: a splat file
    setTypeByte(disk, 2, 0xC2); // locked

    SimulatedBus bus;
    bus.addDrive(8, "1541-II", disk);
    const ToolResult listing = runTool(bus, "cbmctrl", {"dir", "8"});
    EXPECT_EQ(listing.exitCode, 0);
    EXPECT_EQ(listing.out, QByteArray("0 .\"games           \" 01 2a\n"
                                      "12   \"hello\"            prg  \n"
                                      "3    \"open\"            *seq  \n"
                                      "1    \"locked\"           prg< \n"
                                      "648 blocks free.             \n"
                                      "00, ok,00,00\n"));
    EXPECT_EQ(bus.status(8), "00, ok,00,00");
}

TEST(DirectoryTool, LongDirectoriesAndShiftedNamesAreListedWholeAndLoopsEnd) {
    QList<std::pair<QString, QByteArray>> files;
    for (int i = 0; i < 11; ++i) {
        files.push_back({QStringLiteral("file%1").arg(i), sequence(10 + i, i)});
    }
    QByteArray disk = diskWithFiles("many", "mn", files);
    // A shifted letter (0xC6) in the first name reads back in upper case.
    disk[D64Layout::sectorOffset(18, 1) + 5] = static_cast<char>(0xC6);
    SimulatedBus bus;
    bus.addDrive(8, "1541-II", disk);
    const QByteArray listing = runTool(bus, "cbmctrl", {"dir", "8"}).out;
    EXPECT_TRUE(listing.contains("\n1    \"File0\" ") && listing.contains("\n1    \"file10\" "));
    EXPECT_TRUE(listing.contains("\n653 blocks free."));

    // A directory chain that loops back on itself ends the listing.
    const qint64 second =
        D64Layout::sectorOffset(18, quint8(disk[D64Layout::sectorOffset(18, 1) + 1]));
    disk[second] = 18; // the second directory sector links back to the first
    disk[second + 1] = 1;
    bus.insertDisk(8, disk);
    const QByteArray looped = runTool(bus, "cbmctrl", {"dir", "8"}).out;
    EXPECT_EQ(looped.count("\"file10\""), 1);
    EXPECT_EQ(looped.count("\"File0\""), 1);
}

TEST(DirectoryTool, DriveErrorsPrintOnlyTheStatusLineAndExitZero) {
    SimulatedBus bus;
    bus.addDrive(8, "1541-II");
    const ToolResult noDisk = runTool(bus, "cbmctrl", {"dir", "8"});
    EXPECT_EQ(noDisk.exitCode, 0);
    EXPECT_EQ(noDisk.out, "74,drive not ready,00,00\n");
    EXPECT_EQ(bus.status(8), "74,drive not ready,00,00");

    bus.insertDisk(8, sequence(1000, 1));
    const ToolResult damaged = runTool(bus, "cbmctrl", {"dir", "8"});
    EXPECT_EQ(damaged.exitCode, 0);
    EXPECT_EQ(damaged.out, "21,read error,18,00\n");

    const ToolResult absent = runTool(bus, "cbmctrl", {"dir", "9"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_TRUE(absent.out.isEmpty());
}

} // namespace
} // namespace vellum::testing
