#pragma once

#include <QString>
#include <optional>

namespace vellum {

// Trims only spaces and tabs at both ends, leaving other white space alone.
QString trimmedSpacesAndTabs(const QString& text);

// Trims every character of `characters` at both ends.
QString trimmedOf(const QString& text, QStringView characters);

// A decimal integer of ASCII digits that fits a signed 64-bit value; anything else is nothing.
std::optional<qint64> readInt64(const QString& digits);

// A decimal number of ASCII digits with an optional fraction ("12", "0.5"); no sign, no
// white space, no exponent.
std::optional<double> readDecimal(const QString& text);

// The characters of `text` that are numeric in Unicode's sense, in order.
QString numericCharacters(const QString& text);

} // namespace vellum
