#pragma once

#include <QByteArray>
#include <QString>

namespace vellum::sim {

// ASCII text as the drive receives it: a-z become the plain letters, A-Z the shifted ones.
QByteArray asciiToPetscii(const QString& text);

// Drive bytes as `cbmctrl` prints them: plain letters in lower case, shifted ones in upper
// case, shifted blanks as blanks, anything unprintable as "." (or, with `keepHighBytes`, bytes
// from 0x80 on passed through raw).
QByteArray petsciiToAscii(const QByteArray& bytes, bool keepHighBytes = false);

} // namespace vellum::sim
