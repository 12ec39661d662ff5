#include "DiskGeometry.h"

namespace vellum::sim {

namespace {

constexpr qint64 d71Bytes = 1366 * sectorSize;
constexpr qint64 d81Bytes = 3200 * sectorSize;

} // namespace

DiskKind diskKindOf(const QByteArray& disk) {
    // With or without the error bytes that follow the sectors.
    if (disk.size() == d71Bytes || disk.size() == d71Bytes + 1366) {
        return DiskKind::d71;
    }
    if (disk.size() == d81Bytes || disk.size() == d81Bytes + 3200) {
        return DiskKind::d81;
    }
    return DiskKind::d64;
}

int trackCount(DiskKind kind) {
    switch (kind) {
    case DiskKind::d71:
        return 2 * dosTracks;
    case DiskKind::d81:
        return 80;
    case DiskKind::d64:
        break;
    }
    return dosTracks;
}

int directoryTrackOf(DiskKind kind) {
    return kind == DiskKind::d81 ? 40 : 18;
}

int sectorsOnTrack(DiskKind kind, int track) {
    switch (kind) {
    case DiskKind::d71:
        if (track > dosTracks && track <= 2 * dosTracks) {
            return sectorsOnTrack(track - dosTracks);
        }
        return track <= dosTracks ? sectorsOnTrack(track) : 0;
    case DiskKind::d81:
        return track >= 1 && track <= 80 ? 40 : 0;
    case DiskKind::d64:
        break;
    }
    return sectorsOnTrack(track);
}

int sectorsUpToTrack(DiskKind kind, int lastTrack) {
    int total = 0;
    for (int track = 1; track <= lastTrack; ++track) {
        total += sectorsOnTrack(kind, track);
    }
    return total;
}

qint64 sectorOffset(DiskKind kind, int track, int sector) {
    return static_cast<qint64>(sectorsUpToTrack(kind, track - 1) + sector) * sectorSize;
}

qint64 imageSize(DiskKind kind) {
    return static_cast<qint64>(sectorsUpToTrack(kind, trackCount(kind))) * sectorSize;
}

QList<int> copyOrder(DiskKind kind, int firstTrack, int lastTrack) {
    QList<int> order;
    if (kind != DiskKind::d71) {
        for (int track = firstTrack; track <= lastTrack; ++track) {
            order << track;
        }
        return order;
    }
    for (int track = 1; track <= dosTracks; ++track) {
        for (const int side : {track, track + dosTracks}) {
            if (side >= firstTrack && side <= lastTrack) {
                order << side;
            }
        }
    }
    return order;
}

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
    return sectorsUpToTrack(DiskKind::d64, lastTrack);
}

qint64 sectorOffset(int track, int sector) {
    return sectorOffset(DiskKind::d64, track, sector);
}

qint64 imageSize(int tracks) {
    return static_cast<qint64>(sectorsUpToTrack(tracks)) * sectorSize;
}

std::optional<QByteArray> readSector(const QByteArray& disk, int track, int sector) {
    const DiskKind kind = diskKindOf(disk);
    if (sector < 0 || sector >= sectorsOnTrack(kind, track)) {
        return std::nullopt;
    }
    const qint64 offset = sectorOffset(kind, track, sector);
    if (offset + sectorSize > disk.size()) {
        return std::nullopt;
    }
    return disk.mid(offset, sectorSize);
}

void writeSector(QByteArray& disk, int track, int sector, const QByteArray& bytes) {
    const qint64 offset = sectorOffset(diskKindOf(disk), track, sector);
    if (disk.size() < offset + sectorSize) {
        disk.append(QByteArray(offset + sectorSize - disk.size(), '\0'));
    }
    disk.replace(offset, sectorSize, bytes.left(sectorSize).leftJustified(sectorSize, '\0'));
}

} // namespace vellum::sim
