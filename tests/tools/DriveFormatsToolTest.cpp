#include "ToolProcess.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

constexpr qint64 d71Size = 349696;
constexpr qint64 d81Size = 819200;

// A bus with a 1541, a 1571 holding the demo D71 and a 1581 holding the demo D81.
struct ThreeDrives {
    SimulatedBus bus;
    const QByteArray d71 = SimulatedBus::demoDisk("d71");
    const QByteArray d81 = SimulatedBus::demoDisk("d81");
    ThreeDrives() {
        bus.addDrive(8, "1541-II", diskWithFiles("one", "01", {}));
        bus.addDrive(9, "1571", d71);
        bus.addDrive(10, "1581", d81);
    }
    QByteArray freeLine(const char* device) {
        const QList<QByteArray> lines = runTool(bus, "cbmctrl", {"dir", device}).out.split('\n');
        return lines.size() > 2 ? lines.at(lines.size() - 3).trimmed() : QByteArray();
    }
};

TEST(DriveFormatsTool, A1571ReadsOneSideUntilSwitchedAndAgainAfterReset) {
    ThreeDrives drives;
    // Side one keeps 627 of its 664 blocks free, side two 611.
    EXPECT_EQ(drives.freeLine("9"), "627 blocks free.");
    runTool(drives.bus, "cbmctrl", {"-p", "command", "9", "u0>m1"});
    EXPECT_EQ(drives.freeLine("9"), "1238 blocks free.");
    runTool(drives.bus, "cbmctrl", {"command", "9", "U0>M0"});
    EXPECT_EQ(drives.freeLine("9"), "627 blocks free.");
    runTool(drives.bus, "cbmctrl", {"command", "9", "U0>M1"});
    runTool(drives.bus, "cbmctrl", {"reset"});
    EXPECT_EQ(drives.freeLine("9"), "627 blocks free.");

    // The 1581's header lies at 40/0 and its free count leaves track 40 out.
    const ToolResult listing = runTool(drives.bus, "cbmctrl", {"dir", "10"});
    EXPECT_TRUE(listing.out.startsWith("0 .\"three and a half\" 81 3d\n10   \"one\" "));
    EXPECT_EQ(drives.freeLine("10"), "3045 blocks free.");
}

TEST(DriveFormatsTool, ValidatingA1571InOneSideModeDamagesTheMapOfADoubleSidedDisk) {
    ThreeDrives drives;
    runTool(drives.bus, "cbmctrl", {"command", "9", "U0>M1"});
    runTool(drives.bus, "cbmctrl", {"command", "9", "V0"});
    runTool(drives.bus, "cbmctrl", {"command", "10", "V0"});
    EXPECT_EQ(drives.bus.disk(9), drives.d71);
    EXPECT_EQ(drives.bus.disk(10), drives.d81);
    EXPECT_EQ(drives.bus.status(9), "00, ok,00,00");

    // In 1541 mode the drive stops at the file that runs onto side two and gives away the
    // blocks of the file listed after it.
    runTool(drives.bus, "cbmctrl", {"reset"});
    runTool(drives.bus, "cbmctrl", {"command", "9", "V0"});
    EXPECT_EQ(drives.bus.status(9), "66,illegal track or sector,36,00");
    EXPECT_EQ(drives.freeLine("9"), "647 blocks free.");
}

TEST(DriveFormatsTool, D64copyTwoSidedCopiesBothSidesInTheToolsTrackOrder) {
    ThreeDrives drives;
    const QString image = drives.bus.path() + "/both.d71";
    const ToolResult read = runTool(drives.bus, "d64copy", {"-v", "-w", "-2", "9", image});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(readFile(image), drives.d71);
    EXPECT_TRUE(read.err.contains("[Warning] `-w' for .d71 transfer in warp mode ignored\n"));
    QList<int> order;
    for (const QByteArray& line : read.out.split('\n')) {
        if (line.size() > 3 && line.startsWith('\r')) {
            order << line.mid(line.lastIndexOf('\r') + 1, 2).trimmed().toInt();
        }
    }
    ASSERT_EQ(order.size(), 70);
    EXPECT_EQ(order.mid(0, 4), QList<int>({1, 36, 2, 37}));
    EXPECT_TRUE(read.out.endsWith("\r70: *****************       100%  1366/1366\n"
                                  "1366 blocks copied.\n"));
    EXPECT_EQ(drives.freeLine("9"), "1238 blocks free.") << "left in 1571 mode";

    // Written onto a single-sided disk, the image fills side two as well.
    drives.bus.insertDisk(9, diskWithFiles("single", "s1", {}));
    EXPECT_TRUE(
        runTool(drives.bus, "d64copy", {"-2", image, "9"}).out.endsWith("\n1366 blocks copied.\n"));
    EXPECT_EQ(drives.bus.disk(9), drives.d71);

    const ToolResult refused = runTool(drives.bus, "d64copy", {"-v", "-2", "8", image});
    EXPECT_EQ(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.endsWith("[Fatal] .d71 transfer requires a 1571 drive\n"));
}

struct ImgcopyCase {
    QStringList arguments; // the image path is appended, read from the drive when it names one
    QByteArray errorLine;  // printed on stderr; empty for a whole copy
    QByteArray outputLine = {};
    int exitCode = 0;
};

TEST(DriveFormatsTool, ImgcopyServesThe1581AndRefusesAsTheRealToolDoes) {
    const QList<ImgcopyCase> cases = {
        {{"-d", "1581", "10"}, {}},
        {{"-v", "-d", "1581", "-t", "s1", "10"},
         "[Info] sending turbo drive code ...\n",
         "uploading drivecode 8\n"},
        {{"-d", "1581", "-t", "serial2", "10"}, {}, "uploading drivecode 8\n"},
        {{"-d", "1581", "-t", "auto", "-w", "10"},
         "[Warning] drive type doesn't support warp mode\n"},
        {{"-d", "1581", "-t", "par", "10"},
         "[Fatal] transfer mode not allowed for this drive type\n"},
        // Unhelped, the tool settles the image type before it knows the drive.
        {{"10"}, "[Fatal] invalid imagetype for this drive type\n"},
        {{"8"}, "[Fatal] drive is not supported\n"},
        {{"9"}, "[Fatal] drive is not supported\n"},
        {{"-d", "1581", "11"}, "[Fatal] drive 11 (CBM-1581): 99, DRIVER ERROR,00,00\r\n"},
        {{"-t", "fast", "10"}, "Unknown transfer mode: fast\nAvailable modes:\n  auto\n", {}, 1},
        {{"-d", "1581", "x.d81"}, "[Fatal] either source or target must be a CBM drive\n", {}, 1},
    };
    for (const ImgcopyCase& each : cases) {
        ThreeDrives drives;
        const QString image = drives.bus.path() + "/disk.d81";
        const ToolResult result =
            runTool(drives.bus, "imgcopy", each.arguments + QStringList{image});
        SCOPED_TRACE(each.arguments.join(' ').toStdString());
        EXPECT_EQ(result.exitCode, each.exitCode);
        EXPECT_TRUE(result.err.contains(each.errorLine)) << result.err.toStdString();
        EXPECT_TRUE(result.out.startsWith(each.outputLine));
        const bool whole = !each.errorLine.contains("[Fatal]") && each.exitCode == 0;
        EXPECT_EQ(result.out.endsWith("\n3200 blocks copied.\n"), whole);
        EXPECT_EQ(QFile::exists(image) && readFile(image) == drives.d81, whole);
    }
}

TEST(DriveFormatsTool, ImgcopyWritesWholeImagesOnlyAndCountsFailedTracksOut) {
    ThreeDrives drives;
    const QString image = drives.bus.path() + "/in.d81";
    const QByteArray other = SimulatedBus::demoDisk("d81").replace(d81Size - 10, 3, "end");
    writeFile(image, other + QByteArray(3200, '\x01'));
    const ToolResult written = runTool(drives.bus, "imgcopy", {"-v", "-d", "1581", image, "10"});
    EXPECT_TRUE(written.err.contains("[Warning] image contains error information\n"));
    EXPECT_TRUE(written.out.endsWith("\r80: " + QByteArray(40, '*') +
                                     "100%  3200/3200\n"
                                     "3200 blocks copied.\n"));
    EXPECT_EQ(drives.bus.disk(10), other);

    writeFile(image, other.left(d71Size));
    const ToolResult refused = runTool(drives.bus, "imgcopy", {"-d", "1581", image, "10"});
    EXPECT_TRUE(refused.err.endsWith("[Fatal] image file is not compatible: " +
                                     image.toLocal8Bit() + "\n[Fatal] can't open source\n"));
    EXPECT_EQ(drives.bus.disk(10), other);

    // Track 41 fails: its 40 sectors are warned in hexadecimal and left out of the count.
    drives.bus.setFault("fail-at-track", "41");
    const QString saved = drives.bus.path() + "/saved.d81";
    const ToolResult partial = runTool(drives.bus, "imgcopy", {"-d", "1581", "10", saved});
    EXPECT_EQ(partial.exitCode, 0);
    EXPECT_TRUE(partial.err.contains("[Warning] read error: 29/27: 5\n[Warning] giving up...\n"));
    EXPECT_TRUE(partial.out.endsWith("\n3160 blocks copied.\n"));
}

} // namespace
} // namespace vellum::testing
