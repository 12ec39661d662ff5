#include "PanesFixture.h"

#include <QContextMenuEvent>

namespace vellum::testing {
namespace {

class PaneMenusAndKeysTest : public PanesTest {
protected:
    void SetUp() override {
        PanesTest::SetUp();
        QDir(folderDir.path()).mkdir("Music");
        for (const char* name : {"alpha.prg", "beta.prg", "bravo.prg", "delta.prg"}) {
            put(QString::fromLatin1(name), program(0x0801, pattern(300, name[0])));
        }
        showPanes();
        showFloppy({"ALPHA", "BETA", "GAMMA"});
    }

    static void rightClick(PaneListView& list, QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &event);
    }
    static void menuKey(PaneListView& list) {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(),
                                list.viewport()->mapToGlobal(QPoint()));
        QApplication::sendEvent(&list, &event);
    }
};

TEST_F(PaneMenusAndKeysTest, ARightClickPreparesTheSelectionThenShowsTheSessionsMenu) {
    // Rows: Music, alpha, beta, bravo, delta.
    clickRow(computerList(), 1);
    clickRow(computerList(), 2, Qt::ControlModifier);
    rightClick(computerList(), rowPoint(computerList(), 4));
    EXPECT_EQ(selectedRows(computerList()), QList<int>{4}) << "an unselected row alone";
    const QStringList single = openMenuLines(computerList());
    EXPECT_EQ(single, menuLines(session().commandRegistry().computerRowMenu(
                          session().computerListModel().itemAt(4))));
    EXPECT_EQ(single.value(0), "Copy to Floppy");

    clickRow(computerList(), 2, Qt::ControlModifier);
    rightClick(computerList(), rowPoint(computerList(), 2));
    EXPECT_EQ(selectedRows(computerList()), (QList<int>{2, 4})) << "a selected row keeps all";
    EXPECT_EQ(openMenuLines(computerList()).value(0), "Copy 2 Files to Floppy");

    StateEditor(session()).setOperation(OperationKind::copyingFiles);
    rightClick(computerList(), rowPoint(computerList(), 2));
    EXPECT_EQ(openMenuLines(computerList()).value(0), "Copy 2 Files to Floppy (off)");
    StateEditor(session()).setOperation(OperationKind::idle);

    rightClick(floppyList(), rowPoint(floppyList(), 1));
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::floppy);
    EXPECT_EQ(openMenuLines(floppyList()), menuLines(session().commandRegistry().floppyRowMenu()));
}

TEST_F(PaneMenusAndKeysTest, TheEmptyAreaAndTheKeyboardOpenTheirMenus) {
    clickRow(floppyList(), 0);
    clickRow(floppyList(), 2, Qt::ShiftModifier);
    menuKey(floppyList());
    EXPECT_EQ(openMenuLines(floppyList()).value(0), "Copy 3 Files to Computer");
    key(floppyList(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(openMenuLines(floppyList()).value(2), "Delete 3 Files…");

    rightClick(floppyList(), belowRows(floppyList()));
    EXPECT_TRUE(selectedRows(floppyList()).isEmpty());
    EXPECT_EQ(openMenuLines(floppyList()),
              menuLines(session().commandRegistry().floppyBackgroundMenu()));

    rightClick(computerList(), belowRows(computerList()));
    EXPECT_EQ(openMenuLines(computerList()),
              menuLines(session().commandRegistry().computerBackgroundMenu()));
}

TEST_F(PaneMenusAndKeysTest, AMenuLineRunsItsAction) {
    rightClick(computerList(), belowRows(computerList()));
    QMenu* menu = computerList().findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> lines = menu->actions();
    const auto newFolder = std::find_if(
        lines.begin(), lines.end(), [](QAction* action) { return action->text() == "New Folder"; });
    ASSERT_NE(newFolder, lines.end());
    (*newFolder)->trigger();
    EXPECT_EQ(session().sheets().namePrompt(), NamePromptKind::newFolder);
}

TEST_F(PaneMenusAndKeysTest, KeysMoveAndExtendTheSelectionAndFindNames) {
    const struct {
        const char* name;
        std::optional<int> clickFirst;
        QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        QString typed;
        QList<int> selected;
    } cases[] = {
        {"down from nothing takes the first row", {}, {{Qt::Key_Down, {}}}, {}, {0}},
        {"down moves", 1, {{Qt::Key_Down, {}}}, {}, {2}},
        {"shift down extends",
         1,
         {{Qt::Key_Down, Qt::ShiftModifier}, {Qt::Key_Down, Qt::ShiftModifier}},
         {},
         {1, 2, 3}},
        {"shift up then down shrinks",
         3,
         {{Qt::Key_Up, Qt::ShiftModifier},
          {Qt::Key_Up, Qt::ShiftModifier},
          {Qt::Key_Down, Qt::ShiftModifier}},
         {},
         {2, 3}},
        {"end", 1, {{Qt::Key_End, {}}}, {}, {4}},
        {"shift end", 2, {{Qt::Key_End, Qt::ShiftModifier}}, {}, {2, 3, 4}},
        {"type a prefix", 0, {}, "br", {3}},
        {"type a letter again for the next", 0, {}, "bb", {3}},
        {"letter case is ignored", 0, {}, "D", {4}},
    };
    for (const auto& each : cases) {
        click(computerList(), belowRows(computerList()));
        computerList().setCurrentIndex({});
        if (each.clickFirst) {
            clickRow(computerList(), *each.clickFirst);
        }
        for (const auto& [pressed, modifiers] : each.keys) {
            key(computerList(), pressed, modifiers);
        }
        for (const QChar letter : each.typed) {
            key(computerList(), Qt::Key_unknown, Qt::NoModifier, QString(letter));
        }
        EXPECT_EQ(selectedRows(computerList()), each.selected) << each.name;
        EXPECT_EQ(shownRows(computerList()), each.selected) << each.name;
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
    }
}

TEST_F(PaneMenusAndKeysTest, ReturnBackspaceAndDeleteActOnTheFocusedPane) {
    clickRow(computerList(), 0);
    key(computerList(), Qt::Key_Return);
    EXPECT_EQ(session().computer().computerFolder(), url("Music"));
    key(computerList(), Qt::Key_Backspace);
    EXPECT_EQ(session().computer().computerFolder(), folder());

    clickRow(computerList(), 2);
    key(computerList(), Qt::Key_Delete);
    EXPECT_TRUE(session().confirmations().showsLocalDeleteConfirmation());

    clickRow(floppyList(), 1);
    key(floppyList(), Qt::Key_Delete);
    EXPECT_TRUE(session().confirmations().showsScratchConfirmation());
    key(floppyList(), Qt::Key_Return);
    EXPECT_TRUE(session().status().lastError().has_value()) << "the copy ran, without tools";
}

TEST_F(PaneMenusAndKeysTest, TheFocusedPaneIsTheOneTheListGaveFocus) {
    floppyList().setFocus(Qt::TabFocusReason);
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::floppy);
    EXPECT_TRUE(floppyList().isFocusedPane());
    EXPECT_FALSE(computerList().isFocusedPane());
    computerList().setFocus(Qt::TabFocusReason);
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::computer);
}

} // namespace
} // namespace vellum::testing
