#include "PanesFixture.h"
#include "ui/kit/FactLine.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/panes/PaneOverlays.h"

#include <QCheckBox>
#include <QScrollBar>

namespace vellum::testing {
namespace {

class PaneTextsTest : public PanesTest {
protected:
    // The whole texts of a pane's one-line labels and footers.
    static QStringList labelTexts(QWidget* pane) {
        QStringList texts;
        for (ElidedLabel* label : pane->findChildren<ElidedLabel*>()) {
            texts << label->fullText();
        }
        for (FactLine* line : pane->findChildren<FactLine*>()) {
            texts << line->fullText();
        }
        return texts;
    }
    static EmptyStateView* shownEmptyState(QWidget* pane) {
        for (EmptyStateView* view : pane->findChildren<EmptyStateView*>()) {
            if (view->isVisible()) {
                return view;
            }
        }
        return nullptr;
    }
};

// The session words the footers and empty states; the panes must show the current ones.
TEST_F(PaneTextsTest, FootersAndEmptyStatesFollowTheSession) {
    put("a.prg", program(0x0801, pattern(300, 1)));
    showPanes();
    ComputerPaneState& computer = session().computer();
    EXPECT_EQ(shownEmptyState(computerPane), nullptr);
    ASSERT_NE(shownEmptyState(floppyPane), nullptr);
    EXPECT_EQ(shownEmptyState(floppyPane)->title(), "No directory loaded.");
    EXPECT_EQ(shownEmptyState(floppyPane)->detail(),
              "Click Directory, or copy a file with the arrows.");
    EXPECT_TRUE(labelTexts(floppyPane).contains("— BLOCKS FREE."));
    clickRow(computerList(), 0);
    EXPECT_TRUE(labelTexts(computerPane).contains(computer.footerText()));
    QDir(folderDir.path()).mkdir("Sub");
    session().refreshLocalItems();
    EXPECT_TRUE(labelTexts(computerPane).contains(computer.footerText()))
        << computer.footerText().toStdString();
    QDir(folderDir.path()).rmdir("Sub");
    session().refreshLocalItems();

    showFloppy({"ONE", "TWO"}, std::nullopt);
    EXPECT_TRUE(labelTexts(floppyPane).contains("— BLOCKS FREE.")) << "no free count listed";
    showFloppy({"ONE", "TWO"}, 662);
    clickRow(floppyList(), 0);
    EXPECT_EQ(shownEmptyState(floppyPane), nullptr);
    EXPECT_TRUE(labelTexts(floppyPane).contains("662 BLOCKS FREE."));
    EXPECT_TRUE(labelTexts(floppyPane).contains("2 FILES  ·  1 SELECTED"));

    computer.setFilterD64(true);
    ASSERT_NE(shownEmptyState(computerPane), nullptr);
    EXPECT_EQ(shownEmptyState(computerPane)->title(), "No files match the filters.");
    computer.setFilterD64(false);
    QFile::remove(path("a.prg"));
    session().refreshLocalItems();
    ASSERT_NE(shownEmptyState(computerPane), nullptr);
    EXPECT_EQ(shownEmptyState(computerPane)->title(), "This folder is empty.");
}

TEST_F(PaneTextsTest, TitlesFollowTheSessionAndFiltersAreBoundBothWays) {
    showPanes();
    const QList<PaneChromeTitle*> titles = window->findChildren<PaneChromeTitle*>();
    ASSERT_EQ(titles.size(), 2);
    StateEditor(session()).setDeviceNumber(9);
    showFloppy({"ONE"});
    StateEditor editor(session());
    DiskDirectory named = session().floppy().directory();
    named.diskName = "my disk";
    editor.setDirectory(named);
    EXPECT_EQ(titles.at(1)->title(), "Floppy  |  Drive 9");
    EXPECT_EQ(titles.at(1)->titleToolTip(), "FLOPPY - MY DISK");
    EXPECT_EQ(titles.at(0)->title(), "Computer");

    QCheckBox* prg = nullptr;
    for (QCheckBox* check : computerPane->findChildren<QCheckBox*>()) {
        if (check->text() == ".prg") {
            prg = check;
        }
    }
    ASSERT_NE(prg, nullptr);
    prg->click();
    EXPECT_TRUE(session().computer().filterPRG());
    session().computer().setFilterPRG(false);
    EXPECT_FALSE(prg->isChecked());
}

TEST_F(PaneTextsTest, TypeAndBlockColumnsWidenForTheirRows) {
    showPanes({760, 420});
    showFloppy({"ONE"});
    const int typeColumn = FloppyDirectoryModel::typeColumn;
    const int blocksColumn = FloppyDirectoryModel::blocksColumn;
    const int narrowType = floppyList().columnWidth(typeColumn);
    DiskDirectory odd = session().floppy().directory();
    odd.entries[0].typeToken = "*SEQ<";
    odd.entries[0].blocks = 31600;
    StateEditor(session()).applyDirectory(odd);
    const QFontMetrics metrics(floppyList().font());
    for (const int column : {typeColumn, blocksColumn}) {
        const QString text = floppyList().model()->index(0, column).data().toString();
        EXPECT_GE(floppyList().columnWidth(column), metrics.horizontalAdvance(text)) << column;
    }
    EXPECT_GT(floppyList().columnWidth(typeColumn), narrowType);
    // Back to ordinary rows, the names get the room again.
    showFloppy({"ONE"});
    EXPECT_EQ(floppyList().columnWidth(typeColumn), narrowType);
}

TEST_F(PaneTextsTest, AReReadKeepsTheScrollPositionAndTheCurrentRow) {
    QStringList names;
    for (int i = 0; i < 80; ++i) {
        names << QStringLiteral("FILE %1").arg(i, 2, 10, QLatin1Char('0'));
    }
    for (const QString& name : names) {
        put(name.toLower() + ".prg", program(0x0801, "x"));
    }
    showPanes({900, 420});
    showFloppy(names);
    for (PaneListView* list : {&computerList(), &floppyList()}) {
        // The selected row scrolled out of sight: a re-read must not bring it back.
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum() / 3);
        clickRow(*list, list->indexAt(QPoint(20, 30)).row());
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum() * 2 / 3);
    }
    const int computerScroll = computerList().verticalScrollBar()->value();
    const int floppyScroll = floppyList().verticalScrollBar()->value();
    const int computerRow = computerList().currentIndex().row();
    const int floppyRow = floppyList().currentIndex().row();
    ASSERT_GT(computerScroll, 0);
    ASSERT_GT(floppyScroll, 0);

    put("zzz.prg", program(0x0801, "z"));
    session().refreshLocalItems();
    DiskDirectory reread = session().floppy().directory();
    for (DirectoryEntry& entry : reread.entries) {
        entry.id = QUuid::createUuid(); // every reading makes new entries
    }
    StateEditor(session()).applyDirectory(reread);

    EXPECT_EQ(computerList().verticalScrollBar()->value(), computerScroll);
    EXPECT_EQ(floppyList().verticalScrollBar()->value(), floppyScroll);
    EXPECT_EQ(computerList().currentIndex().row(), computerRow);
    EXPECT_EQ(floppyList().currentIndex().row(), floppyRow);
    EXPECT_EQ(selectedRows(floppyList()), QList<int>{floppyRow}) << "selection carried over";
}

} // namespace
} // namespace vellum::testing
