#pragma once

#include <QString>
#include <QUrl>
#include <array>
#include <optional>

namespace vellum {

// The disk images of the Commodore drives: the 1541/1570 single-sided disk, the 1571's
// double-sided disk and the 1581's 3.5-inch disk.
enum class DiskImageFormat { d64, d71, d81 };

inline constexpr std::array<DiskImageFormat, 3> allDiskImageFormats = {
    DiskImageFormat::d64, DiskImageFormat::d71, DiskImageFormat::d81};

// "d64", "d71" or "d81", the extension a file of the format is given.
QString fileExtension(DiskImageFormat format);

// "D64", "D71" or "D81", as texts name the format.
QString displayName(DiskImageFormat format);

// The format an extension names, in any case ("D71" and "d71" alike); nothing for others.
std::optional<DiskImageFormat> diskImageFormatForExtension(const QString& extension);

// The format a file's extension names.
std::optional<DiskImageFormat> diskImageFormatOf(const QUrl& url);

} // namespace vellum
