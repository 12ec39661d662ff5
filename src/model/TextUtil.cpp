#include "model/TextUtil.h"

#include <QList>

namespace vellum {

QString trimmedOf(const QString& text, QStringView characters) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && characters.contains(text.at(start))) {
        ++start;
    }
    while (end > start && characters.contains(text.at(end - 1))) {
        --end;
    }
    return text.mid(start, end - start);
}

QString trimmedSpacesAndTabs(const QString& text) {
    return trimmedOf(text, u" \t");
}

std::optional<qint64> readInt64(const QString& digits) {
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> readDecimal(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype at) {
        return at < n && text.at(at) >= QLatin1Char('0') && text.at(at) <= QLatin1Char('9');
    };
    if (!isDigit(0)) {
        return std::nullopt;
    }
    while (isDigit(i)) {
        ++i;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        if (!isDigit(i)) {
            return std::nullopt;
        }
        while (isDigit(i)) {
            ++i;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

QString numericCharacters(const QString& text) {
    QString result;
    for (char32_t codePoint : text.toUcs4()) {
        if (QChar::isNumber(codePoint)) {
            result += QString::fromUcs4(&codePoint, 1);
        }
    }
    return result;
}

} // namespace vellum
