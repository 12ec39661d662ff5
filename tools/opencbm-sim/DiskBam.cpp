#include "DiskBam.h"

#include "RawDirectory.h"

namespace vellum::sim {

namespace {

constexpr char shiftedBlank = static_cast<char>(0xA0);

struct TrackMap {
    qint64 count = 0;  // offset of the free count
    qint64 bitmap = 0; // offset of the first bitmap byte
};

std::optional<TrackMap> trackMap(DiskKind kind, int track) {
    if (sectorsOnTrack(kind, track) == 0) {
        return std::nullopt;
    }
    if (kind == DiskKind::d81) {
        const qint64 base =
            sectorOffset(kind, 40, track <= 40 ? 1 : 2) + 0x10 + 6 * ((track - 1) % 40);
        return TrackMap{base, base + 1};
    }
    const qint64 bam = sectorOffset(kind, 18, 0);
    if (track <= dosTracks) {
        return TrackMap{bam + 4 * track, bam + 4 * track + 1};
    }
    if (kind == DiskKind::d71) {
        const int side = track - dosTracks - 1;
        return TrackMap{bam + 0xDD + side, sectorOffset(kind, 53, 0) + 3 * side};
    }
    return std::nullopt;
}

bool isDirectoryTrack(DiskKind kind, int track) {
    return track == directoryTrackOf(kind) || (kind == DiskKind::d71 && track == 53);
}

void putName(QByteArray& disk, qint64 offset, const QByteArray& name, qsizetype length) {
    disk.replace(offset, length, name.left(length).leftJustified(length, shiftedBlank));
}

void link(QByteArray& disk, DiskKind kind, int track, int sector, int nextTrack, int nextSector) {
    const qint64 offset = sectorOffset(kind, track, sector);
    disk[offset] = static_cast<char>(nextTrack);
    disk[offset + 1] = static_cast<char>(nextSector);
}

} // namespace

bool isSectorFree(const QByteArray& disk, int track, int sector) {
    const std::optional<TrackMap> map = trackMap(diskKindOf(disk), track);
    if (!map || sector < 0 || map->bitmap + sector / 8 >= disk.size()) {
        return false;
    }
    return (static_cast<quint8>(disk.at(map->bitmap + sector / 8)) >> (sector % 8) & 1) != 0;
}

void setSectorFree(QByteArray& disk, int track, int sector, bool free) {
    const std::optional<TrackMap> map = trackMap(diskKindOf(disk), track);
    if (!map || isSectorFree(disk, track, sector) == free) {
        return;
    }
    const auto bit = static_cast<char>(1 << (sector % 8));
    char& bits = disk[map->bitmap + sector / 8];
    bits = static_cast<char>(free ? bits | bit : bits & ~bit);
    disk[map->count] =
        static_cast<char>(static_cast<quint8>(disk.at(map->count)) + (free ? 1 : -1));
}

int dosBlocksFree(const QByteArray& disk, bool bothSides) {
    const DiskKind kind = diskKindOf(disk);
    const int lastTrack = kind == DiskKind::d71 && !bothSides ? dosTracks : trackCount(kind);
    int free = 0;
    for (int track = 1; track <= lastTrack; ++track) {
        const std::optional<TrackMap> map = trackMap(kind, track);
        if (map && !isDirectoryTrack(kind, track) && map->count < disk.size()) {
            free += static_cast<quint8>(disk.at(map->count));
        }
    }
    return free;
}

void rewriteBam(QByteArray& disk, const QSet<QPair<int, int>>& used, int lastTrack) {
    const DiskKind kind = diskKindOf(disk);
    for (int track = 1; track <= lastTrack; ++track) {
        for (int sector = 0; sector < sectorsOnTrack(kind, track); ++sector) {
            // The 1571 never lets files onto track 53, whatever the directory says.
            const bool taken =
                used.contains({track, sector}) || (kind == DiskKind::d71 && track == 53);
            setSectorFree(disk, track, sector, !taken);
        }
    }
}

QByteArray formattedDisk(DiskKind kind, const QByteArray& name, const QByteArray& id) {
    QByteArray disk(imageSize(kind), '\0');
    const int dirTrack = directoryTrackOf(kind);
    const qint64 header = sectorOffset(kind, dirTrack, 0);
    if (kind == DiskKind::d81) {
        link(disk, kind, 40, 0, 40, 3);
        disk[header + 2] = 'D';
        putName(disk, header + 4, name, 16);
        putName(disk, header + 0x14, {}, 2);
        putName(disk, header + 0x16, id, 2);
        disk.replace(header + 0x18, 5,
                     "\xA0"
                     "3D\xA0\xA0");
        for (const int bamSector : {1, 2}) {
            const qint64 bam = sectorOffset(kind, 40, bamSector);
            link(disk, kind, 40, bamSector, bamSector == 1 ? 40 : 0, bamSector == 1 ? 2 : 0xFF);
            disk[bam + 2] = 'D';
            disk[bam + 3] = static_cast<char>(0xBB);
            putName(disk, bam + 4, id, 2);
            disk[bam + 6] = static_cast<char>(0xC0);
        }
        link(disk, kind, 40, 3, 0, 0xFF);
        rewriteBam(disk, {{40, 0}, {40, 1}, {40, 2}, {40, 3}}, trackCount(kind));
        return disk;
    }
    link(disk, kind, 18, 0, 18, 1);
    disk[header + 2] = 'A';
    disk[header + 3] = kind == DiskKind::d71 ? static_cast<char>(0x80) : '\0';
    putName(disk, header + 0x90, name, 16);
    putName(disk, header + 0xA0, {}, 2);
    putName(disk, header + 0xA2, id, 2);
    disk.replace(header + 0xA4, 7,
                 "\xA0"
                 "2A\xA0\xA0\xA0\xA0");
    link(disk, kind, 18, 1, 0, 0xFF);
    rewriteBam(disk, {{18, 0}, {18, 1}}, trackCount(kind));
    return disk;
}

std::optional<QByteArray> withDemoFile(const QByteArray& original, const QByteArray& name,
                                       const QByteArray& contents, int firstTrack) {
    QByteArray disk = original;
    const DiskKind kind = diskKindOf(disk);
    const qsizetype blocks = std::max<qsizetype>(1, (contents.size() + 253) / 254);
    QList<QPair<int, int>> taken;
    for (int step = 0; step < trackCount(kind) && taken.size() < blocks; ++step) {
        const int track = (firstTrack - 1 + step) % trackCount(kind) + 1;
        for (int sector = 0; !isDirectoryTrack(kind, track) &&
                             sector < sectorsOnTrack(kind, track) && taken.size() < blocks;
             ++sector) {
            if (isSectorFree(disk, track, sector)) {
                taken << qMakePair(track, sector);
            }
        }
    }
    const qint64 directory =
        sectorOffset(kind, directoryTrackOf(kind), kind == DiskKind::d81 ? 3 : 1);
    qint64 slot = directory;
    while (slot < directory + sectorSize && disk.at(slot + 2) != 0) {
        slot += 32;
    }
    if (taken.size() < blocks || slot >= directory + sectorSize) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < taken.size(); ++i) {
        const auto [track, sector] = taken.at(i);
        const QByteArray part = contents.mid(254 * i, 254);
        const qint64 offset = sectorOffset(kind, track, sector);
        disk.replace(offset + 2, part.size(), part);
        if (i + 1 < taken.size()) {
            link(disk, kind, track, sector, taken.at(i + 1).first, taken.at(i + 1).second);
        } else {
            link(disk, kind, track, sector, 0, static_cast<int>(part.size()) + 1);
        }
        setSectorFree(disk, track, sector, false);
    }
    disk[slot + 2] = static_cast<char>(0x82);
    disk[slot + 3] = static_cast<char>(taken.first().first);
    disk[slot + 4] = static_cast<char>(taken.first().second);
    putName(disk, slot + 5, name, 16);
    disk[slot + 30] = static_cast<char>(blocks % 256);
    disk[slot + 31] = static_cast<char>(blocks / 256);
    return disk;
}

QByteArray demoDisk(DiskKind kind) {
    struct DemoFile {
        QByteArray name;
        int blocks;
        int firstTrack;
    };
    const bool d81 = kind == DiskKind::d81;
    const QList<DemoFile> files =
        d81 ? QList<DemoFile>{{"ONE", 10, 1}, {"ACROSS FORTY", 100, 39}, {"LAST", 5, 80}}
            : QList<DemoFile>{{"ACROSS", 40, 35}, {"FRONT", 20, 1}, {"BACK", 30, 36}};
    QByteArray disk =
        formattedDisk(kind, d81 ? "THREE AND A HALF" : "DOUBLE SIDED", d81 ? "81" : "71");
    int seed = 1;
    for (const DemoFile& file : files) {
        QByteArray contents(254 * file.blocks - 100, '\0');
        for (qsizetype i = 0; i < contents.size(); ++i) {
            contents[i] = static_cast<char>((i * 7 + seed) % 251);
        }
        disk = *withDemoFile(disk, file.name, contents, file.firstTrack);
        ++seed;
    }
    return disk;
}

} // namespace vellum::sim
