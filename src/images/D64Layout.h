#pragma once

#include "images/DiskGeometry.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

// The sectors, chains, directory and names that the D64, D71 and D81 share. Functions that
// take an image work out its format from its size (geometryOfImage); the constants describe
// the D64.
namespace vellum::D64Layout {

// A 35-track 1541 disk: tracks 1-17 hold 21 sectors, 18-24 hold 19, 25-30 hold 18 and
// 31-35 hold 17, one 256-byte sector after the other from track 1 sector 0. An extended
// format adds tracks 36-40 of 17 sectors each, which the DOS's free map does not cover.
inline constexpr qint64 sectorSize = 256;
inline constexpr qint64 trackCount = 35;
inline constexpr qint64 sectorCount = 683;
inline constexpr qint64 imageSize = sectorCount * sectorSize; // 174848
inline constexpr qint64 extendedTrackCount = 40;
inline constexpr qint64 extendedSectorCount = 768;
inline constexpr qint64 extendedImageSize = extendedSectorCount * sectorSize; // 196608
// The largest D64 in use: 42 tracks with an error byte for each of their 802 sectors.
inline constexpr qint64 largestImageSize = 802 * (sectorSize + 1);
// The most file data an empty disk holds: 254 bytes in every sector off track 18.
inline constexpr qint64 largestFileSize = (sectorCount - 19) * 254; // 168656
inline constexpr qint64 directoryTrack = 18;
inline constexpr qint64 bamSector = 0;
inline constexpr qint64 firstDirectorySector = 1;
inline constexpr qint64 entriesPerSector = 8;
inline constexpr qint64 entrySize = 32;
inline constexpr qint64 nameLength = 16;
inline constexpr char padding = char(0xA0);

// On a D64: 0 for any track outside 1-40.
qint64 sectorsPerTrack(qint64 track);

// The tracks whose sectors the image holds: 35 or 40 for a D64, 70 for a D71, 80 for a D81.
qint64 tracksOf(const QByteArray& image);

// The sector number is not checked against the track: a sector past the track's end lands
// in a later track, as the drive's own arithmetic would. Without a geometry, on a D64.
qint64 sectorOffset(qint64 track, qint64 sector);
qint64 sectorOffset(const DiskGeometry& geometry, qint64 track, qint64 sector);

// Exactly 256 bytes; a sector beyond the image's tracks reads as zeros.
QByteArray sector(const QByteArray& image, qint64 track, qint64 sector);

// The sector's 256 bytes inside the image, or 256 zero bytes when the image is too short;
// valid while the image is unchanged.
const char* sectorData(const QByteArray& image, qint64 track, qint64 sector);

// Whether the sector exists on a D64 of `tracks` tracks, or on a disk of the geometry.
bool isValidSector(qint64 track, qint64 sector, qint64 tracks = trackCount);
bool isValidSector(const DiskGeometry& geometry, qint64 track, qint64 sector);

// A key for visited-set guards on chain walks; unique for every track and byte-sized sector.
inline qint64 sectorKey(qint64 track, qint64 sector) {
    return track * 256 + sector;
}

// Why a chain ended before a last sector: it starts or links to a sector that the image
// does not have, or it comes back to a sector it has passed. `track` and `sector` name that
// sector.
struct ChainFault {
    enum class Kind { startOutsideDisk, linkOutsideDisk, loop };
    Kind kind = Kind::loop;
    qint64 track = 0;
    qint64 sector = 0;
    friend bool operator==(const ChainFault&, const ChainFault&) = default;
};

struct ChainSize {
    qint64 sectors = 0;
    qint64 bytes = 0;
    std::optional<ChainFault> fault;
    friend bool operator==(const ChainSize&, const ChainSize&) = default;
};

// Walks a file chain from its first sector, stopping at the last sector, at a link to a
// sector the image's tracks do not have, or at the first sector seen twice.
ChainSize chainSize(const QByteArray& image, qint64 track, qint64 sector);
QByteArray readChain(const QByteArray& image, qint64 track, qint64 sector);

// The sectors a chain passes through, in order, with the same bounds and guard.
QList<std::pair<qint64, qint64>> chainSectors(const QByteArray& image, qint64 track, qint64 sector);

// Calls visit(track, sector, slot, entryBytes) for every slot of the directory chain from
// its first sector (18/1, or 40/3 on a D81) whose type bits 0-2 are not 0, in listing order; the
// walk ends at a link to a sector the image does not have or at a sector seen twice. `visit`
// returns false to stop.
void forEachListedEntry(
    const QByteArray& image,
    const std::function<bool(qint64 track, qint64 sector, qint64 slot, const char* entry)>& visit);

// ASCII up to the first 0x00 or 0xA0, trimmed; empty when a byte is 0x80 or above.
QString decodeName(const QByteArray& bytes, qint64 offset, qint64 length);
QString decodeName(const char* bytes, qint64 length);

// 16 bytes: the upper-cased text's printable ASCII at its position, 0xA0 elsewhere.
QByteArray encodeName(const QString& text);

// Fails with the reader's message when the image is shorter than 683 sectors.
void checkImageSize(const QByteArray& image);

// Fails when the image's size is not one of the format's: too short, or the size of another
// format, as a file named .d71 that holds a D64 would be.
void checkImageSize(const QByteArray& image, DiskImageFormat format);

// The partition type of a D81 directory entry (bits 0-2 are 5): an area of the disk listed
// as one entry, which holds a disk of its own rather than a file chain.
inline constexpr quint8 partitionType = 5;
bool isPartition(const DiskGeometry& geometry, quint8 typeByte);

// The sectors of a partition: `blocks` sectors in a row from its first, within the disk.
QList<std::pair<qint64, qint64>> partitionSectors(const DiskGeometry& geometry, qint64 track,
                                                  qint64 sector, qint64 blocks);

} // namespace vellum::D64Layout
