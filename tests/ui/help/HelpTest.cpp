#include "IsolatedSettings.h"
#include "session/AppSettings.h"
#include "ui/help/HelpCommandLine.h"
#include "ui/help/HelpDocument.h"
#include "ui/help/SettingsView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using namespace std::chrono_literals;

using Block = HelpBlock;

HelpSection section(const QString& title, QList<HelpBlock> blocks) {
    blocks.prepend(Block::makeHeading(title, 2));
    return HelpSection{helpSlug(title), title, blocks};
}

TEST(HelpParser, ReadsTheMarkdownSubset) {
    const QList<std::tuple<const char*, QString, QList<HelpSection>>> cases{
        {"slug keeps only letters, digits and dashes",
         "## Q&A: Drives",
         {HelpSection{"qa-drives", "Q&A: Drives", {Block::makeHeading("Q&A: Drives", 2)}}}},
        {"text before the first section forms the overview",
         "# Guide\nHello.\n## Next",
         {HelpSection{
              "intro", "Overview", {Block::makeTitle("Guide"), Block::makeParagraph("Hello.")}},
          section("Next", {})}},
        {"a change of list kind or a rule line starts a new list",
         "## L\n- a\n- b\n1. c\n2. d\n- x\n---\n- y",
         {section("L", {Block::makeBullets({"a", "b"}), Block::makeSteps({"c", "d"}),
                        Block::makeBullets({"x"}), Block::makeBullets({"y"})})}},
        {"table rows are trimmed cells, the table ends at the next line",
         "## T\n|a|b|\n|-|-|\n| 1 |  2 |\nAfter.",
         {section("T",
                  {Block::makeTable({"a", "b"}, {{"1", "2"}}), Block::makeParagraph("After.")})}},
        {"code keeps its lines as they are, an unclosed fence too",
         "## C\n```sh\ncbmctrl detect\n  - not a bullet\n```\nAfter.\n```\nls\n\ncd x",
         {section("C", {Block::makeCode("cbmctrl detect\n  - not a bullet"),
                        Block::makeParagraph("After."), Block::makeCode("ls\n\ncd x")})}},
        {"carriage returns do not reach code lines",
         "## W\r\n```\r\ncbmctrl reset\r\n```\r\n",
         {section("W", {Block::makeCode("cbmctrl reset")})}},
    };
    for (const auto& [name, markdown, expected] : cases) {
        EXPECT_TRUE(parseHelp(markdown) == expected) << name;
    }
}

TEST(HelpParser, MissingOrEmptyGuideShowsTheFallback) {
    QTemporaryFile empty;
    ASSERT_TRUE(empty.open());
    EXPECT_EQ(loadUserGuide(empty.fileName()), fallbackUserGuide());
    EXPECT_EQ(loadUserGuide(QStringLiteral("/no/such/UserGuide.md")), fallbackUserGuide());
    EXPECT_EQ(parseHelp(fallbackUserGuide()).size(), 1);
}

// A paragraph that begins like list, table, heading or code syntax means the guide uses
// the subset wrongly and the reader would see raw Markdown.
TEST(HelpParser, ShippedGuideHasSectionsAndNoStraySyntax) {
    const QString text = loadUserGuide();
    ASSERT_NE(text, fallbackUserGuide());
    const QList<HelpSection> sections = parseHelp(text);
    EXPECT_GT(sections.size(), 5);
    const QStringList starts{"|", "- ", "* ", "#", "```", "> "};
    for (const HelpSection& section : sections) {
        SCOPED_TRACE(section.title.toStdString());
        EXPECT_GT(section.blocks.size(), 1);
        for (const HelpBlock& block : section.blocks) {
            if (block.kind == HelpBlock::Kind::paragraph) {
                const QString& start = block.text;
                EXPECT_FALSE(std::any_of(starts.begin(), starts.end(),
                                         [&](const QString& s) { return start.startsWith(s); }) ||
                             (start.size() > 1 && start.at(0).isDigit() && start.contains(". ")))
                    << start.toStdString();
            }
            for (const QStringList& row : block.rows) {
                EXPECT_EQ(row.size(), block.headers.size()) << row.join('|').toStdString();
            }
        }
    }
}

template <typename Button> Button* buttonLabelled(QWidget& parent, const QString& text) {
    for (Button* button : parent.findChildren<Button*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

TEST(SettingsView, TheThemeChoiceIsStoredAtOnceAndFollowsTheSetting) {
    testing::IsolatedSettings isolated;
    AppSettings settings;
    SettingsView view(settings);
    view.show();
    for (const AppAppearance appearance : allAppearances()) {
        auto* choice = buttonLabelled<QRadioButton>(view, displayName(appearance));
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(6, choice->height() / 2));
        EXPECT_EQ(AppSettings().appearance(), appearance) << "stored at once";
        settings.setAppearance(AppAppearance::classicC64);
        EXPECT_EQ(choice->isChecked(), appearance == AppAppearance::classicC64);
    }
}

} // namespace
} // namespace vellum
