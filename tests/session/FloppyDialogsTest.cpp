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
    const QString tooLong = "CBM names must be 16 characters or fewer.";
    const QString badID = "Disk ID must be exactly 2 characters.";
    // Characters outside the BMP count once each, however Qt stores them.
    const QString wide = QString::fromUcs4(U"\U0001F600");
    const QList<std::pair<QString, std::optional<QString>>> names{
        {"", "Enter a name."},
        {"ABCDEFGHIJKLMNOPQ", tooLong},
        {"ABCDEFGHIJKLMNOPQ,", tooLong},
        {"A,B", "The name cannot contain comma, equals, colon, * or ?."},
        {"A=B", "The name cannot contain comma, equals, colon, * or ?."},
        {"A:B", "The name cannot contain comma, equals, colon, * or ?."},
        {"A*", "The name cannot contain comma, equals, colon, * or ?."},
        {"WHO?", "The name cannot contain comma, equals, colon, * or ?."},
        {"ÄÖÜ GAME 16 CHAR", std::nullopt},
        {wide.repeated(16), std::nullopt},
        {wide.repeated(17), tooLong},
    };
    for (const auto& [name, error] : names) {
        EXPECT_EQ(validateCBMName(name), error) << name.toStdString();
    }
    const QList<std::tuple<QString, QString, std::optional<QString>>> disks{
        {wide.repeated(16), "01", std::nullopt},
        {"GAMES", wide, badID},
        {" \n", "01", "Enter a disk name."},
        {"ABCDEFGHIJKLMNOPQ", "1", "Disk name must be 16 characters or fewer."},
        {"A,B", "1", "Disk name cannot contain a comma."},
        {"GAMES", " 1 ", badID},
        {"GAMES", "ABC", badID},
        {" GAMES ", " 2a ", std::nullopt},
    };
    for (const auto& [name, id, error] : disks) {
        EXPECT_EQ(validateDiskFields(name, id), error) << name.toStdString();
    }
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
    EXPECT_TRUE(model.sheets().nameFieldError().has_value());
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

TEST_F(SessionTest, DeletingAndWritingAskFirstAndNameTheImage) {
    VellumViewModel& model = session();
    showDisk(model, "GAMES", "01 2A", {floppyEntry("GAME"), floppyEntry("NOTES")});
    model.requestFloppyDelete();
    EXPECT_FALSE(model.confirmations().showsScratchConfirmation()) << "nothing selected";
    StateEditor(model).setFloppySelection({model.floppy().directory().entries.at(1).id});
    model.requestFloppyDelete();
    EXPECT_TRUE(model.confirmations().showsScratchConfirmation());

    StateEditor(model).setPendingCopyURLs({fileUrl("left.prg")});
    model.chooseD64ToWrite(); // the panel is cancelled
    EXPECT_FALSE(model.confirmations().showsWriteConfirmation());
    EXPECT_EQ(model.confirmations().pendingCopyURLs().size(), 1);

    desktop.openFilesAnswers.enqueue({fileUrl("chosen.d64")});
    model.chooseD64ToWrite();
    EXPECT_TRUE(model.confirmations().showsWriteConfirmation());
    EXPECT_EQ(model.confirmations().pendingWriteURL(), fileUrl("chosen.d64"));
    EXPECT_TRUE(model.confirmations().pendingCopyURLs().isEmpty());
    EXPECT_TRUE(model.commands().writeConfirmationMessage().contains("“chosen.d64”"));

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
