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

// A computer folder with two programs, a disk and a tape; a floppy listing A, B and the
// scratched OLD.
class CommandRegistryTest : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        put("a.prg", "a");
        put("b.prg", "b");
        put("games.d64", diskImage("GAMES", {{"ONE", CBMFileType::prg, program(0x0801, "1")},
                                             {"TWO", CBMFileType::prg, program(0x0801, "2")}}));
        put("tape.t64", tapeImage("TAPE", {{"HELLO", CBMFileType::prg, program(0x0801, "h")}}));
        const DiskDirectory listing =
            diskListing({floppyEntry("A"), floppyEntry("B", 1, CBMFileType::seq),
                         floppyEntry("OLD", 1, CBMFileType::del)});
        StateEditor(pane()).setDirectory(listing);
        for (const DirectoryEntry& entry : listing.entries) {
            floppyIDs << entry.id;
        }
    }

    CommandRegistry& registry() { return session().commandRegistry(); }
    FloppyPaneState& floppy() { return session().floppy(); }
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
    };
    const QList<Case> cases{
        {"idle, nothing selected", [&] { selectComputer({}), selectFloppy(0); }, "111100",
         "11111100", "000110"},
        {"idle, one each", [&] { selectComputer({"a.prg"}), selectFloppy(1); }, "111111",
         "11111111", "110111"},
        {"idle, two each",
         [&] {
             selectComputer({"a.prg", "b.prg"}), selectFloppy(2);
         },
         "111101", "11111101", "110111"},
        {"busy, one each",
         [&] {
             selectComputer({"a.prg"}), selectFloppy(1);
             StateEditor(session()).beginOperation(OperationKind::copyingFiles, "Copying…");
         },
         "101000", "00000000", "001000"},
        {"D64 open, one each",
         [&] {
             StateEditor(session()).endOperation();
             session().openImage(url("games.d64"));
             selectComputer({"ONE"}), selectFloppy(1);
         },
         "111001", "11111111", "110111"},
        {"T64 open, one each",
         [&] {
             session().goUp();
             session().openImage(url("tape.t64"));
             selectComputer({"HELLO"});
         },
         "111000", "11111111", "110110"},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(probe.name);
        probe.arrange();
        session().window().setFocusedPane(CommanderPane::computer);
        EXPECT_EQ(enabledPattern(registry(), computer), probe.computer);
        EXPECT_EQ(enabledPattern(registry(), floppy), probe.floppy);
        EXPECT_EQ(enabledPattern(registry(), arrowsAndMenu), probe.arrowsAndMenu);
    }
    // Rename and Delete without a menu line follow the focused pane.
    session().window().setFocusedPane(CommanderPane::floppy);
    EXPECT_TRUE(registry().isEnabled(C::renameInFocusedPane));

    // The image commands name what the selected drive makes, and change with it.
    int changes = 0;
    QObject::connect(&registry(), &CommandRegistry::changed, [&changes] { ++changes; });
    StateEditor(session()).setDriveModel(QStringLiteral("1571"));
    EXPECT_GT(changes, 0);
    EXPECT_EQ(registry().help(C::saveD64), "Save the floppy as a .d64 or .d71 image");
    StateEditor(session()).setDriveModel(QStringLiteral("1581"));
    EXPECT_EQ(registry().help(C::writeD64), "Write a .d81 image to the floppy");
}

TEST_F(CommandRegistryTest, TriggersReachTheSessionOnlyWhileEnabled) {
    VellumViewModel& model = session();
    selectComputer({"a.prg"});
    model.window().setFocusedPane(CommanderPane::computer);
    StateEditor(model).setOperation(OperationKind::copyingFiles);
    registry().trigger(C::newFolder);
    EXPECT_FALSE(model.sheets().namePrompt().has_value()) << "disabled while busy";
    StateEditor(model).setOperation(OperationKind::idle);
    registry().trigger(C::newFolder);
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::newFolder);
    registry().trigger(C::toggleStatusPanel);
    EXPECT_FALSE(model.window().statusSidebarForced()) << "only offered in a narrow window";
}

TEST_F(CommandRegistryTest, DragsCarryTheSelectionButNeverAScratchedEntryAlone) {
    const QList<DirectoryEntry> entries = floppy().directory().entries;
    floppy().selectEntry(floppyIDs[0]);
    floppy().click(floppyIDs[2], {true, false});
    EXPECT_EQ(floppy().dragPayloads(entries[0]), QStringList({"A\tPRG", "OLD\tDEL"}));
    EXPECT_EQ(floppy().dragPayloads(entries[1]), QStringList({"B\tSEQ"}));
    floppy().selectEntry(floppyIDs[0]);
    EXPECT_TRUE(floppy().dragPayloads(entries[2]).isEmpty());
    // Dropped payloads: a listed name gives the listed entry, others what they say.
    const QList<DirectoryEntry> dropped =
        floppy().entriesForPayloads({"B\tPRG", "OTHER\tUSR", "", "LONE"});
    ASSERT_EQ(dropped.size(), 3);
    EXPECT_EQ(dropped.at(0), entries[1]);
    EXPECT_EQ(dropped.at(1).name, "OTHER");
    EXPECT_EQ(dropped.at(1).type, CBMFileType::usr);
    EXPECT_EQ(dropped.at(2).type, CBMFileType::prg);
}

TEST_F(CommandRegistryTest, NoRenameOfAScratchedEntryOrTwoAndNoDropWhileBusy) {
    VellumViewModel& model = session();
    // A scratched entry's prompt would never close.
    floppy().selectEntry(floppyIDs[2]);
    EXPECT_FALSE(model.commands().canRenameFloppy());
    model.beginRenameFloppy();
    EXPECT_FALSE(model.sheets().namePrompt().has_value());
    selectFloppy(2);
    model.beginRenameFloppy();
    EXPECT_FALSE(model.sheets().namePrompt().has_value());

    StateEditor(model).setOperation(OperationKind::copyingFiles);
    EXPECT_FALSE(model.commands().acceptsFloppyDrop());
    EXPECT_TRUE(model.commands().canStop());
    EXPECT_FALSE(waitForTask(model.dropOnFloppyPane({url("a.prg")})));
    StateEditor(model).setOperation(OperationKind::idle);
}
