#include "ui/window/ToolbarRow.h"

#include "ui/kit/CompactActionButton.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace vellum;

TEST(ToolbarRow, DropsEveryTitleRatherThanClipOne) {
    Theme::shared().apply(AppAppearance::modernC64);
    QWidget host;
    ToolbarRow row(&host);
    for (const char* title : {"Directory", "Save", "Write", "Format", "Init", "Reset"}) {
        row.addButton(themedIcon(IconName::directory), QString::fromLatin1(title));
    }
    host.show();
    const int titled = row.sizeHint().width();
    const int bare = row.minimumSizeHint().width();
    ASSERT_LT(bare, titled);

    for (const int width : {titled + 40, titled, titled - 1, bare, titled + 1}) {
        row.resize(width, row.sizeHint().height());
        QApplication::processEvents();
        const bool fits = width >= titled;
        EXPECT_EQ(row.showsTitles(), fits) << width;
        for (CompactActionButton* button : row.buttons()) {
            EXPECT_EQ(button->showsTitle(), fits) << width;
            // Titled or not, every button sits wholly inside the row.
            EXPECT_LE(button->geometry().right(), row.width()) << width;
        }
    }
    // Asking for sizes does not disturb the buttons.
    EXPECT_EQ(row.sizeHint().width(), titled);
    EXPECT_TRUE(row.buttons().first()->showsTitle());
}
