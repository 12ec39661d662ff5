#include "PaneFixture.h"

#include <QCoreApplication>

using namespace vellum;
using namespace vellum::testing;

namespace {

QStringList titles(const QList<ContextAction>& menu) {
    QStringList result;
    for (const ContextAction& action : menu) {
        result << (action.isSeparator ? QStringLiteral("---") : action.title);
    }
    return result;
}

QList<bool> enabling(const QList<ContextAction>& menu) {
    QList<bool> result;
    for (const ContextAction& action : menu) {
        if (!action.isSeparator) {
            result << action.enabled;
        }
    }
    return result;
}

// A session whose floppy pane lists GAME, NOTES and the scratched OLD.
class FloppyPaneTest : public PaneTest {
protected:
    QList<QUuid> ids;

    void SetUp() override {
        PaneTest::SetUp();
        const DiskDirectory listing =
            diskListing({floppyEntry("GAME"), floppyEntry("NOTES", 1, CBMFileType::seq),
                         floppyEntry("OLD", 1, CBMFileType::del)});
        StateEditor(session()).setDirectory(listing);
        for (const DirectoryEntry& each : listing.entries) {
            ids << each.id;
        }
    }
    FloppyPaneState& floppy() { return session().floppy(); }
};

} // namespace

TEST_F(FloppyPaneTest, DragsCarryTheSelectionButNeverAScratchedEntryAlone) {
    const QList<DirectoryEntry> entries = floppy().directory().entries;
    floppy().selectEntry(ids[0]);
    floppy().click(ids[2], {true, false});
    EXPECT_EQ(floppy().dragPayloads(entries[0]), QStringList({"GAME\tPRG", "OLD\tDEL"}));
    EXPECT_EQ(floppy().dragPayloads(entries[1]), QStringList({"NOTES\tSEQ"}));
    floppy().selectEntry(ids[0]);
    EXPECT_TRUE(floppy().dragPayloads(entries[2]).isEmpty());
    EXPECT_EQ(floppy().entriesForPayloads(floppy().dragPayloads(entries[1])),
              QList<DirectoryEntry>({entries[1]}));
}

TEST_F(FloppyPaneTest, MenusAndCommandsFollowSelectionAndSlot) {
    VellumViewModel& model = session();
    const Commands& commands = model.commands();
    CommandRegistry& menus = model.commandRegistry();
    floppy().selectEntry(ids[0]);
    EXPECT_EQ(titles(menus.floppyRowMenu()),
              QStringList({"Copy to Computer", "Rename…", "Delete…", "---", "Directory",
                           "Initialize Disk", "Format Floppy…"}));
    EXPECT_TRUE(menus.floppyRowMenu().at(2).isDestructive);
    EXPECT_TRUE(commands.canRenameFloppy());
    menus.floppyRowMenu().at(1).action();
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::renameFloppy);
    EXPECT_EQ(model.sheets().nameField(), "GAME");
    menus.floppyRowMenu().at(2).action();
    EXPECT_TRUE(model.confirmations().showsScratchConfirmation());

    // A scratched entry cannot be renamed: its prompt would never close.
    model.sheets().setNamePrompt(std::nullopt);
    floppy().selectEntry(ids[2]);
    EXPECT_FALSE(commands.canRenameFloppy());
    model.beginRenameFloppy();
    EXPECT_FALSE(model.sheets().namePrompt().has_value());
    EXPECT_FALSE(menus.floppyRowMenu().at(1).enabled);

    floppy().selectEntry(ids[0]);
    floppy().click(ids[1], {true, false});
    model.beginRenameFloppy();
    EXPECT_FALSE(model.sheets().namePrompt().has_value()) << "two live entries: no rename";
    floppy().selectAll();
    EXPECT_EQ(titles(menus.floppyRowMenu()).mid(0, 3),
              QStringList({"Copy 3 Files to Computer", "Rename…", "Delete 3 Files…"}));
    EXPECT_EQ(enabling(menus.floppyRowMenu()), QList<bool>({true, false, true, true, true, true}));
    EXPECT_EQ(menus.title(CommandId::deleteSelection), "Delete Floppy Files…");
    EXPECT_TRUE(commands.canDeleteSelection());

    StateEditor(model).setOperation(OperationKind::copyingFiles);
    EXPECT_EQ(enabling(menus.floppyRowMenu()), QList<bool>(6, false));
    EXPECT_EQ(enabling(menus.floppyBackgroundMenu()), QList<bool>(3, false));
    EXPECT_FALSE(commands.canCopyToComputer());
    EXPECT_FALSE(commands.acceptsFloppyDrop());
    EXPECT_TRUE(commands.canStop());
    EXPECT_FALSE(waitForTask(model.dropOnFloppyPane({url("x.prg")})));
    StateEditor(model).setOperation(OperationKind::idle);
    EXPECT_EQ(titles(menus.floppyBackgroundMenu()),
              QStringList({"Directory", "Initialize Disk", "Format Floppy…"}));
}

TEST_F(FloppyPaneTest, CommandsChangedComesOncePerTurnOfTheEventLoop) {
    VellumViewModel& model = session();
    int changes = 0;
    QObject::connect(&model.commands(), &Commands::commandsChanged, [&] { ++changes; });
    floppy().selectAll();
    model.window().setFocusedPane(CommanderPane::computer);
    model.computer().setFilterPRG(true);
    StateEditor(model).setOperation(OperationKind::deleting);
    EXPECT_EQ(changes, 0) << "queued, not sent at once";
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1);
    StateEditor(model).setProgress(0.5);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1) << "the bar alone changes no rule";
    StateEditor(model).setOperation(OperationKind::idle);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 2);
}

TEST_F(FloppyPaneTest, PaneTextsFollowTheListing) {
    VellumViewModel& model = session();
    EXPECT_EQ(model.drives().floppyPaneHeading(), "Floppy  |  Drive 8");
    EXPECT_EQ(floppy().freeBlocksText(), "600 BLOCKS FREE.");
    EXPECT_EQ(floppy().fileCountText(), "2 FILES");
    floppy().selectEntry(ids[1]);
    EXPECT_EQ(floppy().fileCountText(), "2 FILES  ·  1 SELECTED");
    StateEditor(model).setDirectory(DiskDirectory::empty());
    EXPECT_EQ(floppy().freeBlocksText(), "— BLOCKS FREE.");
    EXPECT_EQ(floppy().fileCountText(), "0 FILES");

    put("a.prg", pattern(300, 1));
    put("b.prg", pattern(10, 2));
    put("games.d64", diskImage("GAMES", {{"INTRO", CBMFileType::prg, program(0x0801, "hi")},
                                         {"DEMO", CBMFileType::prg, program(0x0801, "ho")}}));
    ComputerPaneState& computer = pane().computer();
    const qint64 imageFree = *D64Extractor::readDirectory(url("games.d64")).blocksFree;
    struct Case {
        std::function<void()> change;
        QString footer;
        QString empty;
        QString hint;
    };
    const QString folderHint = "Tick a filter to narrow the list. Hide folders if you only want "
                               "files.";
    const QList<Case> cases{
        {[] {}, "3 FILES", "This folder is empty.", folderHint},
        {[&] { computer.click(url("a.prg"), {}); }, "3 FILES  ·  1 SELECTED  ·  300 B  ·  2 BLOCKS",
         "This folder is empty.", folderHint},
        {[&] { QDir(folderDir.path()).mkdir("dir"), model.refreshLocalItems(); },
         "4 ITEMS  ·  1 SELECTED  ·  300 B  ·  2 BLOCKS", "This folder is empty.", folderHint},
        {[&] { computer.setFilterT64(true), computer.setHideFolders(true); }, "0 FILES",
         "No files match the filters.", folderHint},
        {[&] { model.openImage(url("games.d64")), computer.selectAll(); },
         QString("2 FILES  ·  %1 FREE  ·  2 SELECTED  ·  8 B  ·  2 BLOCKS").arg(imageFree),
         "This image has no files.",
         "Drop PRG files here to add them to this disk image. Go up to return to the folder."},
    };
    for (const Case& test : cases) {
        test.change();
        EXPECT_EQ(computer.footerText(), test.footer);
        EXPECT_EQ(computer.emptyStateText(), test.empty);
        EXPECT_EQ(computer.locationHint(), test.hint);
    }
    EXPECT_EQ(computer.dropHint(), "Drop to add to this D64");
    EXPECT_EQ(computer.computerPaneTitle(), "Computer  |  games.d64");
}

TEST_F(FloppyPaneTest, ConfirmationsNameWhatIsAtStakeAndHowToAnswer) {
    VellumViewModel& model = session();
    const Commands& commands = model.commands();
    floppy().selectEntry(ids[0]);
    EXPECT_EQ(commands.scratchConfirmation(),
              (ConfirmationText{"Delete file from floppy?",
                                "Delete “GAME” from the floppy in drive 8? This cannot be undone.",
                                "Delete", "", "Cancel"}));
    floppy().selectAll();
    EXPECT_EQ(commands.scratchConfirmation().title, "Delete files from floppy?");
    EXPECT_EQ(commands.writeConfirmation().title, "Overwrite entire floppy?");
    EXPECT_EQ(commands.writeConfirmation().confirmTitle, "Write to Disk");
    EXPECT_EQ(commands.imageCopyChoice().alternativeTitle, "Copy as PRG files");
    EXPECT_EQ(commands.imageCopyChoice().confirmTitle, "Write image (erase floppy)");

    put("a.prg", "a");
    put("b.prg", "b");
    put("games.d64", diskImage("GAMES", {{"INTRO", CBMFileType::prg, program(0x0801, "hi")}}));
    ComputerPaneState& computer = pane().computer();
    computer.select(url("a.prg"));
    EXPECT_EQ(commands.computerDeleteConfirmation().title, "Move to Trash?");
    EXPECT_EQ(commands.computerDeleteConfirmation().confirmTitle, "Move to Trash");
    computer.selectAll();
    EXPECT_EQ(commands.computerDeleteConfirmation().title, "Move items to Trash?");
    model.openImage(url("games.d64"));
    EXPECT_EQ(commands.computerDeleteConfirmation(),
              (ConfirmationText{"Delete file from disk image?",
                                "Delete “INTRO” from games.d64? This cannot be undone.", "Delete",
                                "", "Cancel"}));

    StateEditor(model).setLastError(QStringLiteral("read error"));
    EXPECT_EQ(commands.errorAlert(), (ConfirmationText{"OpenCBM", "read error", "", "", "OK"}));
    model.status().dismissLastError();
    EXPECT_FALSE(model.status().lastError().has_value());
}
