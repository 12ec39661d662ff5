#include "model/TextUtil.h"

#include <QFileInfo>

namespace vellum {

QString trimmedWhitespace(const QString& text) {
    return text.trimmed();
}

QString trimmedOf(const QString& text, QStringView characters) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && characters.contains(text.at(start)))
        ++start;
    while (end > start && characters.contains(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

QString trimmedSpacesAndTabs(const QString& text) {
    return trimmedOf(text, u" \t");
}

std::optional<qint64> readInt64(const QString& digits) {
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<double> readDecimal(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype at) {
        return at < n && text.at(at) >= QLatin1Char('0') && text.at(at) <= QLatin1Char('9');
    };
    if (!isDigit(0))
        return std::nullopt;
    while (isDigit(i))
        ++i;
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        if (!isDigit(i))
            return std::nullopt;
        while (isDigit(i))
            ++i;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString numericCharacters(const QString& text) {
    QString result;
    for (char32_t codePoint : text.toUcs4()) {
        if (QChar::isNumber(codePoint))
            result += QString::fromUcs4(&codePoint, 1);
    }
    return result;
}

QString lastPathComponent(const QString& path) {
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || trimmed.size() == 1)
        return trimmed;
    return trimmed.mid(slash + 1);
}

QString lastPathComponent(const QUrl& url) {
    return lastPathComponent(url.isLocalFile() ? url.toLocalFile() : url.path());
}

QString pathExtension(const QString& fileName) {
    const QString name = lastPathComponent(fileName);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == name.size() - 1)
        return {};
    return name.mid(dot + 1);
}

QString pathExtension(const QUrl& url) {
    return pathExtension(lastPathComponent(url));
}

QString deletingPathExtension(const QString& fileName) {
    const QString name = lastPathComponent(fileName);
    const QString extension = pathExtension(name);
    if (extension.isEmpty())
        return name;
    return name.left(name.size() - extension.size() - 1);
}

} // namespace vellum
