#pragma once

#include "model/OpenCBMError.h"

#include <QString>
#include <functional>
#include <optional>

namespace vellum {

// Room on the computer's file systems for what a transfer writes there, and the sentence a
// write that found none gets.

// The bytes this user may still write on the file system that holds a folder; nothing when
// that cannot be told.
using FreeSpaceProbe = std::function<std::optional<qint64>(const QString& folder)>;
std::optional<qint64> bytesAvailableIn(const QString& folder);

// "Could not write “path”: reason." — the form every failed write on the computer takes.
PlatformError couldNotWrite(const QString& path, const QString& reason);

// The system's words for a full file system ("No space left on device").
QString noSpaceLeftText();

// Throws couldNotWrite for `path`, with noSpaceLeftText(), when `available` is known and
// less than `bytes`.
void requireFreeSpace(std::optional<qint64> available, qint64 bytes, const QString& path);

// Throws couldNotWrite for `path` with the system's reason when this user may not make
// files in `folder`.
void requireWritableFolder(const QString& folder, const QString& path);

// What the file at `path` holds on the disk (0 when there is none): not its length, since a
// file grown by seeking past its end is long but empty.
qint64 storedBytes(const QString& path);

} // namespace vellum
