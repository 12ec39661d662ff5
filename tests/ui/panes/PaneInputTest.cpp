#include "PanesFixture.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace vellum::testing {
namespace {

// Rows: Music, alpha, beta, bravo, delta on the computer; five entries on the floppy.
class PaneInputTest : public PanesTest {
protected:
    void SetUp() override {
        PanesTest::SetUp();
        QDir(folderDir.path()).mkdir("Music");
        for (const char* name : {"alpha.prg", "beta.prg", "bravo.prg", "delta.prg"}) {
            put(QString::fromLatin1(name), program(0x0801, pattern(300, name[0])));
        }
        showPanes();
        showFloppy({"ALPHA", "BETA", "GAMMA", "DELTA", "EPSILON"});
    }
    static void rightClick(PaneListView& list, QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &event);
    }
    // The open context menu's lines: titles, "-" for a separator, "(off)" after a disabled
    // line; and the same for the session's menu.
    static QStringList openMenuLines(PaneListView& list) {
        QStringList lines;
        for (QMenu* menu : list.findChildren<QMenu*>()) {
            for (QAction* action : menu->isVisible() ? menu->actions() : QList<QAction*>{}) {
                lines << (action->isSeparator()
                              ? "-"
                              : action->text() + (action->isEnabled() ? "" : " (off)"));
            }
            menu->close();
        }
        QApplication::processEvents();
        return lines;
    }
    static QStringList menuLines(const QList<ContextAction>& actions) {
        QStringList lines;
        for (const ContextAction& action : actions) {
            lines << (action.isSeparator ? "-" : action.title + (action.enabled ? "" : " (off)"));
        }
        return lines;
    }
};

TEST_F(PaneInputTest, ClicksReachTheSessionAndTheListShowsOnlyItsSelection) {
    // The rules themselves are the session's; here each side passes its clicks on and shows
    // the outcome, and nothing else can select a row.
    for (PaneListView* list : {&computerList(), &floppyList()}) {
        clickRow(*list, 1);
        clickRow(*list, 3, Qt::ShiftModifier);
        list->selectAll();
        list->selectionModel()->clearSelection();
        EXPECT_EQ(shownRows(*list), (QList<int>{1, 2, 3}));
        EXPECT_EQ(selectedRows(*list), (QList<int>{1, 2, 3}));
    }
    // A click on the empty area clears that side and gives it the focus.
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::floppy);
    click(computerList(), belowRows(computerList()));
    EXPECT_TRUE(selectedRows(computerList()).isEmpty());
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::computer);
    EXPECT_EQ(selectedRows(floppyList()), (QList<int>{1, 2, 3}));
}

TEST_F(PaneInputTest, RightClicksAndShiftF10ShowTheSessionsMenusAndALineRuns) {
    clickRow(computerList(), 1);
    clickRow(computerList(), 2, Qt::ControlModifier);
    rightClick(computerList(), rowPoint(computerList(), 4));
    EXPECT_EQ(selectedRows(computerList()), QList<int>{4}) << "an unselected row alone";
    EXPECT_EQ(openMenuLines(computerList()), menuLines(session().commandRegistry().computerRowMenu(
                                                 session().computerListModel().itemAt(4))));
    clickRow(computerList(), 2, Qt::ControlModifier);
    rightClick(computerList(), rowPoint(computerList(), 2));
    EXPECT_EQ(selectedRows(computerList()), (QList<int>{2, 4})) << "a selected row keeps all";
    openMenuLines(computerList());

    clickRow(floppyList(), 0);
    clickRow(floppyList(), 2, Qt::ShiftModifier);
    const QStringList rowMenu = menuLines(session().commandRegistry().floppyRowMenu());
    key(floppyList(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(openMenuLines(floppyList()), rowMenu);
    rightClick(floppyList(), belowRows(floppyList()));
    EXPECT_TRUE(selectedRows(floppyList()).isEmpty());
    EXPECT_EQ(openMenuLines(floppyList()),
              menuLines(session().commandRegistry().floppyBackgroundMenu()));

    rightClick(computerList(), belowRows(computerList()));
    EXPECT_EQ(openMenuLines(computerList()),
              menuLines(session().commandRegistry().computerBackgroundMenu()));
    rightClick(computerList(), belowRows(computerList()));
    for (QMenu* menu : computerList().findChildren<QMenu*>()) {
        for (QAction* line : menu->isVisible() ? menu->actions() : QList<QAction*>{}) {
            if (line->text() == "New Folder") {
                line->trigger();
            }
        }
    }
    EXPECT_EQ(session().sheets().namePrompt(), NamePromptKind::newFolder);
}

TEST_F(PaneInputTest, KeysMoveAndExtendTheSelectionAndFindNames) {
    using K = QKeyCombination;
    const QList<std::tuple<std::optional<int>, QList<K>, QString, QList<int>>> cases{
        {{}, {K(Qt::Key_Down)}, {}, {0}},
        {1, {Qt::ShiftModifier | Qt::Key_Down, Qt::ShiftModifier | Qt::Key_Down}, {}, {1, 2, 3}},
        {2, {Qt::ShiftModifier | Qt::Key_End}, {}, {2, 3, 4}},
        {0, {}, "bb", {3}}, // a letter again for the next
        {0, {}, "D", {4}},  // letter case is ignored
    };
    for (const auto& [clickFirst, keys, typed, selected] : cases) {
        click(computerList(), belowRows(computerList()));
        computerList().setCurrentIndex({});
        if (clickFirst) {
            clickRow(computerList(), *clickFirst);
        }
        for (const K pressed : keys) {
            key(computerList(), pressed.key(), pressed.keyboardModifiers());
        }
        for (const QChar letter : typed) {
            key(computerList(), Qt::Key_unknown, Qt::NoModifier, QString(letter));
        }
        EXPECT_EQ(selectedRows(computerList()), selected) << typed.toStdString();
        EXPECT_EQ(shownRows(computerList()), selected) << typed.toStdString();
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
    }
}

TEST_F(PaneInputTest, ReturnBackspaceAndDeleteActOnTheFocusedPane) {
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

    // The focused pane is the one the list gave focus, by the keyboard too.
    computerList().setFocus(Qt::TabFocusReason);
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::computer);
}

} // namespace
} // namespace vellum::testing
