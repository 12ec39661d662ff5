#include "opencbm/ToolCommands.h"
#include "FailureOf.h"
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

// Only files taken raw (-R) keep their bytes as they are; a container gives up its header.
TEST(ToolCommands, CbmcopyWritesRawFilesOnlyWhenTheyAreNoContainer) {
    const QList<std::pair<const char*, QStringList>> cases = {
        {"/u/GAME.PRG", {"-f", "P", "-o", "x", "-R"}},
        {"/u/NOTES.SEQ", {"-f", "S", "-o", "x", "-R"}},
        {"/u/data.usr", {"-f", "U", "-o", "x", "-R"}},
        {"/u/table.rel", {"-f", "P", "-o", "x", "-R"}},
        {"/u/GAME.P00", {"-f", "P", "-o", "x"}},
        {"/u/tape.t64", {"-f", "P", "-o", "x"}},
    };
    for (const auto& [path, options] : cases) {
        EXPECT_EQ(cbmcopyWriteArguments(8, "", file(path), "X"),
                  QStringList({"-w", "-v"}) + options + QStringList({"8", path}));
    }
}

TEST(DriveImageFormats, EachDriveMakesAndTakesItsOwnImagesOnly) {
    struct Case {
        QString model;
        QList<DiskImageFormat> formats;
        QString refusal; // of writing the first format it cannot take; a double-sided disk is
                         // saved in the last format
    };
    using F = DiskImageFormat;
    const QString needs1571 = "cannot write a D71 image: it needs a 1571 drive.";
    const QList<Case> cases = {
        {"1541-II", {F::d64}, "A 1541 " + needs1571},
        {"*unknown*, footprint=<C@BL>", {F::d64}, "A 1541 " + needs1571},
        {"1570", {F::d64}, "A 1570 " + needs1571},
        {"1571 (XP1541)",
         {F::d64, F::d71},
         "A 1571 cannot write a D81 image: it needs a 1581 drive."},
        {"1581", {F::d81}, "A 1581 cannot write a D64 image: it needs a 1541, 1570 or 1571 drive."},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.model.toStdString());
        EXPECT_EQ(imageFormatsForDrive(each.model), each.formats);
        EXPECT_EQ(savedImageFormat(each.model, true), each.formats.last());
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
}

TEST(ToolCommands, NamesTheDriveReadsAsPatternsAreRefused) {
    for (const char* name : {"a*", "wh?t", "a,p", "x=y", "0:game"}) {
        const OpenCBMError error =
            vellum::testing::failureOf([&] { refuseDrivePatternName(name); });
        EXPECT_EQ(error.errorCase(), OpenCBMError::Case::invalidDiskName);
        EXPECT_TRUE(error.errorDescription().contains(QStringLiteral("“%1”").arg(name))) << name;
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
