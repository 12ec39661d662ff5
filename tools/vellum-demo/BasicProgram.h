#pragma once

#include <QByteArray>
#include <QStringList>

namespace vellum::demo {

// The bytes of a program file as a C64 saves it from BASIC V2: the load address, then the
// linked, tokenised lines, then the end marker. Each line is given as it would be typed
// ("10 PRINT \"HELLO\""), in upper case; keywords are tokenised as the C64 editor does it
// (first match in its keyword table, nothing inside quotes, after REM, or inside DATA).
// Lines without a leading line number are skipped.
QByteArray basicProgram(const QStringList& lines, quint16 loadAddress = 0x0801);

} // namespace vellum::demo
