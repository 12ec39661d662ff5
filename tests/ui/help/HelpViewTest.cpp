#include "ui/help/HelpView.h"
#include "HelpTestSupport.h"
#include "ui/help/HelpCommandLine.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using namespace std::chrono_literals;

class HelpViewTest : public ::testing::Test {
protected:
    HelpView view;

    void SetUp() override {
        view.resize(1000, 720);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QScrollBar* scrollBar() {
        return view.findChild<QScrollArea*>(QStringLiteral("helpScrollArea"))->verticalScrollBar();
    }
    QListWidget* sectionList() {
        return view.findChild<QListWidget*>(QStringLiteral("helpSectionList"));
    }
    void saveScreenshot(const QString& name) { view.grab().save(testing::screenshotPath(name)); }
};

TEST_F(HelpViewTest, SectionListFollowsTheScrollPosition) {
    const QList<HelpSection>& sections = view.sections();
    ASSERT_GT(sections.size(), 3);
    EXPECT_EQ(view.selectedID(), sections.first().id);
    EXPECT_EQ(sectionList()->count(), sections.size());

    int reachable = 0;
    for (qsizetype i = 1; i < sections.size(); ++i) {
        const int offset = view.sectionOffset(sections.at(i).id);
        if (offset > scrollBar()->maximum()) {
            break;
        }
        SCOPED_TRACE(sections.at(i).title.toStdString());
        scrollBar()->setValue(offset);
        EXPECT_EQ(view.selectedID(), sections.at(i).id);
        // Just above the heading, well outside the threshold, the previous one still leads.
        scrollBar()->setValue(offset - 60);
        EXPECT_EQ(view.selectedID(), sections.at(i - 1).id);
        ++reachable;
    }
    EXPECT_GT(reachable, 3);
    scrollBar()->setValue(0);
    EXPECT_EQ(view.selectedID(), sections.first().id);

    // Escape closes the window from the section list, where the keyboard starts.
    sectionList()->setFocus();
    QTest::keyClick(sectionList(), Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());
}

TEST_F(HelpViewTest, ChoosingATitleScrollsThatSectionToTheTop) {
    const QList<HelpSection>& sections = view.sections();
    // A section in the middle reaches the top; the last one cannot, yet stays selected.
    for (const qsizetype row : {sections.size() / 2, sections.size() - 1}) {
        SCOPED_TRACE(sections.at(row).title.toStdString());
        sectionList()->setCurrentRow(int(row));
        const int offset = view.sectionOffset(sections.at(row).id);
        EXPECT_EQ(scrollBar()->value(), qMin(offset, scrollBar()->maximum()));
        EXPECT_EQ(view.selectedID(), sections.at(row).id);
        EXPECT_FALSE(view.isJumping());
    }
    view.jumpToSection(QStringLiteral("keyboard"));
    EXPECT_EQ(view.selectedID(), QStringLiteral("keyboard"));
    saveScreenshot(QStringLiteral("help-keyboard.png"));
    scrollBar()->setValue(0);
    saveScreenshot(QStringLiteral("help-guide.png"));
    view.findChild<QScrollArea*>(QStringLiteral("helpScrollArea"))
        ->widget()
        ->grab()
        .save(testing::screenshotPath(QStringLiteral("help-guide-whole.png")));
    view.resize(640, 520);
    QTest::qWait(20);
    view.jumpToSection(QStringLiteral("usb-permissions"));
    saveScreenshot(QStringLiteral("help-narrow.png"));
}

TEST(HelpCommandLine, CopiesExactlyItsLineAndSaysCopiedForAMoment) {
    const QString line = QStringLiteral("sudo udevadm control --reload-rules");
    HelpCommandLine commandLine(line);
    commandLine.setCopiedDuration(40ms);
    commandLine.show();
    auto* button = commandLine.findChild<QToolButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Copy this command"));
    const QString restingText = button->text();

    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    QTest::mouseClick(button, Qt::LeftButton);

    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), line);
    EXPECT_EQ(copied->formats(), QStringList{QStringLiteral("text/plain")});
    EXPECT_EQ(button->text(), QStringLiteral("Copied"));
    QTRY_COMPARE_WITH_TIMEOUT(button->text(), restingText, 2000);
    EXPECT_NE(restingText, QStringLiteral("Copied"));

    // A long command stays on one line, never broken at its hyphens: a narrow page scrolls it.
    HelpCommandLine longLine(QStringLiteral(
        "sudo apt install build-essential pkg-config libusb-1.0-0-dev libncurses-dev cc65"));
    longLine.resize(220, 80);
    longLine.show();
    QApplication::processEvents();
    auto* shown = longLine.findChild<QLabel*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), longLine.line());
    EXPECT_LT(shown->height(), 2 * shown->fontMetrics().lineSpacing()) << "one line";
    auto* scroller = longLine.findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    EXPECT_GT(shown->width(), scroller->viewport()->width());
    EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
}

} // namespace
} // namespace vellum
