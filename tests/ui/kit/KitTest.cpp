#include "KitTestSupport.h"
#include "ui/kit/CompactActionButton.h"
#include "ui/kit/Icons.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/panes/FilePane.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

using namespace vellum;
using namespace vellum::testing;

TEST(ThemeFonts, ListingFontFallsBackWhenTheC64FontIsMissing) {
    const QFont application(QStringLiteral("DejaVu Sans"), 10);
    const QFont fixed(QStringLiteral("DejaVu Sans Mono"), 9);
    const QStringList withFont{QStringLiteral("DejaVu Sans"), QStringLiteral("C-64")};
    const QStringList withoutFont{QStringLiteral("DejaVu Sans")};
    for (const AppAppearance c64 : {AppAppearance::classicC64, AppAppearance::modernC64}) {
        EXPECT_EQ(themeFonts(c64, withFont, application, fixed).listing.family(), c64FontFamily());
        const ThemeFonts missing = themeFonts(c64, withoutFont, application, fixed);
        EXPECT_EQ(missing.listing.family(), QStringLiteral("DejaVu Sans Mono"));
        EXPECT_EQ(missing.listing.pointSizeF(), 10) << "the fallback keeps the text size";
        EXPECT_FALSE(missing.usesC64Font);
    }
    const ThemeFonts system = themeFonts(AppAppearance::system, withFont, application, fixed);
    EXPECT_EQ(system.listing.family(), QStringLiteral("DejaVu Sans"));
}

// Each role must be dressed in every theme: a broken rule (or a syntax error, which makes Qt
// drop the whole sheet) shows up here as a widget in default colours. The C64 themes are their
// sheets over Fusion; System is the desktop's style with no sheet at all.
TEST(Theme, EveryRoleIsStyledAndOnlyTheC64ThemesApplyASheet) {
    const QList<std::tuple<QString, bool, QColor ThemeColors::*>> cases{
        {StyleRole::pane, true, &ThemeColors::panelBackground},
        {StyleRole::card, true, &ThemeColors::card},
        {StyleRole::heading, false, &ThemeColors::heading},
        {StyleRole::secondary, false, &ThemeColors::secondaryText},
        {StyleRole::title, false, &ThemeColors::text},
        {StyleRole::warning, false, &ThemeColors::warning},
    };
    for (const AppAppearance appearance : allAppearances()) {
        const std::string theme = storedText(appearance).toStdString();
        Theme::shared().apply(appearance);
        const ThemeColors& colors = Theme::shared().colors();
        const bool c64 = appearance != AppAppearance::system;
        for (const auto& [role, background, expected] : cases) {
            QLabel widget(background ? QString() : QStringLiteral("Text"));
            setStyleRole(&widget, role);
            widget.resize(80, 40);
            widget.ensurePolished();
            const QColor seen = background ? pixelOf(widget, {40, 20})
                                           : widget.palette().color(widget.foregroundRole());
            EXPECT_TRUE(closeTo(seen, colors.*expected, background ? 6 : 0))
                << theme << " " << qPrintable(role);
        }
        QPushButton destroy(QStringLiteral("Delete"));
        setStyleFlag(&destroy, "destructive", true);
        destroy.ensurePolished();
        EXPECT_EQ(destroy.palette().color(destroy.foregroundRole()).rgb(),
                  (c64 ? colors.destructiveText : colors.destructiveFill).rgb())
            << theme;
        EXPECT_EQ(qApp->styleSheet(), Theme::styleSheetOf(appearance)) << theme;
        EXPECT_EQ(qApp->styleSheet().contains(QStringLiteral("QPushButton")), c64) << theme;
        EXPECT_EQ(destroy.style()->inherits("QStyleSheetStyle"), c64) << theme;
    }
}

TEST(Theme, SwitchingRestylesOpenWindowsAndSystemFollowsTheDesktop) {
    Theme::shared().apply(AppAppearance::classicC64);
    QWidget window;
    window.resize(200, 120);
    auto* pane = new NavigatorPane(&window);
    pane->setGeometry(10, 10, 180, 100);
    window.show();
    QDialog dialog(&window);
    dialog.resize(120, 80);
    dialog.open();
    for (const AppAppearance appearance : {AppAppearance::modernC64, AppAppearance::classicC64}) {
        Theme::shared().apply(appearance);
        const ThemeColors& colors = Theme::shared().colors();
        EXPECT_TRUE(closeTo(pixelOf(window, {100, 60}), colors.panelBackground));
        EXPECT_TRUE(closeTo(pixelOf(dialog, {60, 40}), colors.panelBackground));
        EXPECT_EQ(pixelOf(window, {3, 3}), colors.windowBackground);
    }
    const QColor c64Window = Theme::shared().colors().windowBackground;

    // A distinctive platform palette, so that colours taken from it cannot be met by chance.
    Theme::shared().apply(AppAppearance::system);
    const QPalette before = QApplication::palette();
    QPalette odd;
    odd.setColor(QPalette::Window, QColor(250, 240, 230));
    odd.setColor(QPalette::Highlight, QColor(200, 40, 120));
    QApplication::setPalette(odd);
    QCoreApplication::processEvents();
    EXPECT_EQ(Theme::shared().colors().windowBackground, QColor(250, 240, 230));
    EXPECT_EQ(Theme::shared().colors().selection, QColor(200, 40, 120));
    EXPECT_EQ(pixelOf(dialog, {60, 40}), QColor(250, 240, 230))
        << "System leaves dialogs to the platform";
    Theme::shared().apply(AppAppearance::classicC64);
    QApplication::setPalette(odd);
    QCoreApplication::processEvents();
    EXPECT_EQ(Theme::shared().colors().windowBackground, c64Window) << "C64 ignores the desktop";
    Theme::shared().apply(AppAppearance::system);
    QApplication::setPalette(before);
}

// Icons made once follow every later theme change, as the toolbars make theirs at start-up.
TEST(Icons, EverySymbolDrawsInTheCurrentThemesTextColour) {
    Theme::shared().apply(AppAppearance::classicC64);
    QList<QIcon> icons;
    for (const IconName name : allIconNames()) {
        icons << themedIcon(name);
        ASSERT_FALSE(icons.last().isNull()) << qPrintable(bundledIconPath(name));
    }
    for (const AppAppearance appearance : allAppearances()) {
        const std::string theme = storedText(appearance).toStdString();
        Theme::shared().apply(appearance);
        for (qsizetype i = 0; i < icons.size(); ++i) {
            for (const int side : {16, 28}) {
                const Ink ink = inkOf(icons.at(i).pixmap(side, side).toImage());
                EXPECT_GT(ink.painted, side * side / 16) << theme << " icon " << i;
                EXPECT_LT(ink.painted, side * side) << "a symbol, not a filled square";
                EXPECT_TRUE(closeTo(ink.strongest, Theme::shared().colors().text, 2))
                    << theme << " icon " << i;
            }
        }
    }
}

TEST(VellumProgressBar, ClampsAndSpeaksTheWholePercentage) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QList<std::tuple<double, double, int>> cases{
        {0.999, 0.999, 99}, {1.7, 1.0, 100}, {-0.25, 0.0, 0}, {inf, 1.0, 100}, {nan, 0.0, 0},
    };
    VellumProgressBar bar;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::ProgressBar);
    for (const auto& [given, shown, percent] : cases) {
        bar.setProgress(given);
        EXPECT_EQ(bar.progress(), shown) << given;
        EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), percent) << given;
    }
}

TEST(KitButtons, UntitledButtonsKeepTheirAccessibleName) {
    CompactActionButton untitled(themedIcon(IconName::stop), QStringLiteral("Stop"));
    untitled.setShowsTitle(false);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&untitled)->text(QAccessible::Name),
              QStringLiteral("Stop"));
}
