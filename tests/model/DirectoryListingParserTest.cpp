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
    EXPECT_EQ(directory.diskName + "|" + directory.diskID, "games|01 2a");
    EXPECT_EQ(directory.blocksFree, 648);
    QStringList entries;
    for (const DirectoryEntry& entry : directory.entries) {
        entries << QStringLiteral("%1 %2 %3 %4%5%6")
                       .arg(entry.blocks)
                       .arg(entry.name, rawValue(entry.type), entry.typeToken)
                       .arg(entry.isSplat ? " splat" : "", entry.isLocked ? " locked" : "");
        EXPECT_FALSE(entry.byteSize.has_value());
    }
    EXPECT_EQ(entries, QStringList({"12 hello PRG PRG", "3 open SEQ *SEQ splat",
                                    "1 locked PRG PRG< locked"}));
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

TEST(DirectoryListingParserTest, OddLines) {
    struct Case {
        QString output;
        QStringList names; // "blocks name type"
        std::optional<qint64> blocksFree;
        QString header = {}; // "name|id"
    };
    const QList<Case> cases = {
        {"664 BLOCKS FREE.", {}, 664},
        // Only the first named header counts; an empty one may be replaced by a later one.
        {"0 \"GAMES\" 01 2A\n0 \"OTHER\" 99 2A\n12 \"HELLO\" PRG\n",
         {"12 HELLO PRG"},
         {},
         "GAMES|01 2A"},
        {"0 \"\" 00 2A\n0 \"LATER\" 02 2A\n", {}, {}, "LATER|02 2A"},
        {"1 block free.", {}, 1},
        {"BLOCKS FREE\n", {}, std::nullopt},
        {"[DEBUG] something \"X\" PRG\n00, OK,00,00\n73, cbm dos v2.6 1541, ok, 00\n"
         "4 \"REAL\" PRG\n",
         {"4 REAL PRG"},
         std::nullopt},
        {"3 \"  MY  GAME \" PRG", {"3 MY GAME PRG"}, std::nullopt}, // runs of blanks fold to one
        // A bare number counts once, for the next entry.
        {"17\n\"FIRST\" PRG\n\"SECOND\" PRG\n9.\n\"THIRD\" SEQ\n",
         {"17 FIRST PRG", "0 SECOND PRG", "9 THIRD SEQ"},
         std::nullopt},
        // Every kind of line break, and no-break spaces between the columns.
        {QString("0 \"DISK\" 01 2A\r1 \"A\" PRG\r\n") + QChar(0x2028) + "2 \"B\"" + QChar(0x00A0) +
             "SEQ" + QChar(0x0085) + "3" + QChar(0x00A0) + "\"C\" USR\n10 BLOCKS FREE.",
         {"1 A PRG", "2 B SEQ", "3 C USR"},
         10},
        // Arabic-Indic digits are numeric but do not read as a decimal integer.
        {QString::fromUtf8("١٢ \"A\" PRG\n٣ BLOCKS FREE"), {"0 A PRG"}, std::nullopt},
    };
    for (const Case& each : cases) {
        const DiskDirectory directory = parseDirectoryListing(each.output);
        QStringList names;
        for (const DirectoryEntry& entry : directory.entries) {
            names << QString::number(entry.blocks) + " " + entry.name + " " + rawValue(entry.type);
        }
        EXPECT_EQ(names, each.names) << each.output.toStdString();
        EXPECT_EQ(directory.blocksFree, each.blocksFree) << each.output.toStdString();
        if (!each.header.isEmpty()) {
            EXPECT_EQ(directory.diskName + "|" + directory.diskID, each.header);
        }
    }
    // A drive error alone gives an empty listing.
    EXPECT_EQ(parseDirectoryListing("21,read error,18,00\n"), DiskDirectory::empty());
    EXPECT_EQ(parseDirectoryListing(""), DiskDirectory::empty());
}
