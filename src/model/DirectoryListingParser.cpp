#include "model/TextUtil.h"
#include "model/ToolOutputParsers.h"

#include <QRegularExpression>
#include <array>

namespace vellum {

namespace {

constexpr QChar noBreakSpace(0x00A0);

bool isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineBreak(text.at(i))) {
            lines << text.mid(start, i - start);
            start = i + 1;
        }
    }
    lines << text.mid(start);
    return lines;
}

QString cleanLine(const QString& raw) {
    QString line = raw;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : line) {
        if (c == noBreakSpace || c.unicode() < 0x20) {
            c = QLatin1Char(' ');
        }
    }
    static const QRegularExpression whitespaceRun(QStringLiteral("\\s+"),
                                                  QRegularExpression::UseUnicodePropertiesOption);
    line.replace(whitespaceRun, QStringLiteral(" "));
    return trimmedSpacesAndTabs(line);
}

// The longest run of leading numeric characters, read as a decimal integer.
std::optional<qint64> leadingNumber(const QString& text) {
    const QString trimmed = trimmedSpacesAndTabs(text);
    QString run;
    for (char32_t codePoint : trimmed.toUcs4()) {
        if (!QChar::isNumber(codePoint)) {
            break;
        }
        run += QString::fromUcs4(&codePoint, 1);
    }
    return readInt64(run);
}

// A block count printed on a line of its own ("17" or "17.").
std::optional<qint64> bareNumber(const QString& text) {
    const QString trimmed = trimmedOf(text, u". ");
    if (trimmed.isEmpty() || numericCharacters(trimmed) != trimmed) {
        return std::nullopt;
    }
    return readInt64(trimmed);
}

QString trimmedField(const QString& text) {
    QString field = text;
    field.replace(noBreakSpace, QLatin1Char(' '));
    return trimmedOf(field.trimmed(), QStringView(&noBreakSpace, 1));
}

std::optional<QString> typeTokenIn(const QString& upperRest) {
    static const std::array<QString, 6> tokens = {QStringLiteral("PRG"), QStringLiteral("SEQ"),
                                                  QStringLiteral("USR"), QStringLiteral("REL"),
                                                  QStringLiteral("DEL"), QStringLiteral("CBM")};
    for (const QString& token : tokens) {
        if (upperRest.contains(token)) {
            return token;
        }
    }
    return std::nullopt;
}

} // namespace

DiskDirectory parseDirectoryListing(const QString& output) {
    DiskDirectory directory = DiskDirectory::empty();
    bool headerSeen = false;
    std::optional<qint64> pendingBlocks;

    for (const QString& rawLine : splitLines(output)) {
        const QString line = cleanLine(rawLine);
        if (line.isEmpty()) {
            continue;
        }

        const QString lower = line.toLower();
        if (lower.contains(QLatin1String("[debug]")) || lower.startsWith(QLatin1String("00,")) ||
            lower.contains(QLatin1String(", ok,"))) {
            continue;
        }

        const QString upper = line.toUpper();
        if (upper.contains(QLatin1String("BLOCKS FREE")) ||
            upper.contains(QLatin1String("BLOCK FREE"))) {
            if (const std::optional<qint64> free = leadingNumber(line)) {
                directory.blocksFree = free;
                pendingBlocks.reset();
                continue;
            }
        }

        const qsizetype open = line.indexOf(QLatin1Char('"'));
        const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char('"'), open + 1);
        if (open < 0 || close < 0) {
            if (const std::optional<qint64> count = bareNumber(line)) {
                pendingBlocks = count;
            }
            continue;
        }

        const QString blockText = line.left(open);
        const QString name = trimmedField(line.mid(open + 1, close - open - 1));
        const QString rest = line.mid(close + 1);
        const std::optional<qint64> listedBlocks = leadingNumber(blockText);

        if (const std::optional<QString> token = typeTokenIn(rest.toUpper())) {
            DirectoryEntry entry;
            entry.name = name;
            entry.type = cbmFileTypeFromRaw(*token).value_or(CBMFileType::other);
            entry.isSplat = rest.contains(QLatin1Char('*'));
            entry.isLocked = rest.contains(QLatin1Char('<'));
            entry.typeToken = (entry.isSplat ? QStringLiteral("*") : QString()) + *token +
                              (entry.isLocked ? QStringLiteral("<") : QString());
            entry.blocks = listedBlocks ? *listedBlocks : pendingBlocks.value_or(0);
            directory.entries << entry;
            pendingBlocks.reset();
            continue;
        }

        if (!headerSeen) {
            directory.diskName = name;
            directory.diskID = trimmedField(rest);
            pendingBlocks.reset();
            headerSeen = !name.isEmpty();
        }
    }
    return directory;
}

} // namespace vellum
