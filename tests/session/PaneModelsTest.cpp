#include "PaneFixture.h"

#include "session/RowDiff.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace vellum;
using namespace vellum::testing;

namespace {} // namespace

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
    model.floppy().selectEntry(model.floppy().directory().entries.at(3).id);

    QPersistentModelIndex game(rows.index(0, 0));
    QPersistentModelIndex demo(rows.index(3, 2));
    QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);
    // The next reading: NOTES is gone, NEW came, DEMO grew; every entry has a new id.
    StateEditor(model).applyDirectory(
        diskListing({floppyEntry("GAME", 3), floppyEntry("NEW", 2),
                     floppyEntry("OLD", 0, CBMFileType::del), floppyEntry("DEMO", 6)}));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(game.row(), 0);
    EXPECT_EQ(demo.row(), 3);
    EXPECT_EQ(demo.data().toString(), "6");
    EXPECT_EQ(rows.entryAt(3).id, model.floppy().directory().entries.at(3).id);
    EXPECT_TRUE(demo.data(SelectedRole).toBool()) << "the selection followed the name";
    EXPECT_FALSE(game.data(SelectedRole).toBool());
    EXPECT_EQ(game.data(RecordRole).value<DirectoryEntry>(),
              model.floppy().directory().entries.at(0));
}
