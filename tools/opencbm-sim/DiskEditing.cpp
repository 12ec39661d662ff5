#include "DiskEditing.h"

#include "DiskGeometry.h"

#include "images/D64Builder.h"

#include <algorithm>

namespace vellum::sim {

namespace {

constexpr char shiftedBlank = static_cast<char>(0xA0);
constexpr qint64 diskNameOffset = 0x90;
constexpr qint64 diskIdOffset = 0xA2;

QByteArray padded(const QByteArray& bytes, qsizetype length) {
    return bytes.left(length).leftJustified(length, shiftedBlank);
}

void setDiskName(QByteArray& disk, const QByteArray& name) {
    disk.replace(sectorOffset(18, 0) + diskNameOffset, 16, padded(name, 16));
}

} // namespace

void writeBamFromUsedSectors(QByteArray& disk, const QSet<QPair<int, int>>& used) {
    D64Builder builder = D64Builder::openDosTracks(disk);
    for (int track = 1; track <= dosTracks; ++track) {
        for (int sector = 0; sector < sectorsOnTrack(track); ++sector) {
            builder.setFree(track, sector, !used.contains(qMakePair(track, sector)));
        }
    }
    builder.writeBAM();
    disk = builder.data();
}

QByteArray withoutEntries(const QByteArray& disk, const QList<RawEntry>& doomed) {
    const QList<RawEntry> entries = directoryEntries(disk);
    QList<qint64> listedPositions;
    QList<RawEntry> unlisted;
    qint64 position = 0;
    for (const RawEntry& entry : entries) {
        if (doomed.contains(entry)) {
            if (entry.isListedByImages()) {
                listedPositions << position;
            } else {
                unlisted << entry;
            }
        }
        if (entry.isListedByImages()) {
            ++position;
        }
    }
    // Later entries first, so that the positions of the earlier ones still hold.
    std::sort(listedPositions.begin(), listedPositions.end(), std::greater<>());
    D64Builder builder = D64Builder::openDosTracks(disk);
    for (const qint64 listed : listedPositions) {
        builder.deleteFile(listed);
    }
    builder.writeBAM();
    QByteArray result = builder.data();
    for (const RawEntry& entry : unlisted) {
        result[entry.slotOffset() + 2] = 0;
    }
    return result;
}

QByteArray quicklyCleared(const QByteArray& disk, const QByteArray& name) {
    const qint64 bam = sectorOffset(18, 0);
    const QByteArray id = disk.mid(bam + diskIdOffset, 2);
    QByteArray fresh = D64Builder::create(QString()).data();
    setDiskName(fresh, name);
    fresh.replace(bam + diskIdOffset, 2, id);
    QByteArray result = disk;
    const qint64 headerSectors = 2 * sectorSize; // the BAM and the first directory sector
    result.replace(bam, headerSectors, fresh.mid(bam, headerSectors));
    return result;
}

QByteArray freshlyFormatted(const QByteArray& name, const QByteArray& id, int tracks) {
    QByteArray disk = D64Builder::create(QString()).data();
    setDiskName(disk, name);
    disk.replace(sectorOffset(18, 0) + diskIdOffset, 2, padded(id, 2));
    disk.append(QByteArray(imageSize(tracks) - disk.size(), '\0'));
    return disk;
}

QByteArray withFileAdded(const QByteArray& disk, const QByteArray& name, CBMFileType type,
                         const QByteArray& contents) {
    const QList<RawEntry> before = directoryEntries(disk);
    D64Builder builder = D64Builder::openDosTracks(disk);
    builder.addFile(QString::fromLatin1(name), type, contents);
    QByteArray result = builder.data();
    for (const RawEntry& entry : directoryEntries(result)) {
        const bool isNew = std::none_of(before.begin(), before.end(), [&](const RawEntry& old) {
            return old.slotOffset() == entry.slotOffset();
        });
        if (isNew) {
            result.replace(entry.slotOffset() + 5, 16, padded(name, 16));
        }
    }
    return result;
}

} // namespace vellum::sim
