#include "PanesFixture.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/FactLine.h"
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
        for (ElidedLabel* label : pane->findChildren<ElidedLabel*>())
            texts << label->fullText();
        for (FactLine* line : pane->findChildren<FactLine*>())
            texts << line->fullText();
        return texts;
    }
    static EmptyStateView* shownEmptyState(QWidget* pane) {
        for (EmptyStateView* view : pane->findChildren<EmptyStateView*>()) {
            if (view->isVisible())
                return view;
        }
        return nullptr;
    }
};

TEST_F(PaneTextsTest, FootersCountFilesOrItems) {
    for (const char* name : {"a.prg", "b.prg", "c.t64"})
        put(QString::fromLatin1(name), program(0x0801, pattern(300, name[0])));
    showPanes();
    EXPECT_TRUE(labelTexts(computerPane).contains(QStringLiteral("3 FILES")));
    QDir(folderDir.path()).mkdir(QStringLiteral("Sub"));
    session().refreshLocalItems();
    EXPECT_TRUE(labelTexts(computerPane).contains(QStringLiteral("4 ITEMS")));
    clickRow(computerList(), 1);
    EXPECT_TRUE(labelTexts(computerPane)
                    .contains(QStringLiteral("4 ITEMS  ·  1 SELECTED  ·  302 B  ·  2 BLOCKS")));

    EXPECT_TRUE(labelTexts(floppyPane).contains(QStringLiteral("— BLOCKS FREE.")));
    showFloppy({"ONE", "TWO"}, std::nullopt);
    EXPECT_TRUE(labelTexts(floppyPane).contains(QStringLiteral("— BLOCKS FREE.")));
    showFloppy({"ONE", "TWO"}, 662);
    clickRow(floppyList(), 0);
    EXPECT_TRUE(labelTexts(floppyPane).contains(QStringLiteral("662 BLOCKS FREE.")));
    EXPECT_TRUE(labelTexts(floppyPane).contains(QStringLiteral("2 FILES  ·  1 SELECTED")));
}

TEST_F(PaneTextsTest, EmptyListsSayWhy) {
    put(QStringLiteral("a.prg"), program(0x0801, "a"));
    showPanes();
    EXPECT_EQ(shownEmptyState(computerPane), nullptr);
    ASSERT_NE(shownEmptyState(floppyPane), nullptr);
    EXPECT_EQ(shownEmptyState(floppyPane)->title(), QStringLiteral("No directory loaded."));
    EXPECT_EQ(shownEmptyState(floppyPane)->detail(),
              QStringLiteral("Click Directory, or copy a file with the arrows."));

    session().computer().setFilterD64(true);
    ASSERT_NE(shownEmptyState(computerPane), nullptr);
    EXPECT_EQ(shownEmptyState(computerPane)->title(),
              QStringLiteral("No files match the filters."));
    session().computer().setFilterD64(false);
    QFile::remove(path(QStringLiteral("a.prg")));
    session().refreshLocalItems();
    ASSERT_NE(shownEmptyState(computerPane), nullptr);
    EXPECT_EQ(shownEmptyState(computerPane)->title(), QStringLiteral("This folder is empty."));

    showFloppy({"ONE"});
    EXPECT_EQ(shownEmptyState(floppyPane), nullptr);
}

TEST_F(PaneTextsTest, TitlesFollowTheSessionAndFiltersAreBoundBothWays) {
    showPanes();
    const QList<PaneChromeTitle*> titles = window->findChildren<PaneChromeTitle*>();
    ASSERT_EQ(titles.size(), 2);
    StateEditor(session()).setDeviceNumber(9);
    showFloppy({"ONE"});
    StateEditor editor(session());
    DiskDirectory named = session().floppy().directory();
    named.diskName = QStringLiteral("my disk");
    editor.setDirectory(named);
    EXPECT_EQ(titles.at(1)->title(), QStringLiteral("Floppy  |  Drive 9"));
    EXPECT_EQ(titles.at(1)->titleToolTip(), QStringLiteral("FLOPPY - MY DISK"));
    EXPECT_EQ(titles.at(0)->title(), QStringLiteral("Computer"));

    QCheckBox* prg = nullptr;
    for (QCheckBox* check : computerPane->findChildren<QCheckBox*>()) {
        if (check->text() == QStringLiteral(".prg"))
            prg = check;
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
    odd.entries[0].typeToken = QStringLiteral("*SEQ<");
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
    for (int i = 0; i < 80; ++i)
        names << QStringLiteral("FILE %1").arg(i, 2, 10, QLatin1Char('0'));
    for (const QString& name : names)
        put(name.toLower() + QStringLiteral(".prg"), program(0x0801, "x"));
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

    put(QStringLiteral("zzz.prg"), program(0x0801, "z"));
    session().refreshLocalItems();
    DiskDirectory reread = session().floppy().directory();
    for (DirectoryEntry& entry : reread.entries)
        entry.id = QUuid::createUuid(); // every reading makes new entries
    StateEditor(session()).applyDirectory(reread);

    EXPECT_EQ(computerList().verticalScrollBar()->value(), computerScroll);
    EXPECT_EQ(floppyList().verticalScrollBar()->value(), floppyScroll);
    EXPECT_EQ(computerList().currentIndex().row(), computerRow);
    EXPECT_EQ(floppyList().currentIndex().row(), floppyRow);
    EXPECT_EQ(selectedRows(floppyList()), QList<int>{floppyRow}) << "selection carried over";
}

} // namespace
} // namespace vellum::testing
