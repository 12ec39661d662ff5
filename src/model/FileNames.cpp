#include "model/FileNames.h"

#include "model/TextUtil.h"

namespace vellum {

QString formatByteCount(qint64 bytes) {
    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = 1024 * 1024;
    if (bytes < kilo)
        return QStringLiteral("%1 B").arg(bytes);
    if (bytes < mega)
        return QStringLiteral("%1 KB").arg(bytes / kilo);
    return QString::asprintf("%.1f MB", static_cast<double>(bytes) / static_cast<double>(mega));
}

const QSet<QString>& strippedFileExtensions() {
    static const QSet<QString> extensions = {QStringLiteral("prg"), QStringLiteral("seq"),
                                             QStringLiteral("usr"), QStringLiteral("rel"),
                                             QStringLiteral("p00"), QStringLiteral("t64")};
    return extensions;
}

QString cbmFileName(const QUrl& url) {
    const QString fileName = lastPathComponent(url);
    const QString extension = pathExtension(fileName).toLower();
    QString base =
        strippedFileExtensions().contains(extension) ? deletingPathExtension(fileName) : fileName;
    base = base.toLower();

    QString mapped;
    for (char32_t codePoint : base.toUcs4()) {
        const bool kept = QChar::isLetter(codePoint) || QChar::isNumber(codePoint) ||
                          codePoint == U' ' || codePoint == U'-' || codePoint == U'+';
        if (kept)
            mapped += QString::fromUcs4(&codePoint, 1);
        else
            mapped += QLatin1Char('-');
    }
    mapped.replace(QLatin1Char(','), QLatin1Char('-'));

    const QList<uint> codePoints = trimmedWhitespace(mapped).toUcs4();
    QString cut;
    for (qsizetype i = 0; i < codePoints.size() && i < 16; ++i) {
        const char32_t codePoint = codePoints.at(i);
        cut += QString::fromUcs4(&codePoint, 1);
    }
    cut = trimmedOf(cut, u" ");
    return cut.isEmpty() ? QStringLiteral("FILE") : cut;
}

CBMFileType cbmFileType(const QUrl& url) {
    const QString extension = pathExtension(url).toLower();
    if (extension == QLatin1String("seq"))
        return CBMFileType::seq;
    if (extension == QLatin1String("usr"))
        return CBMFileType::usr;
    if (extension == QLatin1String("rel"))
        return CBMFileType::rel;
    return CBMFileType::prg;
}

QString typeLabel(const QUrl& url) {
    const QString extension = pathExtension(url);
    const QString lower = extension.toLower();
    if (lower.isEmpty())
        return QStringLiteral("FILE");
    if (lower == QLatin1String("prg") || lower == QLatin1String("p00"))
        return QStringLiteral("PRG");
    if (lower == QLatin1String("seq") || lower == QLatin1String("usr") ||
        lower == QLatin1String("rel") || lower == QLatin1String("d64") ||
        lower == QLatin1String("t64"))
        return lower.toUpper();
    return extension.toUpper();
}

const QSet<QString>& diskImageExtensions() {
    static const QSet<QString> extensions = {QStringLiteral("d64")};
    return extensions;
}

} // namespace vellum
