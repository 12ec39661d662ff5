#include "PaneFixture.h"

using namespace vellum;
using namespace vellum::testing;

namespace {

using C = CommandId;

// "1" for an enabled command, "0" for a disabled one.
QString enabledPattern(const CommandRegistry& registry, const QList<CommandId>& ids) {
    QString pattern;
    for (const CommandId id : ids) {
        pattern += registry.isEnabled(id) ? u'1' : u'0';
    }
    return pattern;
}

QStringList titles(const QList<ContextAction>& menu) {
    QStringList result;
    for (const ContextAction& line : menu) {
        result << (line.isSeparator ? QStringLiteral("---") : line.title);
    }
    return result;
}

// A computer folder with two programs, a disk and a tape, and a floppy listing A and B.
class CommandRegistryTest : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        put("a.prg", "a");
        put("b.prg", "b");
        put("games.d64", diskImage("GAMES", {{"ONE", CBMFileType::prg, program(0x0801, "1")},
                                             {"TWO", CBMFileType::prg, program(0x0801, "2")}}));
        put("tape.t64", tapeImage("TAPE", {{"HELLO", CBMFileType::prg, program(0x0801, "h")}}));
        const DiskDirectory listing = diskListing({floppyEntry("A"), floppyEntry("B")});
        StateEditor(pane()).setDirectory(listing);
        for (const DirectoryEntry& entry : listing.entries) {
            floppyIDs << entry.id;
        }
    }

    CommandRegistry& registry() { return session().commandRegistry(); }
    void selectComputer(const QStringList& names) {
        session().computer().clearSelection();
        for (const QString& name : names) {
            session().computer().click(item(name).url, {true, false});
        }
    }
    void selectFloppy(int count) {
        StateEditor(session()).setFloppySelection(
            EntryIDSet(floppyIDs.begin(), floppyIDs.begin() + count));
    }

    QList<QUuid> floppyIDs;
};

} // namespace

TEST_F(CommandRegistryTest, EveryCommandIsThereOnceWithKeysOfItsOwn) {
    QSet<QString> keys;
    const QList<CommandId> ids = registry().ids();
    EXPECT_EQ(ids.size(), int(C::showInFileManager) + 1);
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const CommandEntry& entry = registry().entry(ids.at(i));
        EXPECT_EQ(int(entry.id), i);
        EXPECT_FALSE(entry.title().isEmpty()) << i;
        if (!entry.shortcut.isEmpty()) {
            EXPECT_FALSE(keys.contains(entry.shortcut)) << entry.shortcut.toStdString();
            keys.insert(entry.shortcut);
        }
    }
}

TEST_F(CommandRegistryTest, RulesAndTextsFollowTheState) {
    const QList<CommandId> computer{C::parentFolder, C::refresh,     C::openFolder,
                                    C::newFolder,    C::renameLocal, C::deleteLocal};
    const QList<CommandId> floppy{C::readDirectory,  C::saveD64,  C::writeD64,     C::formatFloppy,
                                  C::initializeDisk, C::resetBus, C::renameFloppy, C::deleteFloppy};
    const QList<CommandId> arrowsAndMenu{C::copyToFloppy, C::copyToComputer, C::stop,
                                         C::convertT64,   C::newDiskImage,   C::deleteSelection};
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString computer;
        QString floppy;
        QString arrowsAndMenu;
        QString upHelp;
        QString deleteTitle; // the File menu's, the computer pane focused
    };
    const QList<Case> cases{
        {"idle, nothing selected", [&] { selectComputer({}), selectFloppy(0); }, "111100",
         "11111100", "000110", "Parent folder", "Move to Trash…"},
        {"idle, one each", [&] { selectComputer({"a.prg"}), selectFloppy(1); }, "111111",
         "11111111", "110111", "Parent folder", "Move to Trash…"},
        {"idle, two each",
         [&] {
             selectComputer({"a.prg", "b.prg"}), selectFloppy(2);
         },
         "111101", "11111101", "110111", "Parent folder", "Move to Trash…"},
        {"busy, one each",
         [&] {
             selectComputer({"a.prg"}), selectFloppy(1);
             StateEditor(session()).beginOperation(OperationKind::copyingFiles, "Copying…");
         },
         "101000", "00000000", "001000", "Parent folder", "Move to Trash…"},
        {"D64 open, one each",
         [&] {
             StateEditor(session()).endOperation();
             session().openImage(url("games.d64"));
             selectComputer({"ONE"}), selectFloppy(1);
         },
         "111001", "11111111", "110111", "Close this image", "Delete from Image…"},
        {"T64 open, one each",
         [&] {
             session().goUp();
             session().openImage(url("tape.t64"));
             selectComputer({"HELLO"});
         },
         "111000", "11111111", "110110", "Close this image", "Move to Trash…"},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(probe.name);
        probe.arrange();
        session().window().setFocusedPane(CommanderPane::computer);
        EXPECT_EQ(enabledPattern(registry(), computer), probe.computer);
        EXPECT_EQ(enabledPattern(registry(), floppy), probe.floppy);
        EXPECT_EQ(enabledPattern(registry(), arrowsAndMenu), probe.arrowsAndMenu);
        EXPECT_EQ(registry().help(C::parentFolder), probe.upHelp);
        EXPECT_EQ(registry().title(C::deleteSelection), probe.deleteTitle);
    }
    // Rename and Delete without a menu line follow the focused pane.
    session().window().setFocusedPane(CommanderPane::floppy);
    EXPECT_TRUE(registry().isEnabled(C::renameInFocusedPane));
    EXPECT_EQ(registry().title(C::deleteSelection), "Delete Floppy File…");
}

TEST_F(CommandRegistryTest, TriggersReachTheSessionOnlyWhileEnabled) {
    VellumViewModel& model = session();
    int quits = 0;
    QObject::connect(&registry(), &CommandRegistry::quitRequested, [&] { ++quits; });
    selectComputer({"a.prg"});
    model.window().setFocusedPane(CommanderPane::computer);
    struct Case {
        CommandId id;
        std::function<bool()> happened;
    };
    const QList<Case> cases{
        {C::newFolder, [&] { return model.sheets().namePrompt() == NamePromptKind::newFolder; }},
        {C::renameInFocusedPane,
         [&] { return model.sheets().namePrompt() == NamePromptKind::renameComputerItem; }},
        {C::newDiskImage, [&] { return model.sheets().showsNewDiskSheet(); }},
        {C::deleteSelection, [&] { return model.confirmations().showsLocalDeleteConfirmation(); }},
        {C::selectAll, [&] { return model.computer().selectedLocalItems().size() == 4; }},
        {C::preferences, [&] { return model.window().showsSettings(); }},
        {C::about, [&] { return model.window().showsAbout(); }},
        {C::quit, [&] { return quits == 1; }},
    };
    for (const Case& probe : cases) {
        model.sheets().setNamePrompt(std::nullopt);
        registry().trigger(probe.id);
        EXPECT_TRUE(probe.happened()) << int(probe.id);
    }

    model.sheets().setNamePrompt(std::nullopt);
    StateEditor(model).setOperation(OperationKind::copyingFiles);
    registry().trigger(C::newFolder);
    EXPECT_FALSE(model.sheets().namePrompt().has_value()) << "disabled while busy";
    StateEditor(model).setOperation(OperationKind::idle);
    registry().trigger(C::toggleStatusPanel);
    EXPECT_FALSE(model.window().statusSidebarForced()) << "only offered in a narrow window";
    model.window().setStatusToggleAvailable(true);
    registry().trigger(C::toggleStatusPanel);
    EXPECT_TRUE(model.window().statusSidebarForced());
    EXPECT_EQ(registry().title(C::toggleStatusPanel), "Hide Status");
}

TEST_F(CommandRegistryTest, ComputerRowMenusNameWhatTheSelectionHolds) {
    selectComputer({"a.prg", "b.prg", "tape.t64"});
    EXPECT_EQ(titles(registry().computerRowMenu(item("tape.t64"))).mid(0, 4),
              QStringList({"Copy 3 Files to Floppy", "Convert T64 to D64", "Rename…",
                           "Move 3 Items to Trash…"}));
    session().openImage(url("games.d64"));
    selectComputer({"ONE", "TWO"});
    EXPECT_EQ(titles(registry().computerRowMenu(item("ONE"))).mid(0, 3),
              QStringList({"Copy 2 Files to Floppy", "Rename…", "Delete 2 Files…"}));
    selectComputer({"ONE"});
    const QList<ContextAction> menu = registry().computerRowMenu(item("ONE"));
    EXPECT_EQ(titles(menu),
              QStringList({"Extract to Folder", "Copy to Floppy", "Rename…", "Delete…", "---",
                           "New Folder", "New D64", "---", "Show in File Manager", "Refresh"}));
    EXPECT_TRUE(menu.at(3).isDestructive);
    EXPECT_FALSE(menu.at(5).enabled) << "no folders inside an image";
}
