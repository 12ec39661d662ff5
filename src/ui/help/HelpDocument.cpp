#include "ui/help/HelpDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <utility>

namespace vellum {

HelpBlock HelpBlock::makeTitle(const QString& text) {
    return {.kind = Kind::title, .text = text};
}

HelpBlock HelpBlock::makeHeading(const QString& text, int level) {
    return {.kind = Kind::heading, .text = text, .level = level, .id = helpSlug(text)};
}

HelpBlock HelpBlock::makeParagraph(const QString& text) {
    return {.kind = Kind::paragraph, .text = text};
}

HelpBlock HelpBlock::makeBullets(const QStringList& items) {
    return {.kind = Kind::bullets, .items = items};
}

HelpBlock HelpBlock::makeSteps(const QStringList& items) {
    return {.kind = Kind::steps, .items = items};
}

HelpBlock HelpBlock::makeTable(const QStringList& headers, const QList<QStringList>& rows) {
    return {.kind = Kind::table, .headers = headers, .rows = rows};
}

HelpBlock HelpBlock::makeCode(const QString& text) {
    return {.kind = Kind::code, .text = text};
}

QString helpSlug(const QString& text) {
    const QString spaced = text.toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
    QString slug;
    for (const QChar c : spaced) {
        if (c.isLetter() || c.isDigit() || c == QLatin1Char('-')) {
            slug.append(c);
        }
    }
    return slug;
}

namespace {

const QString overviewTitle = QStringLiteral("Overview");

bool isFence(const QString& t) {
    return t.startsWith(QStringLiteral("```"));
}

// "1. text", and also ". text": every character before the first "." is a digit.
bool isStepLine(const QString& t) {
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    if (dot < 0 || dot + 1 >= t.size() || t.at(dot + 1) != QLatin1Char(' ')) {
        return false;
    }
    for (qsizetype i = 0; i < dot; ++i) {
        if (!t.at(i).isDigit()) {
            return false;
        }
    }
    return true;
}

QStringList tableCells(const QString& line) {
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && line.at(first) == QLatin1Char('|')) {
        ++first;
    }
    while (last > first && line.at(last - 1) == QLatin1Char('|')) {
        --last;
    }
    QStringList cells = line.mid(first, last - first).split(QLatin1Char('|'));
    for (QString& cell : cells) {
        cell = cell.trimmed();
    }
    return cells;
}

// The reader's state between lines: the section being filled and the material whose end
// is not known yet.
class HelpReader {
public:
    QList<HelpSection> read(const QString& text) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            // A guide saved with Windows line ends must not put carriage returns into the
            // command lines that users copy.
            if (line.endsWith(QLatin1Char('\r'))) {
                line.chop(1);
            }
        }
        for (const QString& line : std::as_const(lines)) {
            readLine(line);
        }
        endLists();
        endTable();
        if (inCode) {
            add(HelpBlock::makeCode(codeLines.join(QLatin1Char('\n'))));
        }
        if (!current.blocks.isEmpty()) {
            sections.append(current);
        }
        return sections;
    }

private:
    QList<HelpSection> sections;
    HelpSection current{QStringLiteral("intro"), overviewTitle, {}};
    QStringList bullets;
    QStringList steps;
    QStringList tableLines;
    QStringList codeLines;
    bool inCode = false;

    void add(const HelpBlock& block) { current.blocks.append(block); }

    void endLists() {
        if (!bullets.isEmpty()) {
            add(HelpBlock::makeBullets(bullets));
        }
        if (!steps.isEmpty()) {
            add(HelpBlock::makeSteps(steps));
        }
        bullets.clear();
        steps.clear();
    }

    void endTable() {
        if (tableLines.size() >= 2) {
            QList<QStringList> rows;
            for (qsizetype i = 2; i < tableLines.size(); ++i) {
                rows.append(tableCells(tableLines.at(i)));
            }
            add(HelpBlock::makeTable(tableCells(tableLines.first()), rows));
        }
        tableLines.clear();
    }

    void startSection(const QString& title) {
        if (!current.blocks.isEmpty() || current.title != overviewTitle) {
            sections.append(current);
        }
        current = HelpSection{helpSlug(title), title, {}};
        add(HelpBlock::makeHeading(title, 2));
    }

    void readLine(const QString& line) {
        const QString t = line.trimmed();
        if (inCode) {
            if (isFence(t)) {
                add(HelpBlock::makeCode(codeLines.join(QLatin1Char('\n'))));
                codeLines.clear();
                inCode = false;
            } else {
                codeLines.append(line);
            }
            return;
        }
        if (isFence(t)) {
            endLists();
            endTable();
            inCode = true;
            return;
        }
        if (t.startsWith(QLatin1Char('|'))) {
            endLists();
            tableLines.append(t);
            return;
        }
        if (!tableLines.isEmpty()) {
            endTable();
        }

        if (t.isEmpty() || t.startsWith(QStringLiteral("---"))) {
            endLists();
        } else if (t.startsWith(QStringLiteral("# "))) {
            endLists();
            add(HelpBlock::makeTitle(t.mid(2)));
        } else if (t.startsWith(QStringLiteral("## "))) {
            endLists();
            startSection(t.mid(3));
        } else if (t.startsWith(QStringLiteral("### "))) {
            endLists();
            add(HelpBlock::makeHeading(t.mid(4), 3));
        } else if (t.startsWith(QStringLiteral("- "))) {
            if (!steps.isEmpty()) {
                endLists();
            }
            bullets.append(t.mid(2));
        } else if (isStepLine(t)) {
            if (!bullets.isEmpty()) {
                endLists();
            }
            steps.append(t.mid(t.indexOf(QLatin1Char('.')) + 2));
        } else {
            endLists();
            add(HelpBlock::makeParagraph(t));
        }
    }
};

} // namespace

QList<HelpSection> parseHelp(const QString& text) {
    return HelpReader().read(text);
}

QString fallbackUserGuide() {
    return QCoreApplication::translate("HelpDocument",
                                       "# Vellum Help\n\nThe user guide file was not found.\n\n"
                                       "Install OpenCBM (from your distribution's package, or "
                                       "built from source), plug in a ZoomFloppy, and click "
                                       "Detect.");
}

QString loadUserGuide(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fallbackUserGuide();
    }
    const QString text = QString::fromUtf8(file.readAll());
    return text.trimmed().isEmpty() ? fallbackUserGuide() : text;
}

QString loadUserGuide() {
    return loadUserGuide(QStringLiteral(":/help/UserGuide.md"));
}

} // namespace vellum
