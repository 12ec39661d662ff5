#include "SessionFixture.h"

#include <QCoroTask>

using namespace vellum;
using namespace vellum::testing;

namespace {

DirectoryEntry entry(const QString& name, CBMFileType type = CBMFileType::prg) {
    DirectoryEntry made;
    made.name = name;
    made.type = type;
    made.blocks = 1;
    return made;
}

void showDisk(VellumViewModel& model, const QString& name, const QString& id,
              QList<DirectoryEntry> entries = {}) {
    DiskDirectory directory;
    directory.diskName = name;
    directory.diskID = id;
    directory.entries = std::move(entries);
    directory.blocksFree = 600;
    model.setDirectory(directory);
}

QUrl fileUrl(const QString& name) {
    return QUrl::fromLocalFile("/images/" + name);
}

} // namespace

TEST(FloppyNameRules, CheckedInOrder) {
    EXPECT_EQ(VellumViewModel::validateCBMName(""), QStringLiteral("Enter a name."));
    EXPECT_EQ(VellumViewModel::validateCBMName("ABCDEFGHIJKLMNOPQ"),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    EXPECT_EQ(VellumViewModel::validateCBMName("ABCDEFGHIJKLMNOPQ,"),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    for (const QString bad : {"A,B", "A=B", "A:B", "A*", "WHO?"}) {
        EXPECT_EQ(VellumViewModel::validateCBMName(bad),
                  QStringLiteral("The name cannot contain comma, equals, colon, * or ?."))
            << bad.toStdString();
    }
    EXPECT_EQ(VellumViewModel::validateCBMName("ÄÖÜ GAME 16 CHAR"), std::nullopt);
    // Characters outside the BMP count once each, however Qt stores them.
    const QString wide = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(VellumViewModel::validateCBMName(wide.repeated(16)), std::nullopt);
    EXPECT_EQ(VellumViewModel::validateCBMName(wide.repeated(17)),
              QStringLiteral("CBM names must be 16 characters or fewer."));
    EXPECT_EQ(VellumViewModel::validateDiskFields(wide.repeated(16), "01"), std::nullopt);
    EXPECT_EQ(VellumViewModel::validateDiskFields("GAMES", wide),
              QStringLiteral("Disk ID must be exactly 2 characters."));

    EXPECT_EQ(VellumViewModel::validateDiskFields(" \n", "01"),
              QStringLiteral("Enter a disk name."));
    EXPECT_EQ(VellumViewModel::validateDiskFields("ABCDEFGHIJKLMNOPQ", "1"),
              QStringLiteral("Disk name must be 16 characters or fewer."));
    EXPECT_EQ(VellumViewModel::validateDiskFields("A,B", "1"),
              QStringLiteral("Disk name cannot contain a comma."));
    EXPECT_EQ(VellumViewModel::validateDiskFields("GAMES", " 1 "),
              QStringLiteral("Disk ID must be exactly 2 characters."));
    EXPECT_EQ(VellumViewModel::validateDiskFields("GAMES", "ABC"),
              QStringLiteral("Disk ID must be exactly 2 characters."));
    EXPECT_EQ(VellumViewModel::validateDiskFields(" GAMES ", " 2a "), std::nullopt);
}

TEST_F(SessionTest, FormatSheetStartsFromTheDiskInTheDrive) {
    VellumViewModel& model = session();
    showDisk(model, "MY DISK", "a");
    model.setFormatExtended(true);
    model.setFormatFieldError(QStringLiteral("old"));
    model.beginFormat();
    EXPECT_TRUE(model.showsFormatSheet());
    EXPECT_EQ(model.formatName(), QStringLiteral("MY DISK"));
    EXPECT_EQ(model.formatID(), QStringLiteral("01"));
    EXPECT_FALSE(model.formatExtended());
    EXPECT_FALSE(model.formatFieldError().has_value());

    showDisk(model, "  A VERY LONG DISK NAME", "2a");
    model.beginFormat();
    EXPECT_EQ(model.formatName(), QStringLiteral("A VERY LONG DISK"));
    EXPECT_EQ(model.formatID(), QStringLiteral("2A"));

    const QString wide = QString::fromUcs4(U"\U0001F600");
    showDisk(model, wide.repeated(17), "01");
    model.beginFormat();
    EXPECT_EQ(model.formatName(), wide.repeated(16));

    showDisk(model, "", "-");
    model.beginFormat();
    EXPECT_EQ(model.formatName(), QStringLiteral("VELLUM"));
    EXPECT_EQ(model.formatID(), QStringLiteral("01"));
}

TEST_F(SessionTest, BadFormatFieldsNeverReachTheDrive) {
    VellumViewModel& model = session();
    model.beginFormat();
    model.setFormatName(QStringLiteral("A,B"));
    QCoro::waitFor(model.confirmFormat());
    EXPECT_EQ(model.formatFieldError(), QStringLiteral("Disk name cannot contain a comma."));
    EXPECT_TRUE(model.showsFormatSheet());
    EXPECT_EQ(model.operationID(), 0);

    // Called directly, the format reports the rule and claims no slot.
    QCoro::waitFor(model.formatFloppy());
    EXPECT_EQ(model.lastError(), QStringLiteral("Disk name cannot contain a comma."));
    EXPECT_EQ(model.operationID(), 0);
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(SessionTest, RenamePromptRulesAndUnchangedNames) {
    VellumViewModel& model = session();
    showDisk(model, "GAMES", "01 2A", {entry("GAME"), entry("GONE", CBMFileType::del)});
    model.selectFloppyEntry(model.directory().entries.at(0).id);
    model.setNamePrompt(NamePromptKind::renameFloppy);

    model.setNameField(QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    QCoro::waitFor(model.commitRenameFloppy());
    EXPECT_EQ(model.nameFieldError(), QStringLiteral("CBM names must be 16 characters or fewer."));
    EXPECT_EQ(model.namePrompt(), NamePromptKind::renameFloppy);

    model.setNameField(QStringLiteral(" game\n"));
    QCoro::waitFor(model.commitRenameFloppy());
    EXPECT_FALSE(model.namePrompt().has_value());
    EXPECT_EQ(model.operationID(), 0) << "nothing is sent to the drive";

    // A scratched entry cannot be renamed.
    model.setNamePrompt(NamePromptKind::renameFloppy);
    model.selectFloppyEntry(model.directory().entries.at(1).id);
    model.setNameField(QStringLiteral("BACK"));
    QCoro::waitFor(model.commitRenameFloppy());
    EXPECT_EQ(model.namePrompt(), NamePromptKind::renameFloppy);
    EXPECT_EQ(model.operationID(), 0);
}

TEST_F(SessionTest, ConfirmationTextsNameWhatIsAtStake) {
    VellumViewModel& model = session();
    model.setDeviceNumber(9);
    showDisk(model, "GAMES", "01 2A", {entry("GAME"), entry("NOTES"), entry("DEMO")});

    EXPECT_EQ(model.scratchConfirmationMessage(),
              QStringLiteral("Delete the selected files from the floppy in drive 9? This "
                             "cannot be undone."));
    model.requestFloppyDelete();
    EXPECT_FALSE(model.showsScratchConfirmation()) << "nothing selected";

    model.selectFloppyEntry(model.directory().entries.at(1).id);
    EXPECT_EQ(model.scratchConfirmationMessage(),
              QStringLiteral("Delete “NOTES” from the floppy in drive 9? This cannot be undone."));
    model.setSelectedEntryIDs(
        {model.directory().entries.at(0).id, model.directory().entries.at(2).id});
    EXPECT_EQ(model.scratchConfirmationMessage(),
              QStringLiteral("Delete 2 files from the floppy in drive 9? This cannot be undone."));
    model.requestFloppyDelete();
    EXPECT_TRUE(model.showsScratchConfirmation());

    EXPECT_EQ(model.writeConfirmationMessage(),
              QStringLiteral("This will erase all data on the floppy in drive 9."));
    model.setPendingCopyURLs({fileUrl("a.prg"), fileUrl("Games.D64")});
    EXPECT_EQ(model.writeConfirmationMessage(),
              QStringLiteral("Writing “Games.D64” will erase all data on the floppy in drive 9."));
    model.setPendingCopyURLs({fileUrl("one.d64"), fileUrl("two.d64")});
    EXPECT_EQ(model.writeConfirmationMessage(),
              QStringLiteral("These disk images will be written one after another to drive 9. "
                             "Each write erases the whole floppy; only the last image remains."));
    model.setPendingWriteURL(fileUrl("chosen.d64"));
    EXPECT_EQ(model.writeConfirmationMessage(),
              QStringLiteral("Writing “chosen.d64” will erase all data on the floppy in drive 9."));
}

TEST_F(SessionTest, ChoosingAnImageToWriteAsksFirst) {
    VellumViewModel& model = session();
    model.setPendingCopyURLs({fileUrl("left.prg")});
    model.chooseD64ToWrite(); // the panel is cancelled
    EXPECT_FALSE(model.showsWriteConfirmation());
    EXPECT_EQ(model.pendingCopyURLs().size(), 1);
    ASSERT_EQ(desktop.openFilesRequests.size(), 1);
    EXPECT_EQ(desktop.openFilesRequests.at(0).title, QStringLiteral("Write D64 Image"));
    EXPECT_EQ(desktop.openFilesRequests.at(0).message,
              QStringLiteral("Write this .d64 image to the floppy in drive 8."));
    EXPECT_EQ(desktop.openFilesRequests.at(0).allowedExtensions, QStringList{"d64"});
    EXPECT_FALSE(desktop.openFilesRequests.at(0).allowsMultiple);

    desktop.openFilesAnswers.enqueue({fileUrl("chosen.d64")});
    model.chooseD64ToWrite();
    EXPECT_TRUE(model.showsWriteConfirmation());
    EXPECT_EQ(model.pendingWriteURL(), fileUrl("chosen.d64"));
    EXPECT_TRUE(model.pendingCopyURLs().isEmpty());

    // A tape among pending files raises the conversion question and writes nothing.
    model.setPendingCopyURLs({fileUrl("a.d64"), fileUrl("b.T64")});
    QCoro::waitFor(model.confirmWrite());
    EXPECT_TRUE(model.showsPRGConvertConfirmation());
    EXPECT_EQ(model.pendingCopyURLs().size(), 2);
    EXPECT_EQ(model.operationID(), 0);

    model.setShowsImageCopyChoice(true);
    model.cancelPendingCopy();
    EXPECT_TRUE(model.pendingCopyURLs().isEmpty());
    EXPECT_FALSE(model.pendingWriteURL().has_value());
    EXPECT_FALSE(model.showsImageCopyChoice());
    EXPECT_FALSE(model.showsPRGConvertConfirmation());
}
