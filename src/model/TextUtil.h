#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

// Trims Unicode white space and newlines (no-break spaces included) at both ends.
QString trimmedWhitespace(const QString& text);

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

// The last path component of a local-file URL or path ("GAME.PRG").
QString lastPathComponent(const QUrl& url);
QString lastPathComponent(const QString& path);

// The extension after the last dot of the last path component, as written ("PRG"), or ""
// when there is none; a leading dot alone (".profile") is not an extension.
QString pathExtension(const QString& fileName);
QString pathExtension(const QUrl& url);

// The file name without its extension ("GAME.PRG" -> "GAME").
QString deletingPathExtension(const QString& fileName);

} // namespace vellum
