#pragma once

#include "model/DiskImageFormat.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace vellum {

// Where a disk format keeps its sectors, its directory and its free map. The image code
// takes one of these rather than knowing the formats itself: a D64 is 35 tracks of 17-21
// sectors, a D71 is that twice over (tracks 36-70 repeat the zones of 1-35), a D81 is 80
// tracks of 40 sectors.
struct DiskGeometry {
    DiskImageFormat format = DiskImageFormat::d64;
    // Tracks whose sectors the image holds, one after the other from track 1 sector 0.
    qint64 tracks = 35;
    // Tracks the free map covers; files are only ever put on these.
    qint64 mapTracks = 35;
    qint64 directoryTrack = 18;
    // The sector with the disk name and ID.
    qint64 headerSector = 0;
    qint64 firstDirectorySector = 1;
    // A second track that never holds file data (the D71's track 53, with the free map of
    // side two), or 0.
    qint64 otherReservedTrack = 0;
    // Sectors skipped between two blocks of a file on one track.
    qint64 interleave = 10;
    // Offsets in the header sector.
    qint64 nameOffset = 0x90;
    qint64 idOffset = 0xA2;
    qint64 dosTypeOffset = 0xA5;
    // The header's DOS version byte and the two DOS type characters.
    char dosVersion = 0x41;
    char dosType[2] = {'2', 'A'};
    // Sectors on each track 0-80 (0 for none), and the sectors before each track 0-81.
    std::array<qint64, 82> sectorsOnTrack{};
    std::array<qint64, 82> sectorsBefore{};

    // All sectors of the image's tracks.
    qint64 sectorCount() const { return sectorsBefore[tracks + 1]; }
    // The bytes of those sectors, without error bytes.
    qint64 dataSize() const { return sectorCount() * 256; }
    // Whether the track never holds file data: its blocks are not counted as free.
    bool isReserved(qint64 track) const {
        return track == directoryTrack || (otherReservedTrack != 0 && track == otherReservedTrack);
    }
    // Blocks free on a freshly formatted disk, as the drive counts them.
    qint64 freshBlocksFree() const;
};

// The layout of a standard disk of the format: a D64 of 35 tracks.
const DiskGeometry& geometryOf(DiskImageFormat format);

// The layout an image's size names: 819,200 bytes and up a D81, 349,696 and up a D71,
// 196,608 and up a D64 of 40 tracks, anything shorter a D64 of 35.
const DiskGeometry& geometryOfImage(const QByteArray& image);

// The format an image's size names; nothing when it is too short for any.
std::optional<DiskImageFormat> formatOfSize(qint64 size);

// The smallest image of the format, error bytes left out.
qint64 smallestImageSize(DiskImageFormat format);

// The largest image of any format: a D81 with an error byte for each sector.
inline constexpr qint64 largestDiskImageSize = 3200 * 257;

// The free map as the header and BAM sectors store it. `track` runs 1 to mapTracks.
namespace FreeMap {
// The count the drive reads for the track.
qint64 storedCount(const DiskGeometry& geometry, const QByteArray& image, qint64 track);
// Bit s set when sector s is free.
quint64 storedSectors(const DiskGeometry& geometry, const QByteArray& image, qint64 track);
// Writes the track's count and bits; the image holds all sectors of the geometry.
void store(const DiskGeometry& geometry, QByteArray& image, qint64 track, quint64 sectors);
// The drive's free count: the stored counts of every track that can hold file data.
qint64 blocksFree(const DiskGeometry& geometry, const QByteArray& image);
} // namespace FreeMap

} // namespace vellum
