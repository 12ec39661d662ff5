#pragma once

#include <QByteArray>
#include <QUrl>
#include <chrono>

namespace vellum {

// What a file is read whole for. Each role has a largest size, checked before anything is
// read, so that no input can ask for more memory than the largest file of its kind needs.
enum class FileRole {
    any,       // 16 MB
    diskImage, // a D81 with error bytes, the largest disk image
    tapeImage, // 16 MB, more than any tape image holds
    fileToAdd, // as large as a disk image: no larger file fits on a disk
};

// The largest size `role` allows, in bytes.
qint64 largestFileSize(FileRole role);

// The whole regular file. Fails with a PlatformError naming the file when it cannot be read,
// is not a regular file (a folder, a device, a pipe) or is larger than its role allows.
QByteArray readWholeFile(const QUrl& url, FileRole role = FileRole::any);

// The whole disk image at `url`, read as readWholeFile does for a disk image. When the
// extension names a format (.d64, .d71, .d81) the size must be one of that format's: a file
// too short for it, or of another format's size, fails with an OpenCBMError saying so.
QByteArray readDiskImage(const QUrl& url);

// Writes a hidden temporary file beside the target, syncs it, and renames it over the
// target, then syncs the folder: a crash or a full disk leaves either the old file or the
// new one, never half of either. Writes through a link to its target and keeps the mode of
// the file it replaces. Fails with a PlatformError carrying the system's reason.
void writeFileAtomically(const QUrl& url, const QByteArray& bytes);

// Where writeFileAtomically(url) puts the bytes: the file itself, or the file that a link
// there leads to. Fails as that write would for a link to nothing or a target that is not a
// regular file, so that a long task can find out before it begins.
QUrl atomicWriteTarget(const QUrl& url);

// Whether a new file is on the disk before the call returns, so that it outlives a crash,
// or left to the system, which is far quicker for many files that can be made again.
enum class Sync { toDisk, later };

// Creates the file whole or not at all and never replaces anything there, a dangling link
// included. Returns false, writing nothing, when the name is taken; fails with a
// PlatformError carrying the system's reason.
bool writeNewFile(const QUrl& url, const QByteArray& bytes, Sync sync = Sync::toDisk);

// Writes `bytes` as a new file in `folder` under `base`.`extension`, or base-2, base-3 …
// when taken (uniqueLocalURL), never replacing anything. Returns the path written.
QString writeUnderFreeName(const QString& folder, const QString& base, const QString& extension,
                           const QByteArray& bytes, Sync sync = Sync::toDisk);

// Removes what interrupted writes left in `folder`: the hidden temporary files that the
// writes above make beside their targets (regular files named exactly
// ".vellum-<uuid>.<extension>"), once nothing has written to them for `idle`, so that a
// write still running in another instance keeps its file. Nothing else is touched. Returns
// how many were removed.
int removeLeftoverTemporaryFiles(const QString& folder,
                                 std::chrono::seconds idle = std::chrono::minutes(10));

} // namespace vellum
