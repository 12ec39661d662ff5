#include "model/FileNames.h"

#include "model/TextUtil.h"

#include <QFileInfo>
#include <QTextBoundaryFinder>

namespace vellum {

QString formatByteCount(qint64 bytes) {
    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = 1024 * 1024;
    if (bytes < kilo) {
        return QStringLiteral("%1 B").arg(bytes);
    }
    if (bytes < mega) {
        return QStringLiteral("%1 KB").arg(bytes / kilo);
    }
    return QString::asprintf("%.1f MB", static_cast<double>(bytes) / static_cast<double>(mega));
}

const QSet<QString>& strippedFileExtensions() {
    static const QSet<QString> extensions = {QStringLiteral("prg"), QStringLiteral("seq"),
                                             QStringLiteral("usr"), QStringLiteral("rel"),
                                             QStringLiteral("p00"), QStringLiteral("t64")};
    return extensions;
}

namespace {

// User-perceived characters: a letter with its combining marks (as file names written in
// decomposed form hold them) is one character.
QStringList characters(const QString& text) {
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() > start) {
        result << text.mid(start, finder.position() - start);
        start = finder.position();
    }
    return result;
}

bool isKeptInCBMName(const QString& character) {
    const char32_t first = character.toUcs4().value(0);
    return QChar::isLetter(first) || QChar::isNumber(first) || character == u" " ||
           character == u"-" || character == u"+";
}

} // namespace

QString cbmFileName(const QUrl& url) {
    const QString fileName = url.fileName();
    const QString extension = QFileInfo(fileName).suffix().toLower();
    QString base = strippedFileExtensions().contains(extension)
                       ? QFileInfo(fileName).completeBaseName()
                       : fileName;
    base = base.toLower();

    QString mapped;
    for (const QString& character : characters(base)) {
        mapped += isKeptInCBMName(character) ? character : QStringLiteral("-");
    }
    mapped.replace(QLatin1Char(','), QLatin1Char('-'));

    const QString cut = characters(mapped.trimmed()).mid(0, 16).join(QString());
    const QString name = trimmedOf(cut, u" ");
    return name.isEmpty() ? QStringLiteral("FILE") : name;
}

std::optional<QString> suffixedFreeName(const QString& base, qsizetype maxLength,
                                        const std::function<bool(const QString&)>& isTaken) {
    const QStringList kept = characters(base);
    // A directory holds far fewer names than the suffixes that fit.
    for (qint64 n = 2;; ++n) {
        const QString suffix = QStringLiteral("-%1").arg(n);
        if (suffix.size() >= maxLength) {
            return std::nullopt;
        }
        const QString candidate = kept.mid(0, maxLength - suffix.size()).join(QString()) + suffix;
        if (!isTaken(candidate)) {
            return candidate;
        }
    }
}

CBMFileType cbmFileType(const QUrl& url) {
    const QString extension = QFileInfo(url.path()).suffix().toLower();
    if (extension == QLatin1String("seq")) {
        return CBMFileType::seq;
    }
    if (extension == QLatin1String("usr")) {
        return CBMFileType::usr;
    }
    if (extension == QLatin1String("rel")) {
        return CBMFileType::rel;
    }
    return CBMFileType::prg;
}

QString typeLabel(const QUrl& url) {
    const QString extension = QFileInfo(url.path()).suffix();
    const QString lower = extension.toLower();
    if (lower.isEmpty()) {
        return QStringLiteral("FILE");
    }
    if (lower == QLatin1String("prg") || lower == QLatin1String("p00")) {
        return QStringLiteral("PRG");
    }
    if (lower == QLatin1String("seq") || lower == QLatin1String("usr") ||
        lower == QLatin1String("rel") || lower == QLatin1String("d64") ||
        lower == QLatin1String("t64")) {
        return lower.toUpper();
    }
    return extension.toUpper();
}

const QSet<QString>& diskImageExtensions() {
    static const QSet<QString> extensions = {QStringLiteral("d64"), QStringLiteral("d71"),
                                             QStringLiteral("d81")};
    return extensions;
}

} // namespace vellum
