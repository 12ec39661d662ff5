#include "KitTestSupport.h"

#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

// A one-symbol freedesktop icon theme whose "go-up" is solid red.
class RedIconTheme {
public:
    RedIconTheme() {
        const QString themeDir = folder.filePath(QStringLiteral("VellumRed"));
        QDir().mkpath(themeDir + QStringLiteral("/16x16/actions"));
        QFile index(themeDir + QStringLiteral("/index.theme"));
        index.open(QIODevice::WriteOnly);
        index.write("[Icon Theme]\nName=VellumRed\nDirectories=16x16/actions\n\n"
                    "[16x16/actions]\nSize=16\nType=Fixed\n");
        index.close();
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(QColor(255, 0, 0));
        red.save(themeDir + QStringLiteral("/16x16/actions/go-up.png"));
        QIcon::setThemeSearchPaths({folder.path()});
        QIcon::setThemeName(QStringLiteral("VellumRed"));
    }
    ~RedIconTheme() {
        QIcon::setThemeSearchPaths(previousPaths);
        QIcon::setThemeName(previousName);
    }

private:
    QTemporaryDir folder;
    const QStringList previousPaths = QIcon::themeSearchPaths();
    const QString previousName = QIcon::themeName();
};

} // namespace

TEST(Icons, EverySymbolDrawsInTheThemesTextColourAtEverySize) {
    for (const NamedAppearance& theme : namedAppearances()) {
        Theme::shared().apply(theme.appearance);
        const QColor text = Theme::shared().colors().text;
        for (const IconName name : allIconNames()) {
            const QIcon icon = themedIcon(name);
            ASSERT_FALSE(icon.isNull()) << theme.name << " " << qPrintable(bundledIconPath(name));
            for (const int side : {16, 20, 28}) {
                const QImage image = icon.pixmap(side, side).toImage();
                ASSERT_EQ(image.width(), side);
                const int painted = paintedPixels(image);
                EXPECT_GT(painted, side * side / 16) << qPrintable(bundledIconPath(name)) << side;
                EXPECT_LT(painted, side * side) << "a symbol, not a filled square";
                EXPECT_TRUE(closeTo(strongestPixel(image), text, 2))
                    << theme.name << " " << qPrintable(bundledIconPath(name));
            }
        }
    }
}

TEST(Icons, IconsFollowLaterThemeChangesAndFixedTintsStay) {
    Theme::shared().apply(AppAppearance::classicC64);
    const QIcon trash = themedIcon(IconName::trash);
    const QIcon green = tintedIcon(IconName::checkCircle, QColor(0, 200, 0));
    const QIcon logo = appLogoIcon();
    const QImage logoBefore = logo.pixmap(32, 32).toImage();
    EXPECT_EQ(strongestPixel(trash.pixmap(20, 20).toImage()), QColor(255, 255, 255));

    Theme::shared().apply(AppAppearance::modernC64);
    EXPECT_TRUE(closeTo(strongestPixel(trash.pixmap(20, 20).toImage()), QColor(129, 212, 250), 2));
    EXPECT_TRUE(closeTo(strongestPixel(green.pixmap(20, 20).toImage()), QColor(0, 200, 0), 2));
    EXPECT_EQ(logo.pixmap(32, 32).toImage(), logoBefore) << "the logo keeps its own colours";

    const QImage disabled = trash.pixmap(QSize(20, 20), QIcon::Disabled).toImage();
    EXPECT_LT(strongestPixel(disabled).alpha(), 128);
    EXPECT_NE(driveTransferIcon(true).pixmap(24, 24).toImage(),
              driveTransferIcon(false).pixmap(24, 24).toImage());
}

TEST(Icons, SystemUsesTheIconThemeWhereItHasTheSymbol) {
    RedIconTheme iconTheme;
    const QIcon up = themedIcon(IconName::up);
    const QIcon drive = themedIcon(IconName::drive);

    Theme::shared().apply(AppAppearance::system);
    EXPECT_EQ(strongestPixel(up.pixmap(16, 16).toImage()), QColor(255, 0, 0));
    EXPECT_TRUE(
        closeTo(strongestPixel(drive.pixmap(16, 16).toImage()), Theme::shared().colors().text, 2))
        << "a symbol the icon theme lacks comes from the bundled set";

    Theme::shared().apply(AppAppearance::classicC64);
    EXPECT_EQ(strongestPixel(up.pixmap(16, 16).toImage()), QColor(255, 255, 255))
        << "the C64 themes always draw the bundled set";
}
