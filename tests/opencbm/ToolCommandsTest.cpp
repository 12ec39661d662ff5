#include "opencbm/ToolCommands.h"
#include "model/OpenCBMError.h"
#include "opencbm/DriveImageFormats.h"

#include <gtest/gtest.h>

using namespace vellum;

namespace {
QUrl file(const char* path) {
    return QUrl::fromLocalFile(QString::fromUtf8(path));
}
} // namespace

TEST(ToolCommands, DriveTypeAndFormatToolFollowTheModelText) {
    const QList<std::tuple<QString, std::optional<QString>, bool>> cases = {
        {"1541-II", "1541", false},      {"jiffydos 1541", "1541", false},
        {"1571 (XP1541)", "1571", true}, {"1541 or 1581", "1581", true},
        {"1570", "1570", true},          {"", std::nullopt, false},
        {"8250", std::nullopt, false},
    };
    for (const auto& [model, type, dosFormat] : cases) {
        EXPECT_EQ(driveTypeArgument(model), type) << model.toStdString();
        EXPECT_EQ(formatsWithDOSCommand(model), dosFormat) << model.toStdString();
    }
}

TEST(ToolCommands, DOSCommandsAreLowerCaseAndSentAsPetscii) {
    EXPECT_EQ(dosRenameString("Game", "Game 2"), "r0:game 2=game");
    EXPECT_EQ(dosScratchString("OLD FILE"), "s0:old file");
    EXPECT_EQ(dosNewDiskString("GAMES", "A1"), "n0:games,a1");
    EXPECT_EQ(dosCommandArguments(9, "i0"), QStringList({"--petscii", "command", "9", "i0"}));
    EXPECT_EQ(dosCommandText(8, "s0:x"), "cbmctrl command 8 s0:x");
}

TEST(ToolCommands, CbmcopyArgumentLists) {
    EXPECT_EQ(cbmcopyReadArguments(8, "1541-II", "My Game", "/u/My Game.prg"),
              QStringList({"-r", "-v", "-d", "1541", "-o", "/u/My Game.prg", "8", "my game"}));
    EXPECT_EQ(cbmcopyReadArguments(10, "", "x", "/u/x.prg"),
              QStringList({"-r", "-v", "-o", "/u/x.prg", "10", "x"}));

    EXPECT_EQ(
        cbmcopyWriteArguments(8, "1571", file("/u/GAME.PRG"), "Game"),
        QStringList({"-w", "-v", "-d", "1571", "-f", "P", "-o", "game", "-R", "8", "/u/GAME.PRG"}));
    EXPECT_EQ(cbmcopyWriteArguments(8, "", file("/u/GAME.P00"), "game"),
              QStringList({"-w", "-v", "-f", "P", "-o", "game", "8", "/u/GAME.P00"}));
    EXPECT_EQ(cbmcopyWriteArguments(8, "", file("/u/tape.t64"), "tape"),
              QStringList({"-w", "-v", "-f", "P", "-o", "tape", "8", "/u/tape.t64"}));
    for (const auto& [path, letter] : QList<std::pair<const char*, QString>>{
             {"/u/NOTES.SEQ", "S"}, {"/u/data.usr", "U"}, {"/u/table.rel", "P"}}) {
        EXPECT_EQ(cbmcopyWriteArguments(8, "", file(path), "x").mid(2, 2),
                  QStringList({"-f", letter}));
    }
    EXPECT_EQ(cbmcopyTypeLetter(CBMFileType::del), "D");
    EXPECT_EQ(cbmcopyTypeLetter(CBMFileType::other), "P");
}

TEST(ToolCommands, FormatAndDiskImageArgumentLists) {
    EXPECT_EQ(cbmformatArguments(8, joinedDiskName("GAMES", "01"), false),
              QStringList({"-p", "-s", "8", "games,01"}));
    EXPECT_EQ(cbmformatArguments(9, "x,y", true), QStringList({"-p", "-s", "-x", "9", "x,y"}));
    const QList<std::tuple<DiskImageFormat, QString, QStringList>> images = {
        {DiskImageFormat::d64, "d64copy", {"-v"}},
        {DiskImageFormat::d71, "d64copy", {"-v", "-2"}},
        {DiskImageFormat::d81, "imgcopy", {"-v", "-d", "1581"}},
    };
    for (const auto& [format, tool, options] : images) {
        EXPECT_EQ(imageTransferTool(format), tool);
        EXPECT_EQ(imageReadArguments(format, 8, "/u/a b.x"),
                  options + QStringList({"8", "/u/a b.x"}));
        EXPECT_EQ(imageWriteArguments(format, "/u/in.x", 11),
                  options + QStringList({"/u/in.x", "11"}));
    }
}

TEST(DriveImageFormats, EachDriveMakesAndTakesItsOwnImagesOnly) {
    struct Case {
        QString model;
        QList<DiskImageFormat> formats;
        DiskImageFormat saved; // of a double-sided disk
        QString refusal;       // of writing the first format it cannot take
    };
    const QList<Case> cases = {
        {"1541-II",
         {DiskImageFormat::d64},
         DiskImageFormat::d64,
         "A 1541 cannot write a D71 image: it needs a 1571 drive."},
        {"*unknown*, footprint=<C@BL>",
         {DiskImageFormat::d64},
         DiskImageFormat::d64,
         "A 1541 cannot write a D71 image: it needs a 1571 drive."},
        {"1570",
         {DiskImageFormat::d64},
         DiskImageFormat::d64,
         "A 1570 cannot write a D71 image: it needs a 1571 drive."},
        {"1571 (XP1541)",
         {DiskImageFormat::d64, DiskImageFormat::d71},
         DiskImageFormat::d71,
         "A 1571 cannot write a D81 image: it needs a 1581 drive."},
        {"1581",
         {DiskImageFormat::d81},
         DiskImageFormat::d81,
         "A 1581 cannot write a D64 image: it needs a 1541, 1570 or 1571 drive."},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.model.toStdString());
        EXPECT_EQ(imageFormatsForDrive(each.model), each.formats);
        EXPECT_EQ(savedImageFormat(each.model, true), each.saved);
        EXPECT_EQ(savedImageFormat(each.model, false), each.formats.first());
        EXPECT_EQ(needsDoubleSidedModeSwitch(each.model), each.formats.size() == 2);
        for (const DiskImageFormat format : allDiskImageFormats) {
            EXPECT_EQ(imageFormatRefusal(each.model, format, false).has_value(),
                      !each.formats.contains(format));
        }
        const auto refused = std::ranges::find_if(
            allDiskImageFormats, [&](DiskImageFormat f) { return !each.formats.contains(f); });
        EXPECT_EQ(imageFormatRefusal(each.model, *refused, false), each.refusal);
    }
    EXPECT_EQ(imageFormatRefusal("1541", DiskImageFormat::d81, true),
              "A 1541 cannot make a D81 image: it needs a 1581 drive.");

    // Used and free together tell a 1571's double-sided disk (in 1571 mode) from a single one.
    DiskDirectory listing;
    listing.entries = {DirectoryEntry{}, DirectoryEntry{}};
    listing.entries[0].blocks = 40;
    listing.blocksFree = 624;
    EXPECT_FALSE(isDoubleSidedListing(listing));
    listing.entries[1].blocks = 1;
    EXPECT_TRUE(isDoubleSidedListing(listing));
}

TEST(ToolCommands, NamesTheDriveReadsAsPatternsAreRefused) {
    for (const char* name : {"a*", "wh?t", "a,p", "x=y", "0:game"}) {
        try {
            refuseDrivePatternName(QString::fromUtf8(name));
            ADD_FAILURE() << "accepted " << name;
        } catch (const OpenCBMError& error) {
            EXPECT_EQ(error.errorCase(), OpenCBMError::Case::invalidDiskName);
            EXPECT_TRUE(error.errorDescription().contains(QStringLiteral("“%1”").arg(name)))
                << error.what();
        }
    }
    EXPECT_NO_THROW(refuseDrivePatternName("game 2+ -x."));
    EXPECT_NO_THROW(refuseDrivePatternName(""));
}

TEST(ToolCommands, AReservedNameIsReadThroughAPatternOnlyWhenTheListingProvesItUnique) {
    struct Case {
        const char* name;
        QStringList listed;
        std::optional<QString> sent; // nothing: refused
    };
    const QList<Case> cases = {
        {"game", {}, "game"},
        {"A/B:C", {"a/b:c", "notes"}, "A/B?C"},
        {"ab:", {"AB:", "ab", "abc:"}, "ab?"},
        {"x*", {"x*", "x"}, "x?"},
        {"A/B:C", {"a/b:c", "A/B.C"}, std::nullopt}, // "?" would find the other file too
        {"x*", {"x*", "xy"}, std::nullopt},
        {"A/B:C", {"notes"}, std::nullopt}, // not in the listing: nothing proves it
        {"a,b", {}, std::nullopt},
    };
    for (const Case& each : cases) {
        const QString name = QString::fromUtf8(each.name);
        if (each.sent) {
            EXPECT_EQ(readableDriveName(name, each.listed), *each.sent) << each.name;
        } else {
            EXPECT_THROW(readableDriveName(name, each.listed), OpenCBMError) << each.name;
        }
    }
}
