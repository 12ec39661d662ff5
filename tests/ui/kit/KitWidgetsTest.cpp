#include "KitTestSupport.h"

#include "ui/kit/AppBrandMark.h"
#include "ui/kit/CompactActionButton.h"
#include "ui/kit/FactLine.h"
#include "ui/kit/IconButton.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/panes/FilePane.h"
#include "ui/window/StatusPanel.h"

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vellum;
using namespace vellum::testing;

TEST(VellumProgressBar, ClampsAndSpeaksTheWholePercentage) {
    Theme::shared().apply(AppAppearance::modernC64);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QList<std::tuple<double, double, int>> cases{
        {0.0, 0.0, 0},   {0.29, 0.29, 29}, {0.57, 0.57, 57}, {0.999, 0.999, 99}, {1.0, 1.0, 100},
        {1.7, 1.0, 100}, {-0.25, 0.0, 0},  {inf, 1.0, 100},  {-inf, 0.0, 0},     {nan, 0.0, 0},
    };
    // In a window, as in the status panel: the track is drawn over the window's ground.
    QWidget window;
    window.resize(200, 8);
    VellumProgressBar bar(&window);
    bar.resize(200, 8);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::ProgressBar);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Progress"));
    for (const auto& [given, shown, percent] : cases) {
        bar.setProgress(given);
        EXPECT_EQ(bar.progress(), shown) << given;
        EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), percent) << given;
    }

    // The fill reaches progress × width from the leading edge; the rest is the faint track.
    bar.setProgress(0.5);
    const ThemeColors& colors = Theme::shared().colors();
    const QImage image = window.grab().toImage();
    EXPECT_TRUE(closeTo(image.pixelColor(60, 4), colors.progressFill));
    EXPECT_FALSE(closeTo(image.pixelColor(140, 4), colors.progressFill, 30));
    bar.setLayoutDirection(Qt::RightToLeft);
    EXPECT_TRUE(closeTo(window.grab().toImage().pixelColor(140, 4), colors.progressFill));
}

TEST(KitButtons, DisabledButtonsAreDimmedAndIgnoreClicks) {
    Theme::shared().apply(AppAppearance::classicC64);
    CompactActionButton titled(themedIcon(IconName::trash), QStringLiteral("Delete"));
    CompactActionButton untitled(themedIcon(IconName::stop), QStringLiteral("Stop"));
    untitled.setShowsTitle(false);
    // The self-drawn buttons; the icon buttons are Qt's own tool buttons.
    for (KitButton* button : QList<KitButton*>{&titled, &untitled}) {
        button->resize(button->sizeHint());
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(clicks.count(), 1);
        const QImage enabledLook = button->grab().toImage();

        button->setEnabled(false);
        QTest::mouseClick(button, Qt::LeftButton);
        button->click();
        EXPECT_EQ(clicks.count(), 1) << "a disabled button is inert";
        EXPECT_LT(strongestContrast(button->grab().toImage()), strongestContrast(enabledLook))
            << "a disabled button is drawn dimmed";
    }
    EXPECT_LT(untitled.sizeHint().height(), titled.sizeHint().height());

    IconButton header(IconName::sidebarShow, IconButton::Kind::header);
    header.setHelp(QStringLiteral("Show status"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&header)->text(QAccessible::Name),
              QStringLiteral("Show status"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&untitled)->text(QAccessible::Name),
              QStringLiteral("Stop"))
        << "a button without a visible title is still named by it";
}

TEST(KitWidgets, TheBrandMarkAsksForAboutWhereverItIsClicked) {
    AppBrandMark brand(false);
    QSignalSpy about(&brand, &AppBrandMark::aboutRequested);
    brand.show();
    const QList<QLabel*> labels = brand.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_TRUE(labels[1]->isVisible());
    const QSize full = brand.sizeHint();
    QTest::mouseClick(&brand, Qt::LeftButton, {}, QPoint(20, full.height() / 2));
    EXPECT_EQ(about.count(), 1) << "a click on the logo asks for About";

    brand.setCompact(true);
    EXPECT_FALSE(labels[1]->isVisible());
    EXPECT_LT(brand.sizeHint().height(), full.height());
    QTest::mouseClick(&brand, Qt::LeftButton, {}, labels[0]->geometry().center());
    EXPECT_EQ(about.count(), 2) << "so does a click on the name";
}

TEST(KitWidgets, PaneFrameShowsTheDropTargetState) {
    for (const NamedAppearance& theme : namedAppearances()) {
        Theme::shared().apply(theme.appearance);
        NavigatorPane pane;
        pane.resize(120, 80);
        const ThemeColors& colors = Theme::shared().colors();
        EXPECT_TRUE(closeTo(pixelOf(pane, {60, 40}), colors.panelBackground)) << theme.name;
        pane.setHighlighted(true);
        EXPECT_TRUE(closeTo(pixelOf(pane, {60, 40}), colors.dropTargetFill)) << theme.name;
        EXPECT_TRUE(closeTo(pixelOf(pane, {60, 1}), colors.dropTargetBorder, 40)) << theme.name;
        pane.setHighlighted(false);
        EXPECT_TRUE(closeTo(pixelOf(pane, {60, 40}), colors.panelBackground)) << theme.name;

        // A row under a drag wears the same look.
        QImage row(200, 20, QImage::Format_ARGB32_Premultiplied);
        row.fill(colors.panelBackground);
        QPainter painter(&row);
        paintDropTarget(painter, row.rect());
        painter.end();
        EXPECT_TRUE(closeTo(row.pixelColor(100, 10), colors.dropTargetFill)) << theme.name;
        EXPECT_TRUE(closeTo(row.pixelColor(100, 0), colors.dropTargetBorder, 40)) << theme.name;
    }
}

TEST(KitWidgets, LongTitlesShortenAndKeepTheirTooltips) {
    ElidedLabel label(QStringLiteral("/home/someone/Commodore/collections/games-1984"));
    label.resize(60, 20);
    label.show();
    EXPECT_TRUE(label.isElided());
    EXPECT_TRUE(label.text().endsWith(QChar(0x2026)));
    EXPECT_EQ(label.toolTip(), label.fullText());
    label.resize(900, 20);
    EXPECT_FALSE(label.isElided());
    EXPECT_TRUE(label.toolTip().isEmpty());

    // A clamped label keeps the height of its lines whatever it holds.
    ClampedLabel lines(2);
    lines.resize(160, lines.sizeHint().height());
    lines.show();
    const int height = lines.sizeHint().height();
    lines.setText(QStringLiteral("The drive is ready."));
    EXPECT_FALSE(lines.isClamped());
    EXPECT_EQ(lines.text(), QStringLiteral("The drive is ready."));
    const QString stopped =
        QStringLiteral("Stopped. If the drive was powered off, turn it on and click Detect.");
    lines.setText(stopped);
    EXPECT_EQ(lines.sizeHint().height(), height);
    EXPECT_EQ(lines.text().count(QLatin1Char('\n')), 1) << "two lines";
    EXPECT_TRUE(lines.isClamped());
    EXPECT_TRUE(lines.text().endsWith(QChar(0x2026)));
    EXPECT_EQ(lines.toolTip(), stopped);
    lines.resize(900, height);
    EXPECT_EQ(lines.text(), stopped);
    EXPECT_TRUE(lines.toolTip().isEmpty());

    PaneChromeTitle title(appLogoIcon(), QStringLiteral("Floppy  |  Drive 8"));
    title.setTitleToolTip(QStringLiteral("FLOPPY - GAMES"));
    title.resize(80, 24);
    EXPECT_EQ(title.titleToolTip(), QStringLiteral("FLOPPY - GAMES"))
        << "the given tooltip wins over the shortened title's";

    QPointer<QLabel> first = new QLabel(QStringLiteral("one"));
    title.setTrailingWidget(first);
    title.setTrailingWidget(new QLabel(QStringLiteral("two")));
    EXPECT_TRUE(first.isNull()) << "the replaced trailing widget is deleted";
    EXPECT_EQ(static_cast<QLabel*>(title.trailingWidget())->text(), QStringLiteral("two"));
    EXPECT_EQ(title.trailingWidget()->parentWidget(), &title);
}

TEST(KitWidgets, FactLinesLeaveOutWholeFactsLeastImportantFirst) {
    FactLine line;
    line.setFacts({{QStringLiteral("7 FILES"), 2},
                   {QStringLiteral("673 FREE"), 1},
                   {QStringLiteral("1 SELECTED"), 0},
                   {QStringLiteral("88 B"), 4},
                   {QStringLiteral("1 BLOCKS"), 3}});
    const QString whole = line.fullText();
    EXPECT_EQ(whole, QStringLiteral("7 FILES  ·  673 FREE  ·  1 SELECTED  ·  88 B  ·  1 BLOCKS"));
    const auto widthOf = [&line](const QString& text) {
        return line.fontMetrics().horizontalAdvance(text);
    };
    struct Case {
        QString fits;
        QStringList shown;
    };
    const QList<Case> cases{
        {whole, {"7 FILES", "673 FREE", "1 SELECTED", "88 B", "1 BLOCKS"}},
        {"7 FILES  ·  673 FREE  ·  1 SELECTED  ·  1 BLOCKS",
         {"7 FILES", "673 FREE", "1 SELECTED", "1 BLOCKS"}},
        {"7 FILES  ·  673 FREE  ·  1 SELECTED", {"7 FILES", "673 FREE", "1 SELECTED"}},
        {"673 FREE  ·  1 SELECTED", {"673 FREE", "1 SELECTED"}},
        {"1 SELECTED", {"1 SELECTED"}},
    };
    line.show();
    for (const Case& probe : cases) {
        // Each width holds its line exactly, and one pixel less no longer does.
        line.resize(widthOf(probe.fits), 20);
        EXPECT_EQ(line.shownFacts(), probe.shown) << qPrintable(probe.fits);
        EXPECT_EQ(line.text(), probe.shown.join(QStringLiteral("  ·  ")));
        EXPECT_EQ(line.toolTip(), probe.shown.size() < 5 ? whole : QString());
        if (probe.shown.size() > 1) {
            line.resize(widthOf(probe.fits) - 1, 20);
            EXPECT_LT(line.shownFacts().size(), probe.shown.size()) << qPrintable(probe.fits);
        }
    }
    EXPECT_EQ(line.minimumSizeHint().width(), widthOf(QStringLiteral("1 SELECTED")));
    // Only a fact alone in too little room is shortened.
    line.resize(widthOf(QStringLiteral("1 SEL")), 20);
    EXPECT_TRUE(line.text().endsWith(QChar(0x2026)));
}
