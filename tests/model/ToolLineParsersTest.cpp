#include "model/ToolOutputParsers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace vellum;
using ::testing::DoubleEq;
using ::testing::Optional;

TEST(DetectedDrivesParserTest, ReadsDriveLinesInOrder) {
    const QList<DriveInfo> drives = parseDetectedDrives("  8: 1541  \n 9 : 1571 drive \n");
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives[0], (DriveInfo{8, "1541", "1541", true}));
    EXPECT_EQ(drives[1].deviceNumber, 9);
    EXPECT_EQ(drives[1].model, "1571 drive");
}

TEST(DetectedDrivesParserTest, RealOutputWithCableTextAndCarriageReturns) {
    const QList<DriveInfo> drives = parseDetectedDrives(" 8: 1541-II \r 9: 1571 (XP1541)\r\n");
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives[0].model, "1541-II");
    EXPECT_EQ(drives[1].model, "1571 (XP1541)");
}

TEST(DetectedDrivesParserTest, OtherLinesGiveNothing) {
    EXPECT_TRUE(parseDetectedDrives("drive: 8").isEmpty());
    EXPECT_TRUE(parseDetectedDrives("").isEmpty());
    // A number too big for 64 bits falls back to device 8.
    const QList<DriveInfo> drives = parseDetectedDrives("99999999999999999999: 1541");
    ASSERT_EQ(drives.size(), 1);
    EXPECT_EQ(drives[0].deviceNumber, 8);
}

TEST(ProgressFractionTest, PercentRatioAndTrackForms) {
    EXPECT_THAT(progressFraction("45%", 35), Optional(DoubleEq(0.45)));
    EXPECT_THAT(progressFraction("Track 12/35", 35), Optional(DoubleEq(12.0 / 35)));
    EXPECT_THAT(progressFraction("17: *******", 35), Optional(DoubleEq(17.0 / 35)));
    EXPECT_THAT(progressFraction("17: *******", 40), Optional(DoubleEq(17.0 / 40)));
    EXPECT_THAT(progressFraction("250%", 35), Optional(DoubleEq(1.0)));
    EXPECT_EQ(progressFraction("hello", 35), std::nullopt);
    EXPECT_EQ(progressFraction("   ", 35), std::nullopt);
    EXPECT_EQ(progressFraction("17: ***", 0), std::nullopt);
}

TEST(ProgressFractionTest, RealD64copyLines) {
    // The percentage wins over the ratio and the track number on the same line.
    EXPECT_THAT(progressFraction(" 1: *********************     3%    21/683", 35),
                Optional(DoubleEq(0.03)));
    EXPECT_THAT(progressFraction("35: *****************       100%   683/683", 35),
                Optional(DoubleEq(1.0)));
    EXPECT_THAT(progressFraction(" 1: *********************          ", 35),
                Optional(DoubleEq(1.0 / 35)));
    EXPECT_EQ(progressFraction("683 blocks copied.", 35), std::nullopt);
    // Only the first ratio is read; a zero total gives no value rather than infinity.
    EXPECT_EQ(progressFraction("3/0 then 5/10", 35), std::nullopt);
}

TEST(ProgressFractionTest, LogLinesCarryNoProgress) {
    EXPECT_EQ(progressFraction("[Warning] read error: 12/05: 5", 35), std::nullopt);
    EXPECT_EQ(progressFraction("[Info] writing /u/c64/1541/GAME.PRG -> game,p,w", 35),
              std::nullopt);
    EXPECT_EQ(progressFraction("  [Info] drive 08 (1541): 00, OK,00,00", 35), std::nullopt);
    EXPECT_EQ(progressFraction("[Fatal] 100% broken", 35), std::nullopt);
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
