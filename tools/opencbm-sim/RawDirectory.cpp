#include "RawDirectory.h"

#include "DiskGeometry.h"

#include <QSet>

namespace vellum::sim {

namespace {

constexpr quint8 namePadding = 0xA0;

quint8 byteAt(const QByteArray& bytes, qsizetype index) {
    return static_cast<quint8>(bytes.at(index));
}

} // namespace

qint64 RawEntry::slotOffset() const {
    return sectorOffset(kind, directoryTrack, directorySector) + 32 * slot;
}

QByteArray RawEntry::plainName() const {
    const qsizetype end = name.indexOf(static_cast<char>(namePadding));
    return end < 0 ? name : name.left(end);
}

bool isReadableDisk(const QByteArray& disk) {
    return disk.size() >= imageSize(dosTracks);
}

QList<QPair<int, int>> directorySectors(const QByteArray& disk) {
    QList<QPair<int, int>> sectors;
    QSet<int> visited;
    const DiskKind kind = diskKindOf(disk);
    int track = directoryTrackOf(kind);
    int sector = kind == DiskKind::d81 ? 3 : 1;
    while (track >= 1 && track <= trackCount(kind)) {
        const std::optional<QByteArray> bytes = readSector(disk, track, sector);
        if (!bytes || visited.contains(track * 256 + sector)) {
            break;
        }
        visited.insert(track * 256 + sector);
        sectors << qMakePair(track, sector);
        track = byteAt(*bytes, 0);
        sector = byteAt(*bytes, 1);
    }
    return sectors;
}

QList<RawEntry> directoryEntries(const QByteArray& disk) {
    QList<RawEntry> entries;
    for (const auto& [track, sector] : directorySectors(disk)) {
        const QByteArray bytes = *readSector(disk, track, sector);
        for (int slot = 0; slot < 8; ++slot) {
            const int base = 32 * slot;
            const quint8 type = byteAt(bytes, base + 2);
            if (type == 0) {
                continue;
            }
            RawEntry entry;
            entry.kind = diskKindOf(disk);
            entry.directoryTrack = track;
            entry.directorySector = sector;
            entry.slot = slot;
            entry.typeByte = type;
            entry.startTrack = byteAt(bytes, base + 3);
            entry.startSector = byteAt(bytes, base + 4);
            entry.name = bytes.mid(base + 5, 16);
            entry.blocks = byteAt(bytes, base + 30) + 256 * byteAt(bytes, base + 31);
            entries << entry;
        }
    }
    return entries;
}

bool nameMatches(const QByteArray& pattern, const QByteArray& name) {
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char p = pattern.at(i);
        if (p == '*') {
            return true;
        }
        if (i >= name.size()) {
            return false;
        }
        if (p != '?' && p != name.at(i)) {
            return false;
        }
    }
    return pattern.size() == name.size();
}

ChainRead readChain(const QByteArray& disk, int track, int sector, int lastTrack) {
    ChainRead chain;
    if (lastTrack == 0) {
        lastTrack = trackCount(diskKindOf(disk));
    }
    QSet<int> visited;
    for (;;) {
        const std::optional<QByteArray> bytes = readSector(disk, track, sector);
        if (!bytes || track > lastTrack || visited.contains(track * 256 + sector)) {
            chain.broken = true;
            return chain;
        }
        visited.insert(track * 256 + sector);
        chain.sectors << qMakePair(track, sector);
        const int nextTrack = byteAt(*bytes, 0);
        const int nextSector = byteAt(*bytes, 1);
        if (nextTrack == 0) {
            // The last sector's second byte is the position of its last used byte.
            const int lastUsed = std::max(nextSector, 1);
            chain.bytes += bytes->mid(2, lastUsed - 1);
            return chain;
        }
        chain.bytes += bytes->mid(2);
        track = nextTrack;
        sector = nextSector;
    }
}

} // namespace vellum::sim
