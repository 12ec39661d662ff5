#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <optional>

namespace vellum::sim {

// The drive's view of a disk: 35 tracks as the DOS knows them, and the five extra tracks
// that an extended format adds (17 sectors each).
inline constexpr int dosTracks = 35;
inline constexpr int extendedTracks = 40;
inline constexpr int sectorSize = 256;

// The three disks the simulated drives take: the 1541's (35 or 40 tracks), the 1571's
// double-sided one (70 tracks, side two laid out as side one) and the 1581's (80 tracks of
// 40 sectors). The disk file's size tells them apart.
enum class DiskKind { d64, d71, d81 };

DiskKind diskKindOf(const QByteArray& disk);
int trackCount(DiskKind kind);                // 35, 70, 80
int directoryTrackOf(DiskKind kind);          // 18, 18, 40
int sectorsOnTrack(DiskKind kind, int track); // 0 outside the disk
int sectorsUpToTrack(DiskKind kind, int lastTrack);
qint64 sectorOffset(DiskKind kind, int track, int sector);
qint64 imageSize(DiskKind kind); // 174848, 349696, 819200

// The tracks in the order the transfer tools copy them: d64copy -2 alternates the sides
// (1, 36, 2, 37, …, 35, 70); everything else goes upwards.
QList<int> copyOrder(DiskKind kind, int firstTrack, int lastTrack);

int sectorsOnTrack(int track);       // the 1541's: 0 outside 1-40
int sectorsUpToTrack(int lastTrack); // sectors on tracks 1..lastTrack
qint64 sectorOffset(int track, int sector);
qint64 imageSize(int tracks); // 174848 for 35 tracks, 196608 for 40

// The 256 bytes of a sector as laid out for the disk's kind, or nothing when the disk holds
// no such sector.
std::optional<QByteArray> readSector(const QByteArray& disk, int track, int sector);
void writeSector(QByteArray& disk, int track, int sector, const QByteArray& bytes);

} // namespace vellum::sim
