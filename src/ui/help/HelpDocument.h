#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vellum {

// One piece of a help section. Which fields carry meaning depends on `kind`.
struct HelpBlock {
    enum class Kind {
        title,
        heading,
        paragraph,
        bullets,
        steps,
        table,
        code,
        rule,
    };

    Kind kind = Kind::paragraph;
    QString text{};            // title, heading, paragraph; code lines joined by "\n"
    int level = 0;             // heading: 2 or 3
    QString id{};              // heading: its slug, the scroll target
    QStringList items{};       // bullets, steps
    QStringList headers{};     // table
    QList<QStringList> rows{}; // table

    static HelpBlock makeTitle(const QString& text);
    static HelpBlock makeHeading(const QString& text, int level);
    static HelpBlock makeParagraph(const QString& text);
    static HelpBlock makeBullets(const QStringList& items);
    static HelpBlock makeSteps(const QStringList& items);
    static HelpBlock makeTable(const QStringList& headers, const QList<QStringList>& rows);
    static HelpBlock makeCode(const QString& text);

    friend bool operator==(const HelpBlock&, const HelpBlock&) = default;
};

struct HelpSection {
    QString id;
    QString title;
    QList<HelpBlock> blocks;

    friend bool operator==(const HelpSection&, const HelpSection&) = default;
};

// The anchor of a heading: lower case, spaces as "-", only letters, digits and "-" kept.
QString helpSlug(const QString& text);

// Reads the Markdown subset of the user guide into sections. Text before the first "## "
// line forms the section "Overview" (id "intro"), kept only when it has blocks. Never fails:
// unknown lines become paragraphs.
QList<HelpSection> parseHelp(const QString& text);

// The guide shown when the shipped one cannot be read.
QString fallbackUserGuide();

// The guide's Markdown from the given resource or file; the fallback when it is missing,
// unreadable or empty.
QString loadUserGuide(const QString& path);
// The guide shipped with the application.
QString loadUserGuide();

} // namespace vellum
