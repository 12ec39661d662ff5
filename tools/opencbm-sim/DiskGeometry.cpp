#include "DiskGeometry.h"

namespace vellum::sim {

int sectorsOnTrack(int track) {
    if (track < 1 || track > extendedTracks) {
        return 0;
    }
    if (track <= 17) {
        return 21;
    }
    if (track <= 24) {
        return 19;
    }
    if (track <= 30) {
        return 18;
    }
    return 17;
}

int sectorsUpToTrack(int lastTrack) {
    int total = 0;
    for (int track = 1; track <= lastTrack; ++track) {
        total += sectorsOnTrack(track);
    }
    return total;
}

qint64 sectorOffset(int track, int sector) {
    return static_cast<qint64>(sectorsUpToTrack(track - 1) + sector) * sectorSize;
}

qint64 imageSize(int tracks) {
    return static_cast<qint64>(sectorsUpToTrack(tracks)) * sectorSize;
}

std::optional<QByteArray> readSector(const QByteArray& disk, int track, int sector) {
    if (sector < 0 || sector >= sectorsOnTrack(track)) {
        return std::nullopt;
    }
    const qint64 offset = sectorOffset(track, sector);
    if (offset + sectorSize > disk.size()) {
        return std::nullopt;
    }
    return disk.mid(offset, sectorSize);
}

void writeSector(QByteArray& disk, int track, int sector, const QByteArray& bytes) {
    const qint64 offset = sectorOffset(track, sector);
    if (disk.size() < offset + sectorSize) {
        disk.append(QByteArray(offset + sectorSize - disk.size(), '\0'));
    }
    disk.replace(offset, sectorSize, bytes.left(sectorSize).leftJustified(sectorSize, '\0'));
}

} // namespace vellum::sim
