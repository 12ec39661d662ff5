#include "HelpTestSupport.h"
#include "ui/help/HelpDocument.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using Block = HelpBlock;

HelpSection section(const QString& title, QList<HelpBlock> blocks) {
    blocks.prepend(Block::makeHeading(title, 2));
    return HelpSection{helpSlug(title), title, blocks};
}

HelpSection overview(const QList<HelpBlock>& blocks) {
    return HelpSection{QStringLiteral("intro"), QStringLiteral("Overview"), blocks};
}

struct ParseCase {
    const char* name;
    QString markdown;
    QList<HelpSection> expected;
};

TEST(HelpParser, ReadsTheMarkdownSubset) {
    const QList<ParseCase> cases{
        {"slug keeps only letters, digits and dashes",
         "## Q&A: Drives",
         {HelpSection{"qa-drives", "Q&A: Drives", {Block::makeHeading("Q&A: Drives", 2)}}}},
        {"text before the first section forms the overview",
         "# Guide\nHello.\n## Next",
         {overview({Block::makeTitle("Guide"), Block::makeParagraph("Hello.")}),
          section("Next", {})}},
        {"no overview without text before the first section",
         "\n\n## Only\nText.",
         {section("Only", {Block::makeParagraph("Text.")})}},
        {"bullets then steps then a bullet give three lists",
         "## L\n- a\n- b\n1. c\n2. d\n- x",
         {section("L", {Block::makeBullets({"a", "b"}), Block::makeSteps({"c", "d"}),
                        Block::makeBullets({"x"})})}},
        {"a rule line ends a list and adds nothing",
         "## L\n- a\n---\n- b",
         {section("L", {Block::makeBullets({"a"}), Block::makeBullets({"b"})})}},
        {"header and separator give a table without rows",
         "## T\n| Key | Action |\n|---|---|",
         {section("T", {Block::makeTable({"Key", "Action"}, {})})}},
        {"a lone table line gives nothing", "## T\n|", {section("T", {})}},
        {"table rows are trimmed cells, the table ends at the next line",
         "## T\n|a|b|\n|-|-|\n| 1 |  2 |\nAfter.",
         {section("T",
                  {Block::makeTable({"a", "b"}, {{"1", "2"}}), Block::makeParagraph("After.")})}},
        {"code keeps its lines as they are and ends at the fence",
         "## C\n- item\n```sh\ncbmctrl detect\n  - not a bullet\n```\nAfter.",
         {section("C", {Block::makeBullets({"item"}),
                        Block::makeCode("cbmctrl detect\n  - not a bullet"),
                        Block::makeParagraph("After.")})}},
        {"an unclosed fence keeps its lines as code",
         "## C\n```\nls\n\ncd x",
         {section("C", {Block::makeCode("ls\n\ncd x")})}},
        {"level-3 heading has its own slug",
         "## H\n### Sub Part",
         {section("H", {Block::makeHeading("Sub Part", 3)})}},
        {"four hashes and unnumbered dots are paragraphs, each line its own",
         "## H\n#### deep\n1.5 MB\nA. b",
         {section("H", {Block::makeParagraph("#### deep"), Block::makeParagraph("1.5 MB"),
                        Block::makeParagraph("A. b")})}},
        {"carriage returns do not reach code lines",
         "## W\r\n```\r\ncbmctrl reset\r\n```\r\n",
         {section("W", {Block::makeCode("cbmctrl reset")})}},
    };
    for (const ParseCase& parseCase : cases) {
        SCOPED_TRACE(parseCase.name);
        const QList<HelpSection> sections = parseHelp(parseCase.markdown);
        ASSERT_EQ(sections.size(), parseCase.expected.size());
        for (qsizetype i = 0; i < sections.size(); ++i) {
            EXPECT_EQ(sections.at(i).id, parseCase.expected.at(i).id);
            EXPECT_EQ(sections.at(i).title, parseCase.expected.at(i).title);
            EXPECT_TRUE(sections.at(i).blocks == parseCase.expected.at(i).blocks);
        }
    }
}

TEST(HelpParser, MissingOrEmptyGuideShowsTheFallbackAsItsOnlySection) {
    QTemporaryFile empty;
    ASSERT_TRUE(empty.open());
    EXPECT_EQ(loadUserGuide(empty.fileName()), fallbackUserGuide());
    EXPECT_EQ(loadUserGuide(QStringLiteral("/no/such/UserGuide.md")), fallbackUserGuide());

    const QList<HelpSection> sections = parseHelp(fallbackUserGuide());
    ASSERT_EQ(sections.size(), 1);
    EXPECT_EQ(sections.first().title, QStringLiteral("Overview"));
    ASSERT_EQ(sections.first().blocks.size(), 3);
    EXPECT_TRUE(sections.first().blocks.at(1) ==
                Block::makeParagraph("The user guide file was not found."));
}

// A paragraph that begins like list, table, heading or code syntax means the guide uses
// the subset wrongly and the reader would see raw Markdown.
bool looksLikeStraySyntax(const QString& paragraph) {
    static const QStringList starts{"|", "- ", "* ", "#", "```", "> "};
    for (const QString& start : starts) {
        if (paragraph.startsWith(start)) {
            return true;
        }
    }
    return paragraph.size() > 1 && paragraph.at(0).isDigit() &&
           paragraph.contains(QStringLiteral(". "));
}

TEST(HelpParser, ShippedGuideHasSectionsAndNoStraySyntax) {
    const QString text = loadUserGuide();
    ASSERT_NE(text, fallbackUserGuide());
    const QList<HelpSection> sections = parseHelp(text);

    EXPECT_GT(sections.size(), 5);
    for (const HelpSection& section : sections) {
        SCOPED_TRACE(section.title.toStdString());
        EXPECT_GT(section.blocks.size(), 1);
        for (const HelpBlock& block : section.blocks) {
            if (block.kind == HelpBlock::Kind::paragraph) {
                EXPECT_FALSE(looksLikeStraySyntax(block.text)) << block.text.toStdString();
            }
            if (block.kind == HelpBlock::Kind::table) {
                for (const QStringList& row : block.rows) {
                    EXPECT_EQ(row.size(), block.headers.size()) << row.join('|').toStdString();
                }
            }
            if (block.kind == HelpBlock::Kind::code) {
                EXPECT_FALSE(block.text.trimmed().isEmpty());
            }
        }
    }
}

} // namespace
} // namespace vellum
