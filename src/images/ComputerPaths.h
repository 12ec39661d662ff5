#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vellum {

// A file name on the computer is a run of bytes that need not be UTF-8. A QString holds one
// without loss: UTF-8 sequences become their characters, and every other byte b becomes the
// lone surrogate U+DC00 + b, which no UTF-8 text decodes to.
QString computerPathFromBytes(const QByteArray& bytes);

// The bytes of a path made by computerPathFromBytes, or of any other text as UTF-8.
QByteArray computerPathBytes(const QString& path);

// The byte that the character at `at` keeps as a lone surrogate, or nothing for any other
// character (the second half of a surrogate pair included).
std::optional<quint8> escapedPathByte(const QString& path, qsizetype at);

} // namespace vellum
