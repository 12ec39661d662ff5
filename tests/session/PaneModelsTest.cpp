#include "PaneFixture.h"

#include "session/RowDiff.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace vellum;
using namespace vellum::testing;

namespace {

QStringList rowTexts(const QAbstractItemModel& model, int row) {
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column) {
        texts << model.index(row, column).data().toString();
    }
    return texts;
}

// Every signal a view would follow, counted.
struct ModelSignals {
    explicit ModelSignals(QAbstractItemModel* model)
        : resets(model, &QAbstractItemModel::modelReset),
          inserted(model, &QAbstractItemModel::rowsInserted),
          removed(model, &QAbstractItemModel::rowsRemoved),
          changed(model, &QAbstractItemModel::dataChanged) {}
    void clear() {
        resets.clear();
        inserted.clear();
        removed.clear();
        changed.clear();
    }
    QSignalSpy resets;
    QSignalSpy inserted;
    QSignalSpy removed;
    QSignalSpy changed;
};

} // namespace

TEST(RowDiffTest, PlansTurnOneListIntoTheOtherKeepingTheMostRows) {
    struct Case {
        QStringList before;
        QStringList after;
        qsizetype kept;
    };
    const QList<Case> cases{
        {{}, {"a", "b"}, 0},
        {{"a", "b"}, {}, 0},
        {{"a", "b", "c"}, {"a", "b", "c"}, 3},
        {{"a", "b", "c"}, {"a", "x", "c", "y"}, 2},
        {{"a", "b", "c", "d"}, {"d", "a", "b", "c"}, 3}, // one row moved: out and in again
        {{"a", "b", "c"}, {"c", "b", "a"}, 1},
        {{"a", "b"}, {"x", "y"}, 0},
    };
    for (const Case& test : cases) {
        const RowChanges changes = planRowChanges(test.before, test.after);
        QStringList rows = test.before;
        for (const auto& [first, count] : changes.removals) {
            rows.remove(first, count);
        }
        for (const auto& [first, count] : changes.insertions) {
            rows = rows.mid(0, first) + test.after.mid(first, count) + rows.mid(first);
        }
        EXPECT_EQ(rows, test.after) << test.before.join(',').toStdString();
        EXPECT_EQ(changes.kept.size(), test.kept) << test.before.join(',').toStdString();
        for (const auto& [from, to] : changes.kept) {
            EXPECT_EQ(test.before.at(from), test.after.at(to));
        }
    }
}

TEST_F(SessionTest, AReReadDirectoryKeepsTheRowsThatAreStillThere) {
    VellumViewModel& model = session();
    FloppyDirectoryModel& rows = model.floppyListModel();
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    StateEditor(model).applyDirectory(
        diskListing({floppyEntry("GAME", 3), floppyEntry("NOTES", 1, CBMFileType::seq),
                     floppyEntry("OLD", 0, CBMFileType::del), floppyEntry("DEMO", 5)}));
    ASSERT_EQ(rows.rowCount(), 4);
    EXPECT_EQ(rowTexts(rows, 0), QStringList({"\"GAME\"", "PRG", "3"}));
    EXPECT_EQ(rowTexts(rows, 1), QStringList({"\"NOTES\"", "SEQ", "1"}));
    EXPECT_EQ(rows.headerData(2, Qt::Horizontal).toString(), "BLOCKS");
    model.floppy().selectEntry(model.floppy().directory().entries.at(3).id);

    QPersistentModelIndex game(rows.index(0, 0));
    QPersistentModelIndex demo(rows.index(3, 2));
    ModelSignals spy(&rows);
    // The next reading: NOTES is gone, NEW came, DEMO grew; every entry has a new id.
    StateEditor(model).applyDirectory(
        diskListing({floppyEntry("GAME", 3), floppyEntry("NEW", 2),
                     floppyEntry("OLD", 0, CBMFileType::del), floppyEntry("DEMO", 6)}));
    EXPECT_EQ(spy.resets.count(), 0);
    EXPECT_EQ(spy.removed.count(), 1);
    EXPECT_EQ(spy.inserted.count(), 1);
    EXPECT_EQ(game.row(), 0);
    EXPECT_EQ(demo.row(), 3);
    EXPECT_EQ(demo.data().toString(), "6");
    EXPECT_EQ(rows.entryAt(3).id, model.floppy().directory().entries.at(3).id);
    EXPECT_TRUE(demo.data(SelectedRole).toBool()) << "the selection followed the name";
    EXPECT_FALSE(game.data(SelectedRole).toBool());
    EXPECT_EQ(game.data(RecordRole).value<DirectoryEntry>(),
              model.floppy().directory().entries.at(0));

    // A selection change touches the selected role of the rows that changed, nothing else.
    spy.clear();
    model.floppy().click(rows.entryAt(0).id, {true, false});
    ASSERT_EQ(spy.changed.count(), 1);
    EXPECT_EQ(spy.changed.at(0).at(0).toModelIndex().row(), 0);
    EXPECT_EQ(spy.changed.at(0).at(1).toModelIndex().row(), 0);
    EXPECT_EQ(spy.changed.at(0).at(2).value<QList<int>>(), QList<int>{SelectedRole});
    EXPECT_TRUE(game.data(SelectedRole).toBool());
    EXPECT_EQ(spy.inserted.count() + spy.removed.count() + spy.resets.count(), 0);
}

TEST_F(PaneTest, ComputerRowsFollowFiltersWithoutAReset) {
    put("a.prg", pattern(300, 1));
    put("b.d64", diskImage("B", {{"INTRO", CBMFileType::prg, program(0x0801, "hi")}}));
    put("c.t64", "tape");
    QDir(folderDir.path()).mkdir("dir");
    VellumViewModel& model = pane();
    ComputerItemsModel& rows = model.computerListModel();
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(rows.rowCount(), 4);
    struct Row {
        QStringList texts;
        RowIconKind icon;
        bool dropTarget;
    };
    const QList<Row> expected{
        {{"dir", "DIR", "—", "—"}, RowIconKind::folder, false},
        {{"a.prg", "PRG", "300 B", "2"}, RowIconKind::document, false},
        {{"b.d64", "D64", "170 KB", "689"}, RowIconKind::diskOrTapeImage, true},
        {{"c.t64", "T64", "4 B", "1"}, RowIconKind::diskOrTapeImage, false},
    };
    for (int row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(rowTexts(rows, row), expected.at(row).texts);
        EXPECT_EQ(rows.index(row, 0).data(IconKindRole).value<RowIconKind>(),
                  expected.at(row).icon);
        EXPECT_EQ(rows.index(row, 0).data(D64DropTargetRole).toBool(), expected.at(row).dropTarget);
    }

    QPersistentModelIndex prg(rows.index(1, 0));
    ModelSignals spy(&rows);
    model.computer().setFilterPRG(true);
    model.computer().setHideFolders(true);
    EXPECT_EQ(spy.resets.count(), 0);
    EXPECT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(prg.row(), 0);
    model.computer().setFilterPRG(false);
    EXPECT_EQ(spy.resets.count(), 0);
    EXPECT_EQ(prg.row(), 0);
    EXPECT_EQ(rows.rowCount(), 3);

    // Inside an image nothing is shared with the folder: a fresh list, entries as documents.
    model.openImage(url("b.d64"));
    EXPECT_EQ(spy.resets.count(), 1);
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rowTexts(rows, 0), QStringList({"INTRO", "PRG", "4 B", "1"}));
    EXPECT_EQ(rows.index(0, 0).data(IconKindRole).value<RowIconKind>(), RowIconKind::document);
    EXPECT_TRUE(rows.index(0, 0).data(SelectedRole).toBool());
}
