#include "model/TextUtil.h"
#include "model/ToolOutputParsers.h"

#include <QRegularExpression>
#include <cmath>

namespace vellum {

namespace {

double clampedFraction(double value) {
    if (std::isnan(value) || value < 0) {
        return 0;
    }
    return value > 1 ? 1 : value;
}

std::optional<double> percentForm(const QString& line) {
    static const QRegularExpression percent(QStringLiteral("(\\d{1,3})\\s*%"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = percent.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const std::optional<double> value = readDecimal(numericCharacters(match.captured(0)));
    if (!value) {
        return std::nullopt;
    }
    return *value / 100.0;
}

std::optional<double> ratioForm(const QString& line) {
    static const QRegularExpression ratio(QStringLiteral("(\\d+)\\s*/\\s*(\\d+)"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = ratio.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QStringList pieces = match.captured(0).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (pieces.size() != 2) {
        return std::nullopt;
    }
    const std::optional<double> done = readDecimal(trimmedOf(pieces.at(0), u" "));
    const std::optional<double> total = readDecimal(trimmedOf(pieces.at(1), u" "));
    if (!done || !total || *total <= 0) {
        return std::nullopt;
    }
    return *done / *total;
}

std::optional<double> trackForm(const QString& line, qint64 trackTotal, TrackOrder order) {
    static const QRegularExpression track(QStringLiteral("^\\s*(\\d+)\\s*:"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = track.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const std::optional<double> number = readDecimal(numericCharacters(match.captured(0)));
    if (!number || trackTotal < 1) {
        return std::nullopt;
    }
    double position = *number;
    if (order == TrackOrder::sidesAlternating) {
        const double side = static_cast<double>(trackTotal / 2);
        position = position <= side ? 2 * position - 1 : 2 * (position - side);
    }
    return position / static_cast<double>(trackTotal);
}

} // namespace

std::optional<double> progressFraction(const QString& line, qint64 trackTotal, TrackOrder order) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    // The tools' log lines ("[Warning] read error: 12/05: 5") carry numbers that are not
    // progress; read as a ratio they would jump the bar.
    if (trimmed.startsWith(QLatin1Char('['))) {
        return std::nullopt;
    }

    std::optional<double> value = percentForm(trimmed);
    if (!value) {
        value = ratioForm(trimmed);
    }
    if (!value) {
        value = trackForm(trimmed, trackTotal, order);
    }
    if (!value) {
        return std::nullopt;
    }
    return clampedFraction(*value);
}

} // namespace vellum
