#pragma once

#include "DiskGeometry.h"

#include <QByteArray>
#include <QPair>
#include <QSet>

namespace vellum::sim {

// The block availability maps of the three disks, kept by the drive's own rules: a free count
// and a bitmap (a set bit is a free sector) per track, in 18/0 for tracks 1-35, in 18/0
// (counts) and 53/0 (bitmaps) for the 1571's second side, in 40/1 and 40/2 on a 1581 disk.

bool isSectorFree(const QByteArray& disk, int track, int sector);
// Marks one sector and keeps the track's free count in step.
void setSectorFree(QByteArray& disk, int track, int sector, bool free);

// "BLOCKS FREE." as the drive counts it: the directory tracks (18; 18 and 53; 40) never
// hold file data and are left out. `bothSides` false counts a D71 as a 1571 in 1541 mode
// sees it: side one only.
int dosBlocksFree(const QByteArray& disk, bool bothSides = true);

// The map of tracks 1..lastTrack rewritten so that exactly the `used` sectors are taken.
void rewriteBam(QByteArray& disk, const QSet<QPair<int, int>>& used, int lastTrack);

// A newly formatted D71 or D81: header, empty map and directory, every other sector zero.
QByteArray formattedDisk(DiskKind kind, const QByteArray& name, const QByteArray& id);

// The disk with a PRG file added under `name`, its blocks taken from `firstTrack` upwards
// (the directory tracks skipped) and its entry in the first free slot of the first
// directory sector. Nothing comes back when the file does not fit.
std::optional<QByteArray> withDemoFile(const QByteArray& disk, const QByteArray& name,
                                       const QByteArray& contents, int firstTrack);

// A demo disk for a 1571 (D71) or a 1581 (D81) with a few files: on the D71 the first file
// runs from side one onto side two, another lies on side two alone.
QByteArray demoDisk(DiskKind kind);

} // namespace vellum::sim
