#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace vellum::sim {

// The drive's view of a disk: 35 tracks as the DOS knows them, and the five extra tracks
// that an extended format adds (17 sectors each).
inline constexpr int dosTracks = 35;
inline constexpr int extendedTracks = 40;
inline constexpr int sectorSize = 256;

int sectorsOnTrack(int track);       // 0 outside 1-40
int sectorsUpToTrack(int lastTrack); // sectors on tracks 1..lastTrack
qint64 sectorOffset(int track, int sector);
qint64 imageSize(int tracks); // 174848 for 35 tracks, 196608 for 40

// The 256 bytes of a sector, or nothing when the disk holds no such sector.
std::optional<QByteArray> readSector(const QByteArray& disk, int track, int sector);
void writeSector(QByteArray& disk, int track, int sector, const QByteArray& bytes);

} // namespace vellum::sim
