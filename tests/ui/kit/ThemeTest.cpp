#include "KitTestSupport.h"

#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"
#include "ui/panes/FilePane.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QStyle>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

using namespace vellum;
using namespace vellum::testing;

namespace {

// A distinctive platform palette, so that colours taken from it cannot be met by chance.
QPalette oddPlatformPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(250, 240, 230));
    palette.setColor(QPalette::Base, QColor(255, 255, 250));
    palette.setColor(QPalette::Highlight, QColor(200, 40, 120));
    palette.setColor(QPalette::WindowText, QColor(20, 30, 10));
    return palette;
}

QColor backgroundOf(QWidget& widget) {
    widget.resize(80, 40);
    return pixelOf(widget, {40, 20});
}

QColor foregroundOf(QWidget& widget) {
    widget.ensurePolished();
    return widget.palette().color(widget.foregroundRole());
}

} // namespace

TEST(ThemeFonts, ListingFontFallsBackWhenTheC64FontIsMissing) {
    const QFont application(QStringLiteral("DejaVu Sans"), 10);
    const QFont fixed(QStringLiteral("DejaVu Sans Mono"), 9);
    const QStringList withFont{QStringLiteral("DejaVu Sans"), QStringLiteral("C-64")};
    const QStringList withoutFont{QStringLiteral("DejaVu Sans"), QStringLiteral("C64 Pro")};

    for (const AppAppearance c64 : {AppAppearance::classicC64, AppAppearance::modernC64}) {
        const ThemeFonts installed = themeFonts(c64, withFont, application, fixed);
        EXPECT_EQ(installed.listing.family(), c64FontFamily());
        EXPECT_TRUE(installed.usesC64Font);

        const ThemeFonts missing = themeFonts(c64, withoutFont, application, fixed);
        EXPECT_EQ(missing.listing.family(), QStringLiteral("DejaVu Sans Mono"));
        EXPECT_EQ(missing.listing.pointSizeF(), 10) << "the fallback keeps the text size";
        EXPECT_FALSE(missing.usesC64Font);
    }
    const ThemeFonts system = themeFonts(AppAppearance::system, withFont, application, fixed);
    EXPECT_EQ(system.listing.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(system.code.family(), QStringLiteral("DejaVu Sans Mono"));
}

// The C64 font is drawn on an 8-pixel grid: at its sizes, unsmoothed and unhinted, every
// pixel of its text is either the ink or the paper. Smoothing, hinting or a size off the
// grid leave pixels in between or drop whole rows, which read as blur and stripes. The
// labels are made under System and shown after a switch, as when the user changes theme.
TEST(ThemeFonts, TheC64FontIsDrawnInWholePixels) {
    Theme::shared().apply(AppAppearance::system);
    QLabel listing(QStringLiteral("READY. 0% 1 \"/TMP\" 128"));
    setStyleRole(&listing, StyleRole::listing);
    QLabel heading(QStringLiteral("PROGRESS 1 Idle"));
    setStyleRole(&heading, StyleRole::heading);
    Theme::shared().apply(AppAppearance::modernC64);
    if (!Theme::shared().fonts().usesC64Font) {
        GTEST_SKIP() << "the C64 font is not installed";
    }
    for (QLabel* label : {&listing, &heading}) {
        label->show();
        QApplication::processEvents();
        EXPECT_EQ(label->font().family(), c64FontFamily());
        EXPECT_EQ(label->font().pixelSize() % 8, 0) << label->font().pixelSize();
        const QImage image = label->grab().toImage();
        QSet<QRgb> tones;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                tones.insert(image.pixel(x, y));
            }
        }
        ASSERT_EQ(tones.size(), 2) << qPrintable(label->text());
        // At twice its grid every font pixel is a 2 × 2 square, so ink comes in runs of an
        // even length down each column; a dropped or doubled row leaves an odd one.
        if (label->font().pixelSize() != 16) {
            continue;
        }
        const QRgb paper = image.pixel(0, 0);
        int oddRuns = 0;
        for (int x = 0; x < image.width(); ++x) {
            int run = 0;
            for (int y = 0; y <= image.height(); ++y) {
                if (y < image.height() && image.pixel(x, y) != paper) {
                    ++run;
                } else {
                    oddRuns += run % 2;
                    run = 0;
                }
            }
        }
        EXPECT_EQ(oddRuns, 0) << qPrintable(label->text());
    }
}

// Each role must be dressed in every theme: a broken rule (or a syntax error, which makes Qt
// drop the whole sheet) shows up here as a widget in default colours.
TEST(Theme, EveryRoleIsStyledInEveryTheme) {
    struct Case {
        QString role;
        bool background; // else the foreground
        QColor ThemeColors::*expected;
    };
    const QList<Case> cases{
        {StyleRole::pane, true, &ThemeColors::panelBackground},
        {StyleRole::card, true, &ThemeColors::card},
        {StyleRole::heading, false, &ThemeColors::heading},
        {StyleRole::secondary, false, &ThemeColors::secondaryText},
        {StyleRole::title, false, &ThemeColors::text},
        {StyleRole::brand, false, &ThemeColors::text},
        {StyleRole::warning, false, &ThemeColors::warning},
    };
    for (const NamedAppearance& theme : namedAppearances()) {
        Theme::shared().apply(theme.appearance);
        const ThemeColors& colors = Theme::shared().colors();
        for (const Case& probe : cases) {
            QLabel widget(probe.background ? QString() : QStringLiteral("Text"));
            setStyleRole(&widget, probe.role);
            const QColor seen = probe.background ? backgroundOf(widget) : foregroundOf(widget);
            const QColor expected = colors.*probe.expected;
            if (probe.background) {
                EXPECT_TRUE(closeTo(seen, expected)) << theme.name << " " << qPrintable(probe.role)
                                                     << " " << qPrintable(seen.name());
            } else {
                EXPECT_EQ(seen.rgba(), expected.rgba())
                    << theme.name << " " << qPrintable(probe.role);
            }
        }
        QLabel listing(QStringLiteral("\"GAMES\""));
        setStyleRole(&listing, StyleRole::listing);
        listing.ensurePolished();
        EXPECT_EQ(listing.font().family(), Theme::shared().listingFont().family()) << theme.name;

        QPushButton destroy(QStringLiteral("Delete"));
        setStyleFlag(&destroy, "destructive", true);
        const QColor label = theme.appearance == AppAppearance::system ? colors.destructiveFill
                                                                       : colors.destructiveText;
        EXPECT_EQ(foregroundOf(destroy).rgb(), label.rgb()) << theme.name;
    }
}

// The C64 themes are their sheets from the resources over Fusion; System is the desktop's
// style with no sheet at all, so that Qt's style-sheet style never sits over it.
TEST(Theme, OnlyTheC64ThemesApplyAStyleSheet) {
    for (const NamedAppearance& theme : namedAppearances()) {
        Theme::shared().apply(theme.appearance);
        const bool c64 = theme.appearance != AppAppearance::system;
        EXPECT_EQ(qApp->styleSheet(), Theme::styleSheetOf(theme.appearance)) << theme.name;
        EXPECT_EQ(qApp->styleSheet().contains(QStringLiteral("QPushButton")), c64) << theme.name;
        QPushButton button(QStringLiteral("Save"));
        button.ensurePolished();
        EXPECT_EQ(button.style()->inherits("QStyleSheetStyle"), c64) << theme.name;
        if (c64) {
            EXPECT_TRUE(closeTo(backgroundOf(button), Theme::shared().colors().buttonFill))
                << theme.name;
        }
    }
}

TEST(Theme, SwitchingRestylesOpenWidgetsAndDialogsAtOnce) {
    Theme::shared().apply(AppAppearance::classicC64);
    QWidget window;
    window.resize(200, 120);
    auto* pane = new NavigatorPane(&window);
    pane->setGeometry(10, 10, 180, 100);
    window.show();
    QDialog dialog(&window);
    dialog.resize(120, 80);
    dialog.open();
    QSignalSpy changes(&Theme::shared(), &Theme::changed);

    for (const auto& [appearance, ground] :
         {std::pair{AppAppearance::modernC64, QColor(15, 28, 50)},
          {AppAppearance::classicC64, QColor(46, 74, 166)}}) {
        Theme::shared().apply(appearance);
        EXPECT_TRUE(closeTo(pixelOf(window, {100, 60}), ground));
        EXPECT_TRUE(closeTo(pixelOf(dialog, {60, 40}), ground));
        EXPECT_EQ(pixelOf(window, {3, 3}), Theme::shared().colors().windowBackground);
    }
    EXPECT_EQ(changes.count(), 2);

    Theme::shared().apply(AppAppearance::system);
    const QColor platformWindow = Theme::shared().colors().windowBackground;
    EXPECT_NE(platformWindow, QColor(46, 74, 166));
    EXPECT_EQ(pixelOf(dialog, {60, 40}), platformWindow) << "System leaves dialogs to the platform";
    EXPECT_TRUE(closeTo(pixelOf(window, {100, 60}), Theme::shared().colors().panelBackground));
}

TEST(Theme, SystemFollowsTheDesktopChangingItsColours) {
    Theme::shared().apply(AppAppearance::system);
    const QPalette before = QApplication::palette();
    QFrame pane;
    setStyleRole(&pane, StyleRole::pane);
    QSignalSpy changes(&Theme::shared(), &Theme::changed);

    QApplication::setPalette(oddPlatformPalette());
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
    const ThemeColors& colors = Theme::shared().colors();
    EXPECT_EQ(colors.windowBackground, QColor(250, 240, 230));
    EXPECT_EQ(colors.selection, QColor(200, 40, 120));
    EXPECT_EQ(colors.text, QColor(20, 30, 10));
    EXPECT_TRUE(closeTo(backgroundOf(pane), QColor(255, 255, 250)));

    Theme::shared().apply(AppAppearance::classicC64);
    QApplication::setPalette(oddPlatformPalette());
    QCoreApplication::processEvents();
    EXPECT_EQ(Theme::shared().colors().windowBackground, QColor(107, 143, 212))
        << "the C64 themes ignore the desktop";
    Theme::shared().apply(AppAppearance::system);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), before.color(QPalette::Window));
}
