#include "session/PaneSelection.h"

#include <QUrl>
#include <QUuid>

#include <gtest/gtest.h>

using namespace vellum;

namespace {

using ComputerSelection = PaneSelection<QUrl>;

QUrl row(int n) {
    return QUrl::fromLocalFile(QStringLiteral("/f/%1").arg(n));
}

QList<QUrl> rows(int count) {
    QList<QUrl> result;
    for (int n = 0; n < count; ++n) {
        result << row(n);
    }
    return result;
}

// The rows named by the digits of `selected`, and the anchor row (none when negative).
ComputerSelection sel(const char* selected, int anchor = -1) {
    ComputerSelection made;
    for (const char* digit = selected; *digit; ++digit) {
        made.selected.insert(row(*digit - '0'));
    }
    if (anchor >= 0) {
        made.anchor = row(anchor);
    }
    return made;
}

constexpr SelectionModifiers plain{};
constexpr SelectionModifiers shift{false, true};
constexpr SelectionModifiers command{true, false};
constexpr SelectionModifiers commandShift{true, true};

} // namespace

TEST(PaneSelectionTest, ClicksFollowTheModifiersAndTheAnchor) {
    struct Case {
        const char* what;
        ComputerSelection before;
        int clicked;
        SelectionModifiers modifiers;
        ComputerSelection after;
        bool keptForDrag = false;
    };
    const QList<Case> cases{
        {"plain selects one", sel(""), 1, plain, sel("1", 1)},
        {"plain on the only selected row", sel("1", 1), 1, plain, sel("1", 1)},
        {"plain inside a multiple selection keeps it for a drag", sel("123", 1), 3, plain,
         sel("123", 3), true},
        {"plain outside replaces", sel("123", 3), 4, plain, sel("4", 4)},
        {"shift ranges from the anchor", sel("4", 4), 1, shift, sel("1234", 4)},
        {"shift replaces, anchor stays", sel("1234", 4), 5, shift, sel("45", 4)},
        {"command-shift adds the range", sel("0", 2), 3, commandShift, sel("023", 2)},
        {"shift without anchor", sel(""), 2, shift, sel("2", 2)},
        {"shift on an unlisted row", sel("1", 1), 7, shift, sel("1", 1)},
        {"command adds", sel("0", 0), 2, command, sel("02", 2)},
        {"command removes the anchor", sel("02", 2), 2, command, sel("0", 0)},
        {"command removes another row", sel("013", 3), 1, command, sel("03", 3)},
        {"command removes the last row", sel("3", 3), 3, command, sel("")},
        // An anchor that is filtered out counts as absent for the range.
        {"shift from a hidden anchor", sel("9", 9), 3, shift, sel("3", 3)},
    };
    for (const Case& test : cases) {
        ComputerSelection selection = test.before;
        EXPECT_EQ(clickSelection(selection, rows(6), row(test.clicked), test.modifiers),
                  test.keptForDrag)
            << test.what;
        EXPECT_EQ(selection, test.after) << test.what;
    }
}

TEST(PaneSelectionTest, SelectAllPruneAndEffectiveAnchor) {
    const QList<QUrl> visible = rows(3);
    ComputerSelection selection = sel("", 2);
    selectAllRows(selection, visible);
    EXPECT_EQ(selection, sel("012", 2));
    selection = sel("", 8);
    selectAllRows(selection, visible);
    EXPECT_EQ(selection.anchor, row(0));
    selectAllRows(selection, {});
    EXPECT_EQ(selection, sel(""));

    // Rows that vanished leave the selection; the anchor moves to one that stayed.
    selection = sel("127", 7);
    pruneSelection(selection, visible);
    EXPECT_EQ(selection, sel("12", 1));
    selection = sel("7", 7);
    pruneSelection(selection, visible);
    EXPECT_EQ(selection, sel(""));

    EXPECT_EQ(effectiveAnchor(sel("12", 2), visible), row(2));
    EXPECT_EQ(effectiveAnchor(sel("12", 0), visible), row(1));
    EXPECT_EQ(effectiveAnchor(sel("", 0), visible), std::nullopt);
}
