#include "session/PaneSelection.h"

#include <QUrl>
#include <QUuid>

#include <gtest/gtest.h>

using namespace vellum;

namespace {

using LocalSelection = PaneSelection<QUrl>;

QUrl row(int n) {
    return QUrl::fromLocalFile(QStringLiteral("/f/%1").arg(n));
}

QList<QUrl> rows(int count) {
    QList<QUrl> result;
    for (int n = 0; n < count; ++n)
        result << row(n);
    return result;
}

constexpr SelectionModifiers plain{};
constexpr SelectionModifiers shift{false, true};
constexpr SelectionModifiers command{true, false};
constexpr SelectionModifiers commandShift{true, true};

} // namespace

TEST(PaneSelectionTest, PlainClickSelectsOneAndKeepsAMultipleSelectionForDragging) {
    const QList<QUrl> visible = rows(5);
    LocalSelection selection;
    EXPECT_FALSE(clickSelection(selection, visible, row(1), plain));
    EXPECT_EQ(selection, (LocalSelection{{row(1)}, row(1)}));

    // Clicking the only selected row again is an ordinary click.
    EXPECT_FALSE(clickSelection(selection, visible, row(1), plain));

    selection = {{row(1), row(2), row(3)}, row(1)};
    EXPECT_TRUE(clickSelection(selection, visible, row(3), plain));
    EXPECT_EQ(selection, (LocalSelection{{row(1), row(2), row(3)}, row(3)}));

    // A row outside the selection replaces it.
    EXPECT_FALSE(clickSelection(selection, visible, row(4), plain));
    EXPECT_EQ(selection, (LocalSelection{{row(4)}, row(4)}));
}

TEST(PaneSelectionTest, ShiftSelectsTheRangeFromTheAnchor) {
    const QList<QUrl> visible = rows(6);
    LocalSelection selection{{row(4)}, row(4)};
    EXPECT_FALSE(clickSelection(selection, visible, row(1), shift));
    EXPECT_EQ(selection, (LocalSelection{{row(1), row(2), row(3), row(4)}, row(4)}));

    // The range replaces the selection, the anchor stays put.
    clickSelection(selection, visible, row(5), shift);
    EXPECT_EQ(selection, (LocalSelection{{row(4), row(5)}, row(4)}));

    // Command-shift adds the range to what is selected.
    selection = {{row(0)}, row(2)};
    clickSelection(selection, visible, row(3), commandShift);
    EXPECT_EQ(selection, (LocalSelection{{row(0), row(2), row(3)}, row(2)}));

    // Without an anchor the clicked row is both ends and becomes the anchor.
    selection = {};
    clickSelection(selection, visible, row(2), shift);
    EXPECT_EQ(selection, (LocalSelection{{row(2)}, row(2)}));

    // An anchor that is filtered out counts as absent for the range.
    selection = {{row(9)}, row(9)};
    clickSelection(selection, visible, row(3), shift);
    EXPECT_EQ(selection.selected, QSet<QUrl>({row(3)}));

    // A row that is not listed changes nothing.
    selection = {{row(1)}, row(1)};
    clickSelection(selection, visible, row(7), shift);
    EXPECT_EQ(selection, (LocalSelection{{row(1)}, row(1)}));
}

TEST(PaneSelectionTest, CommandTogglesAndMovesALostAnchor) {
    const QList<QUrl> visible = rows(4);
    LocalSelection selection{{row(0)}, row(0)};
    EXPECT_FALSE(clickSelection(selection, visible, row(2), command));
    EXPECT_EQ(selection, (LocalSelection{{row(0), row(2)}, row(2)}));

    clickSelection(selection, visible, row(2), command);
    EXPECT_EQ(selection, (LocalSelection{{row(0)}, row(0)}));

    // Removing a row that is not the anchor leaves the anchor alone.
    selection = {{row(0), row(1), row(3)}, row(3)};
    clickSelection(selection, visible, row(1), command);
    EXPECT_EQ(selection, (LocalSelection{{row(0), row(3)}, row(3)}));

    clickSelection(selection, visible, row(0), command);
    clickSelection(selection, visible, row(3), command);
    EXPECT_EQ(selection, LocalSelection{});
}

TEST(PaneSelectionTest, SelectAllPruneAndEffectiveAnchor) {
    const QList<QUrl> visible = rows(3);
    LocalSelection selection{{}, row(2)};
    selectAllRows(selection, visible);
    EXPECT_EQ(selection, (LocalSelection{{row(0), row(1), row(2)}, row(2)}));

    selection = {{}, row(8)};
    selectAllRows(selection, visible);
    EXPECT_EQ(selection.anchor, row(0));

    selectAllRows(selection, {});
    EXPECT_EQ(selection, LocalSelection{});

    // Rows that vanished leave the selection; the anchor moves to one that stayed.
    selection = {{row(1), row(2), row(7)}, row(7)};
    pruneSelection(selection, visible);
    EXPECT_EQ(selection, (LocalSelection{{row(1), row(2)}, row(1)}));

    selection = {{row(7)}, row(7)};
    pruneSelection(selection, visible);
    EXPECT_EQ(selection, LocalSelection{});

    EXPECT_EQ(effectiveAnchor({{row(1), row(2)}, row(2)}, visible), row(2));
    EXPECT_EQ(effectiveAnchor({{row(1), row(2)}, row(0)}, visible), row(1));
    EXPECT_EQ(effectiveAnchor({{}, row(0)}, visible), std::nullopt);
}
