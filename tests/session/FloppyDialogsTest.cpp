#include "SessionFixture.h"
#include "session/FloppyNameRules.h"

#include <QCoroTask>

using namespace vellum;
using namespace vellum::testing;

namespace {

void showDisk(VellumViewModel& model, const QString& name, const QString& id,
              QList<DirectoryEntry> entries = {}) {
    StateEditor(model).setDirectory(diskListing(std::move(entries), 600, name, id));
}

QUrl fileUrl(const QString& name) {
    return QUrl::fromLocalFile("/images/" + name);
}

} // namespace

TEST(FloppyNameRules, CheckedInOrder) {
    EXPECT_EQ(validateCBMName(""), QStringLiteral("Enter a name."));
    EXPECT_EQ(validateCBMName("ABCDEFGHIJKLMNOPQ"),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    EXPECT_EQ(validateCBMName("ABCDEFGHIJKLMNOPQ,"),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    for (const QString bad : {"A,B", "A=B", "A:B", "A*", "WHO?"}) {
        EXPECT_EQ(validateCBMName(bad),
                  QStringLiteral("The name cannot contain comma, equals, colon, * or ?."))
            << bad.toStdString();
    }
    EXPECT_EQ(validateCBMName("ÄÖÜ GAME 16 CHAR"), std::nullopt);
    // Characters outside the BMP count once each, however Qt stores them.
    const QString wide = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(validateCBMName(wide.repeated(16)), std::nullopt);
    EXPECT_EQ(validateCBMName(wide.repeated(17)),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    EXPECT_EQ(validateDiskFields(wide.repeated(16), "01"), std::nullopt);
    EXPECT_EQ(validateDiskFields("GAMES", wide),
              QStringLiteral("Disk ID must be exactly 2 characters."));

    EXPECT_EQ(validateDiskFields(" \n", "01"), QStringLiteral("Enter a disk name."));
    EXPECT_EQ(validateDiskFields("ABCDEFGHIJKLMNOPQ", "1"),
              QStringLiteral("Disk name must be 16 characters or fewer."));
    EXPECT_EQ(validateDiskFields("A,B", "1"), QStringLiteral("Disk name cannot contain a comma."));
    EXPECT_EQ(validateDiskFields("GAMES", " 1 "),
              QStringLiteral("Disk ID must be exactly 2 characters."));
    EXPECT_EQ(validateDiskFields("GAMES", "ABC"),
              QStringLiteral("Disk ID must be exactly 2 characters."));
    EXPECT_EQ(validateDiskFields(" GAMES ", " 2a "), std::nullopt);
}

TEST_F(SessionTest, FormatSheetStartsFromTheDiskInTheDrive) {
    VellumViewModel& model = session();
    showDisk(model, "MY DISK", "a");
    model.sheets().setFormatExtended(true);
    StateEditor(model).setFormatFieldError(QStringLiteral("old"));
    model.beginFormat();
    EXPECT_TRUE(model.sheets().showsFormatSheet());
    EXPECT_EQ(model.sheets().formatName(), QStringLiteral("MY DISK"));
    EXPECT_EQ(model.sheets().formatID(), QStringLiteral("01"));
    EXPECT_FALSE(model.sheets().formatExtended());
    EXPECT_FALSE(model.sheets().formatFieldError().has_value());

    showDisk(model, "  A VERY LONG DISK NAME", "2a");
    model.beginFormat();
    EXPECT_EQ(model.sheets().formatName(), QStringLiteral("A VERY LONG DISK"));
    EXPECT_EQ(model.sheets().formatID(), QStringLiteral("2A"));

    const QString wide = QString::fromUcs4(U"\U0001F600");
    showDisk(model, wide.repeated(17), "01");
    model.beginFormat();
    EXPECT_EQ(model.sheets().formatName(), wide.repeated(16));

    showDisk(model, "", "-");
    model.beginFormat();
    EXPECT_EQ(model.sheets().formatName(), QStringLiteral("VELLUM"));
    EXPECT_EQ(model.sheets().formatID(), QStringLiteral("01"));
}

TEST_F(SessionTest, BadFormatFieldsNeverReachTheDrive) {
    VellumViewModel& model = session();
    model.beginFormat();
    model.sheets().setFormatName(QStringLiteral("A,B"));
    waitForTask(model.confirmFormat());
    EXPECT_EQ(model.sheets().formatFieldError(),
              QStringLiteral("Disk name cannot contain a comma."));
    EXPECT_TRUE(model.sheets().showsFormatSheet());
    EXPECT_EQ(model.status().operationID(), 0);

    // Called directly, the format reports the rule and claims no slot.
    waitForTask(StateEditor(model).formatFloppy());
    EXPECT_EQ(model.status().lastError(), QStringLiteral("Disk name cannot contain a comma."));
    EXPECT_EQ(model.status().operationID(), 0);
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(SessionTest, RenamePromptRulesAndUnchangedNames) {
    VellumViewModel& model = session();
    showDisk(model, "GAMES", "01 2A",
             {floppyEntry("GAME"), floppyEntry("GONE", 1, CBMFileType::del)});
    model.floppy().selectEntry(model.floppy().directory().entries.at(0).id);
    model.sheets().setNamePrompt(NamePromptKind::renameFloppy);

    model.sheets().setNameField(QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    waitForTask(model.commitRenameFloppy());
    EXPECT_EQ(model.sheets().nameFieldError(),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::renameFloppy);

    model.sheets().setNameField(QStringLiteral(" game\n"));
    waitForTask(model.commitRenameFloppy());
    EXPECT_FALSE(model.sheets().namePrompt().has_value());
    EXPECT_EQ(model.status().operationID(), 0) << "nothing is sent to the drive";

    // A scratched entry cannot be renamed.
    model.sheets().setNamePrompt(NamePromptKind::renameFloppy);
    model.floppy().selectEntry(model.floppy().directory().entries.at(1).id);
    model.sheets().setNameField(QStringLiteral("BACK"));
    waitForTask(model.commitRenameFloppy());
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::renameFloppy);
    EXPECT_EQ(model.status().operationID(), 0);
}

TEST_F(SessionTest, ConfirmationTextsNameWhatIsAtStake) {
    VellumViewModel& model = session();
    StateEditor(model).setDeviceNumber(9);
    showDisk(model, "GAMES", "01 2A",
             {floppyEntry("GAME"), floppyEntry("NOTES"), floppyEntry("DEMO")});

    EXPECT_EQ(model.commands().scratchConfirmationMessage(),
              QStringLiteral("Delete the selected files from the floppy in drive 9? This "
                             "cannot be undone."));
    model.requestFloppyDelete();
    EXPECT_FALSE(model.confirmations().showsScratchConfirmation()) << "nothing selected";

    StateEditor(model).setFloppySelection(
        {model.floppy().directory().entries.at(0).id, model.floppy().directory().entries.at(2).id});
    EXPECT_EQ(model.commands().scratchConfirmationMessage(),
              QStringLiteral("Delete 2 files from the floppy in drive 9? This cannot be undone."));
    model.requestFloppyDelete();
    EXPECT_TRUE(model.confirmations().showsScratchConfirmation());

    EXPECT_EQ(model.commands().writeConfirmationMessage(),
              QStringLiteral("This will erase all data on the floppy in drive 9."));
    StateEditor(model).setPendingCopyURLs({fileUrl("a.prg"), fileUrl("Games.D64")});
    EXPECT_EQ(model.commands().writeConfirmationMessage(),
              QStringLiteral("Writing “Games.D64” will erase all data on the floppy in drive 9."));
    StateEditor(model).setPendingCopyURLs({fileUrl("one.d64"), fileUrl("two.d64")});
    EXPECT_EQ(model.commands().writeConfirmationMessage(),
              QStringLiteral("These disk images will be written one after another to drive 9. "
                             "Each write erases the whole floppy; only the last image remains."));
    StateEditor(model).setPendingWriteURL(fileUrl("chosen.d64"));
    EXPECT_EQ(model.commands().writeConfirmationMessage(),
              QStringLiteral("Writing “chosen.d64” will erase all data on the floppy in drive 9."));
}

TEST_F(SessionTest, ChoosingAnImageToWriteAsksFirst) {
    VellumViewModel& model = session();
    StateEditor(model).setPendingCopyURLs({fileUrl("left.prg")});
    model.chooseD64ToWrite(); // the panel is cancelled
    EXPECT_FALSE(model.confirmations().showsWriteConfirmation());
    EXPECT_EQ(model.confirmations().pendingCopyURLs().size(), 1);
    ASSERT_EQ(desktop.openFilesRequests.size(), 1);
    EXPECT_EQ(desktop.openFilesRequests.at(0).title, QStringLiteral("Write D64 Image"));
    EXPECT_EQ(desktop.openFilesRequests.at(0).message,
              QStringLiteral("Write this .d64 image to the floppy in drive 8."));
    EXPECT_EQ(desktop.openFilesRequests.at(0).allowedExtensions, QStringList{"d64"});
    EXPECT_FALSE(desktop.openFilesRequests.at(0).allowsMultiple);

    desktop.openFilesAnswers.enqueue({fileUrl("chosen.d64")});
    model.chooseD64ToWrite();
    EXPECT_TRUE(model.confirmations().showsWriteConfirmation());
    EXPECT_EQ(model.confirmations().pendingWriteURL(), fileUrl("chosen.d64"));
    EXPECT_TRUE(model.confirmations().pendingCopyURLs().isEmpty());

    // A tape among pending files raises the conversion question and writes nothing.
    StateEditor(model).setPendingCopyURLs({fileUrl("a.d64"), fileUrl("b.T64")});
    waitForTask(model.confirmWrite());
    EXPECT_TRUE(model.confirmations().showsPRGConvertConfirmation());
    EXPECT_EQ(model.confirmations().pendingCopyURLs().size(), 2);
    EXPECT_EQ(model.status().operationID(), 0);

    model.confirmations().setShowsImageCopyChoice(true);
    model.cancelPendingCopy();
    EXPECT_TRUE(model.confirmations().pendingCopyURLs().isEmpty());
    EXPECT_FALSE(model.confirmations().pendingWriteURL().has_value());
    EXPECT_FALSE(model.confirmations().showsImageCopyChoice());
    EXPECT_FALSE(model.confirmations().showsPRGConvertConfirmation());
}
