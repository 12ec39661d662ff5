#pragma once

#include <QHashFunctions>
#include <QString>
#include <array>
#include <optional>

namespace vellum {

// Commodore DOS file types, in the order the drive documents them.
enum class CBMFileType { prg, seq, usr, rel, del, other };

inline constexpr std::array<CBMFileType, 6> allCBMFileTypes = {
    CBMFileType::prg, CBMFileType::seq, CBMFileType::usr,
    CBMFileType::rel, CBMFileType::del, CBMFileType::other};

// "PRG", "SEQ", "USR", "REL", "DEL" or "other".
QString rawValue(CBMFileType type);

// Exact, case-sensitive match of a raw value; "prg" and "CBM" give nothing.
std::optional<CBMFileType> cbmFileTypeFromRaw(const QString& raw);

// Extension given to a file saved to the computer: seq/usr/rel keep theirs, all else is prg.
QString fileExtension(CBMFileType type);

inline size_t qHash(CBMFileType type, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(type), seed);
}

} // namespace vellum
