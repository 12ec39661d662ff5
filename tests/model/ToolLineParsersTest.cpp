#include "model/ToolOutputParsers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vellum;
using ::testing::DoubleEq;

TEST(DetectedDrivesParserTest, DriveLinesInOrderAndNothingElse) {
    const QList<DriveInfo> drives =
        parseDetectedDrives("  8: 1541  \n 9 : 1571 (XP1541) \r10: 1541-II\r\ndrive: 8\n");
    ASSERT_EQ(drives.size(), 3);
    EXPECT_EQ(drives[0], (DriveInfo{8, "1541", "1541", true}));
    EXPECT_EQ(drives[1].deviceNumber, 9);
    EXPECT_EQ(drives[1].model, "1571 (XP1541)");
    EXPECT_EQ(drives[2].model, "1541-II");
    EXPECT_TRUE(parseDetectedDrives("").isEmpty());
    // A number too big for 64 bits falls back to device 8.
    EXPECT_EQ(parseDetectedDrives("99999999999999999999: 1541").value(0).deviceNumber, 8);
}

TEST(ProgressFractionTest, PercentRatioTrackAndLogLines) {
    const QList<std::tuple<QString, int, std::optional<double>>> cases = {
        {"45%", 35, 0.45},
        {"Track 12/35", 35, 12.0 / 35},
        {"17: *******", 35, 17.0 / 35},
        {"250%", 35, 1.0},
        {"hello", 35, std::nullopt},
        {"17: ***", 0, std::nullopt},
        // The percentage wins over the ratio and the track number on the same line.
        {" 1: *********************     3%    21/683", 35, 0.03},
        {"35: *****************       100%   683/683", 35, 1.0},
        {" 1: *********************          ", 35, 1.0 / 35},
        {"683 blocks copied.", 35, std::nullopt},
        // Only the first ratio is read; a zero total gives no value rather than infinity.
        {"3/0 then 5/10", 35, std::nullopt},
        {"[Warning] read error: 12/05: 5", 35, std::nullopt},
        {"[Info] writing /u/c64/1541/GAME.PRG -> game,p,w", 35, std::nullopt},
        {"  [Info] drive 08 (1541): 00, OK,00,00", 35, std::nullopt},
        {"[Fatal] 100% broken", 35, std::nullopt},
    };
    for (const auto& [line, tracks, expected] : cases) {
        const std::optional<double> got = progressFraction(line, tracks);
        ASSERT_EQ(got.has_value(), expected.has_value()) << line.toStdString();
        if (expected) {
            EXPECT_THAT(*got, DoubleEq(*expected)) << line.toStdString();
        }
    }
    // d64copy -2 finishes track 36 second and track 35 last but one.
    const auto alternating = [](const QString& line) {
        return progressFraction(line, 70, TrackOrder::sidesAlternating).value_or(-1);
    };
    EXPECT_THAT(alternating("36: *****"), DoubleEq(2.0 / 70));
    EXPECT_THAT(alternating("35: *****"), DoubleEq(69.0 / 70));
}

TEST(ParseDraggedEntryTest, NameAndType) {
    using Entry = std::pair<QString, CBMFileType>;
    EXPECT_EQ(parseDraggedEntry("GAME\tseq"), (Entry{"GAME", CBMFileType::seq}));
    EXPECT_EQ(parseDraggedEntry("GAME"), (Entry{"GAME", CBMFileType::prg}));
    EXPECT_EQ(parseDraggedEntry("GAME\tXYZ"), (Entry{"GAME", CBMFileType::other}));
    EXPECT_EQ(parseDraggedEntry("GAME\tother"), (Entry{"GAME", CBMFileType::other}));
    EXPECT_EQ(parseDraggedEntry("MY GAME\tPRG\textra"), (Entry{"MY GAME", CBMFileType::other}));
    EXPECT_EQ(parseDraggedEntry(""), std::nullopt);
    EXPECT_EQ(parseDraggedEntry("\t"), std::nullopt);
}
