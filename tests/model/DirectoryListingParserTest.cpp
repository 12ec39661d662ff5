#include "model/ToolOutputParsers.h"

#include <gtest/gtest.h>

using namespace vellum;

TEST(DirectoryListingParserTest, ReadsTheRealToolsLowerCaseListing) {
    // As "cbmctrl dir 8" prints it: reverse-on dot, trailing blanks, status line last.
    const QString output = "0 .\"games           \" 01 2a\n"
                           "12   \"hello\"            prg  \n"
                           "3    \"open\"            *seq  \n"
                           "1    \"locked\"           prg< \n"
                           "648 blocks free.             \n"
                           "00, ok,00,00\n";
    const DiskDirectory directory = parseDirectoryListing(output);
    EXPECT_EQ(directory.diskName, "games");
    EXPECT_EQ(directory.diskID, "01 2a");
    EXPECT_EQ(directory.blocksFree, 648);
    ASSERT_EQ(directory.entries.size(), 3);

    EXPECT_EQ(directory.entries[0].name, "hello");
    EXPECT_EQ(directory.entries[0].blocks, 12);
    EXPECT_EQ(directory.entries[0].type, CBMFileType::prg);
    EXPECT_EQ(directory.entries[0].typeToken, "PRG");
    EXPECT_FALSE(directory.entries[0].byteSize.has_value());

    EXPECT_EQ(directory.entries[1].typeToken, "*SEQ");
    EXPECT_TRUE(directory.entries[1].isSplat);
    EXPECT_EQ(directory.entries[1].type, CBMFileType::seq);

    EXPECT_EQ(directory.entries[2].typeToken, "PRG<");
    EXPECT_TRUE(directory.entries[2].isLocked);
    EXPECT_FALSE(directory.entries[2].isSplat);
}

TEST(DirectoryListingParserTest, OnlyTheFirstNamedHeaderCounts) {
    const DiskDirectory directory = parseDirectoryListing("0 \"GAMES\" 01 2A\n"
                                                          "0 \"OTHER\" 99 2A\n"
                                                          "12 \"HELLO\" PRG\n");
    EXPECT_EQ(directory.diskName, "GAMES");
    EXPECT_EQ(directory.diskID, "01 2A");
    ASSERT_EQ(directory.entries.size(), 1);

    // An empty header name may be replaced by a later one.
    const DiskDirectory replaced = parseDirectoryListing("0 \"\" 00 2A\n0 \"LATER\" 02 2A\n");
    EXPECT_EQ(replaced.diskName, "LATER");
    EXPECT_EQ(replaced.diskID, "02 2A");
}

TEST(DirectoryListingParserTest, TypeTokensAndMarks) {
    const DiskDirectory directory = parseDirectoryListing("5 \"SYS\" CBM\n"
                                                          "2 \"X\" *PRG<\n"
                                                          "1 \"Y\" del\n");
    ASSERT_EQ(directory.entries.size(), 3);
    EXPECT_EQ(directory.entries[0].type, CBMFileType::other);
    EXPECT_EQ(directory.entries[0].typeToken, "CBM");
    EXPECT_EQ(directory.entries[1].typeToken, "*PRG<");
    EXPECT_EQ(directory.entries[2].type, CBMFileType::del);
    EXPECT_EQ(directory.fileCount(), 2);
}

TEST(DirectoryListingParserTest, ABareNumberCountsOnceForTheNextEntry) {
    const DiskDirectory directory = parseDirectoryListing("17\n"
                                                          "\"FIRST\" PRG\n"
                                                          "\"SECOND\" PRG\n"
                                                          "9.\n"
                                                          "\"THIRD\" SEQ\n");
    ASSERT_EQ(directory.entries.size(), 3);
    EXPECT_EQ(directory.entries[0].blocks, 17);
    EXPECT_EQ(directory.entries[1].blocks, 0);
    EXPECT_EQ(directory.entries[2].blocks, 9);
}

TEST(DirectoryListingParserTest, EveryKindOfLineBreakAndNoBreakSpaces) {
    const QString output = QString("0 \"DISK\" 01 2A\r") + "1 \"A\" PRG\r\n" + QChar(0x2028) +
                           "2 \"B\"" + QChar(0x00A0) + "SEQ" + QChar(0x0085) + "3" + QChar(0x00A0) +
                           "\"C\" USR\n" + "10 BLOCKS FREE.";
    const DiskDirectory directory = parseDirectoryListing(output);
    EXPECT_EQ(directory.diskName, "DISK");
    ASSERT_EQ(directory.entries.size(), 3);
    EXPECT_EQ(directory.entries[1].name, "B");
    EXPECT_EQ(directory.entries[1].type, CBMFileType::seq);
    EXPECT_EQ(directory.entries[2].blocks, 3);
    EXPECT_EQ(directory.blocksFree, 10);
}

TEST(DirectoryListingParserTest, OddLines) {
    struct Case {
        QString output;
        QStringList names; // "blocks name"
        std::optional<qint64> blocksFree;
    };
    const QList<Case> cases = {
        {"664 BLOCKS FREE.", {}, 664},
        {"1 block free.", {}, 1},
        {"BLOCKS FREE\n", {}, std::nullopt},
        {"[DEBUG] something \"X\" PRG\n00, OK,00,00\n73, cbm dos v2.6 1541, ok, 00\n"
         "4 \"REAL\" PRG\n",
         {"4 REAL"},
         std::nullopt},
        {"3 \"  MY  GAME \" PRG", {"3 MY GAME"}, std::nullopt}, // runs of blanks fold to one
        // Arabic-Indic digits are numeric but do not read as a decimal integer.
        {QString::fromUtf8("١٢ \"A\" PRG\n٣ BLOCKS FREE"), {"0 A"}, std::nullopt},
    };
    for (const Case& each : cases) {
        const DiskDirectory directory = parseDirectoryListing(each.output);
        QStringList names;
        for (const DirectoryEntry& entry : directory.entries) {
            names << QString::number(entry.blocks) + " " + entry.name;
        }
        EXPECT_EQ(names, each.names) << each.output.toStdString();
        EXPECT_EQ(directory.blocksFree, each.blocksFree) << each.output.toStdString();
    }
    // A drive error alone gives an empty listing.
    EXPECT_EQ(parseDirectoryListing("21,read error,18,00\n"), DiskDirectory::empty());
    EXPECT_EQ(parseDirectoryListing(""), DiskDirectory::empty());
}
