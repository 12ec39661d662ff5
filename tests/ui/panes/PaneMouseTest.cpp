#include "PanesFixture.h"
#include "ui/panes/PaneDragData.h"

namespace vellum::testing {
namespace {

class PaneMouseTest : public PanesTest {
protected:
    void SetUp() override {
        PanesTest::SetUp();
        for (const char* name : {"a.prg", "b.prg", "c.prg", "d.prg", "e.prg"}) {
            put(QString::fromLatin1(name), program(0x0801, pattern(300, name[0])));
        }
        showPanes();
        showFloppy({"ALPHA", "BETA", "GAMMA", "DELTA", "EPSILON"});
    }

    // Both lists, so every rule is tried on each side.
    std::vector<std::pair<const char*, PaneListView*>> sides() {
        return {{"computer", &computerList()}, {"floppy", &floppyList()}};
    }
    static void waitPastDoubleClick() { QTest::qWait(QApplication::doubleClickInterval() + 120); }
};

TEST_F(PaneMouseTest, ClicksReachTheSessionAndTheListShowsOnlyItsSelection) {
    // The rules themselves are the session's (PaneSelectionTest); here each side passes its
    // clicks on and shows the outcome, and nothing else can select a row.
    for (auto [side, list] : sides()) {
        click(*list, belowRows(*list));
        clickRow(*list, 1);
        clickRow(*list, 3, Qt::ShiftModifier);
        EXPECT_EQ(selectedRows(*list), (QList<int>{1, 2, 3})) << side;
        EXPECT_EQ(shownRows(*list), (QList<int>{1, 2, 3})) << side;

        list->selectionModel()->select(list->model()->index(4, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->selectAll();
        list->selectionModel()->clearSelection();
        EXPECT_EQ(shownRows(*list), (QList<int>{1, 2, 3})) << side;
        EXPECT_EQ(selectedRows(*list), (QList<int>{1, 2, 3})) << side;
    }
}

TEST_F(PaneMouseTest, AClickOnTheEmptyAreaClearsAndFocusesThePane) {
    clickRow(floppyList(), 1);
    clickRow(computerList(), 1);
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::computer);
    click(floppyList(), belowRows(floppyList()));
    EXPECT_TRUE(selectedRows(floppyList()).isEmpty());
    EXPECT_EQ(session().window().focusedPane(), CommanderPane::floppy);
    EXPECT_EQ(selectedRows(computerList()), QList<int>{1});
}

TEST_F(PaneMouseTest, AKeptSelectionCollapsesOnlyWhenNoDoubleClickOrDragFollows) {
    enum class Then { nothing, doubleClick, drag };
    const struct {
        const char* name;
        Then then;
        QList<int> after;
    } cases[] = {
        {"a plain click collapses after the interval", Then::nothing, {2}},
        {"a double click keeps the selection", Then::doubleClick, {1, 2, 3}},
        {"a drag keeps the selection", Then::drag, {1, 2, 3}},
    };
    for (auto [side, list] : sides()) {
        for (const auto& each : cases) {
            clickRow(*list, 1);
            clickRow(*list, 3, Qt::ShiftModifier);
            const QPoint at = rowPoint(*list, 2);
            mouse(*list, QEvent::MouseButtonPress, at);
            if (each.then == Then::drag) {
                mouse(*list, QEvent::MouseMove, at + QPoint(0, 8));
            }
            mouse(*list, QEvent::MouseButtonRelease, at);
            if (each.then == Then::doubleClick) {
                mouse(*list, QEvent::MouseButtonDblClick, at);
                mouse(*list, QEvent::MouseButtonRelease, at);
            }
            EXPECT_EQ(selectedRows(*list), (QList<int>{1, 2, 3})) << side << ": " << each.name;
            waitPastDoubleClick();
            EXPECT_EQ(selectedRows(*list), each.after) << side << ": " << each.name;
            StateEditor(session()).setLastError(std::nullopt);
        }
    }
}

TEST_F(PaneMouseTest, APressStartsOneDragOnceThePointerHasMovedFivePoints) {
    for (auto [side, list] : sides()) {
        drags.clear();
        const QPoint at = rowPoint(*list, 1);
        mouse(*list, QEvent::MouseButtonPress, at);
        mouse(*list, QEvent::MouseMove, at + QPoint(4, 0));
        EXPECT_EQ(drags.size(), 0u) << side << ": 4 points";
        mouse(*list, QEvent::MouseMove, at + QPoint(3, 4));
        EXPECT_EQ(drags.size(), 1u) << side << ": 5 points";
        mouse(*list, QEvent::MouseMove, at + QPoint(30, 12));
        mouse(*list, QEvent::MouseButtonRelease, at + QPoint(30, 12));
        EXPECT_EQ(drags.size(), 1u) << side << ": one drag per press";
        mouse(*list, QEvent::MouseButtonPress, at);
        mouse(*list, QEvent::MouseMove, at + QPoint(0, 6));
        EXPECT_EQ(drags.size(), 2u) << side << ": the next press drags again";
        mouse(*list, QEvent::MouseButtonRelease, at);
    }
}

TEST_F(PaneMouseTest, DragsCarryFileURLsOrFloppyEntriesUnderOurOwnType) {
    clickRow(computerList(), 1);
    clickRow(computerList(), 2, Qt::ControlModifier);
    dragRow(computerList(), 2);
    clickRow(floppyList(), 3);
    dragRow(floppyList(), 3);
    ASSERT_EQ(drags.size(), 2u);

    const QMimeData* files = drags.at(0)->mimeData();
    EXPECT_EQ(files->urls(), (QList<QUrl>{url("b.prg"), url("c.prg")}));
    EXPECT_FALSE(files->hasFormat(floppyEntryMimeType));
    EXPECT_FALSE(drags.at(0)->pixmap().isNull());

    const QMimeData* entries = drags.at(1)->mimeData();
    EXPECT_EQ(entries->data(floppyEntryMimeType), QByteArray("DELTA\tPRG"));
    EXPECT_EQ(entries->text(), "DELTA\tPRG");
    EXPECT_FALSE(entries->hasUrls());
}

} // namespace
} // namespace vellum::testing
