#include "PanesFixture.h"
#include "ui/kit/FactLine.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/panes/PaneOverlays.h"

#include <QCheckBox>

namespace vellum::testing {
namespace {

// The whole texts a pane shows in its one-line labels, footers and visible empty state.
QStringList textsOf(QWidget* pane) {
    QStringList texts;
    for (ElidedLabel* label : pane->findChildren<ElidedLabel*>()) {
        texts << label->fullText();
    }
    for (FactLine* line : pane->findChildren<FactLine*>()) {
        texts << line->fullText();
    }
    for (EmptyStateView* view : pane->findChildren<EmptyStateView*>()) {
        if (view->isVisible()) {
            texts << view->title();
        }
    }
    return texts;
}

// The session words the titles, footers and empty states; the panes must show the current ones.
TEST_F(PanesTest, TitlesFootersEmptyStatesAndFiltersFollowTheSession) {
    put("a.prg", program(0x0801, pattern(300, 1)));
    showPanes();
    ComputerPaneState& computer = session().computer();
    FloppyPaneState& floppy = session().floppy();
    EXPECT_TRUE(textsOf(floppyPane).contains(floppy.emptyStateTitle()));
    EXPECT_FALSE(textsOf(computerPane).contains(computer.emptyStateText()));
    clickRow(computerList(), 0);
    EXPECT_TRUE(textsOf(computerPane).contains(computer.footerText()));

    StateEditor(session()).setDeviceNumber(9);
    showFloppy({"ONE", "TWO"}, 0, 662);
    clickRow(floppyList(), 0);
    EXPECT_FALSE(textsOf(floppyPane).contains(floppy.emptyStateTitle()));
    EXPECT_TRUE(textsOf(floppyPane).contains("662 BLOCKS FREE."));
    EXPECT_TRUE(textsOf(floppyPane).contains(floppy.fileCountText()));
    const QList<PaneChromeTitle*> titles = window->findChildren<PaneChromeTitle*>();
    ASSERT_EQ(titles.size(), 2);
    EXPECT_EQ(titles.at(1)->titleToolTip(), floppy.floppyPaneTitle());
    EXPECT_TRUE(titles.at(1)->title().contains("9")) << titles.at(1)->title().toStdString();
    EXPECT_EQ(titles.at(0)->title(), computer.computerPaneTitle());

    QCheckBox* d64 = nullptr;
    for (QCheckBox* check : computerPane->findChildren<QCheckBox*>()) {
        d64 = check->text().startsWith(".d64") ? check : d64;
    }
    ASSERT_NE(d64, nullptr);
    d64->click();
    EXPECT_TRUE(computer.filterD64());
    EXPECT_TRUE(textsOf(computerPane).contains(computer.emptyStateText()));
    computer.setFilterD64(false);
    EXPECT_FALSE(d64->isChecked());
}

} // namespace
} // namespace vellum::testing
