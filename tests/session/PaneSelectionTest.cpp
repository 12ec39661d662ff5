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
        {"plain selects one", {}, 1, plain, {{row(1)}, row(1)}},
        {"plain on the only selected row", {{row(1)}, row(1)}, 1, plain, {{row(1)}, row(1)}},
        {"plain inside a multiple selection keeps it for a drag",
         {{row(1), row(2), row(3)}, row(1)},
         3,
         plain,
         {{row(1), row(2), row(3)}, row(3)},
         true},
        {"plain outside replaces",
         {{row(1), row(2), row(3)}, row(3)},
         4,
         plain,
         {{row(4)}, row(4)}},
        {"shift ranges from the anchor",
         {{row(4)}, row(4)},
         1,
         shift,
         {{row(1), row(2), row(3), row(4)}, row(4)}},
        {"shift replaces, anchor stays",
         {{row(1), row(2), row(3), row(4)}, row(4)},
         5,
         shift,
         {{row(4), row(5)}, row(4)}},
        {"command-shift adds the range",
         {{row(0)}, row(2)},
         3,
         commandShift,
         {{row(0), row(2), row(3)}, row(2)}},
        {"shift without anchor", {}, 2, shift, {{row(2)}, row(2)}},
        {"shift on an unlisted row", {{row(1)}, row(1)}, 7, shift, {{row(1)}, row(1)}},
        {"command adds", {{row(0)}, row(0)}, 2, command, {{row(0), row(2)}, row(2)}},
        {"command removes the anchor", {{row(0), row(2)}, row(2)}, 2, command, {{row(0)}, row(0)}},
        {"command removes another row",
         {{row(0), row(1), row(3)}, row(3)},
         1,
         command,
         {{row(0), row(3)}, row(3)}},
        {"command removes the last row", {{row(3)}, row(3)}, 3, command, {}},
    };
    for (const Case& test : cases) {
        ComputerSelection selection = test.before;
        EXPECT_EQ(clickSelection(selection, rows(6), row(test.clicked), test.modifiers),
                  test.keptForDrag)
            << test.what;
        EXPECT_EQ(selection, test.after) << test.what;
    }

    // An anchor that is filtered out counts as absent for the range.
    ComputerSelection selection{{row(9)}, row(9)};
    clickSelection(selection, rows(6), row(3), shift);
    EXPECT_EQ(selection.selected, QSet<QUrl>({row(3)}));
}

TEST(PaneSelectionTest, SelectAllPruneAndEffectiveAnchor) {
    const QList<QUrl> visible = rows(3);
    ComputerSelection selection{{}, row(2)};
    selectAllRows(selection, visible);
    EXPECT_EQ(selection, (ComputerSelection{{row(0), row(1), row(2)}, row(2)}));

    selection = {{}, row(8)};
    selectAllRows(selection, visible);
    EXPECT_EQ(selection.anchor, row(0));

    selectAllRows(selection, {});
    EXPECT_EQ(selection, ComputerSelection{});

    // Rows that vanished leave the selection; the anchor moves to one that stayed.
    selection = {{row(1), row(2), row(7)}, row(7)};
    pruneSelection(selection, visible);
    EXPECT_EQ(selection, (ComputerSelection{{row(1), row(2)}, row(1)}));

    selection = {{row(7)}, row(7)};
    pruneSelection(selection, visible);
    EXPECT_EQ(selection, ComputerSelection{});

    EXPECT_EQ(effectiveAnchor({{row(1), row(2)}, row(2)}, visible), row(2));
    EXPECT_EQ(effectiveAnchor({{row(1), row(2)}, row(0)}, visible), row(1));
    EXPECT_EQ(effectiveAnchor({{}, row(0)}, visible), std::nullopt);
}
