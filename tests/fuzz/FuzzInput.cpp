#include "FuzzInput.h"

#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"

#include <algorithm>
#include <array>

namespace vellum::fuzzing {

namespace {

using namespace D64Layout;

// Files of many sizes fill tracks 1-35; in a 40-track image the last one goes on over
// tracks 36-39, and one more file lies on track 40 alone.
QByteArray soundImage(qint64 tracks) {
    D64Builder builder = D64Builder::create("FUZZ", "FZ");
    for (int i = 0; i < 23; ++i) {
        const QByteArray contents(1 + (i % 6) * 97 + (i % 4) * 2500, char(i));
        builder.addFile(QStringLiteral("FILE %1").arg(i),
                        i % 3 ? CBMFileType::prg : CBMFileType::seq, contents);
    }
    QByteArray image = builder.data();
    if (tracks == trackCount) {
        return image;
    }
    image.append(QByteArray(extendedImageSize - imageSize, '\0'));
    const auto link = [&](qint64 track, qint64 sector, quint8 nextTrack, quint8 nextSector) {
        image[sectorOffset(track, sector)] = char(nextTrack);
        image[sectorOffset(track, sector) + 1] = char(nextSector);
    };
    std::pair<qint64, qint64> lastStart;
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        lastStart = {quint8(entry[3]), quint8(entry[4])};
        return true;
    });
    auto [previousTrack, previousSector] =
        chainSectors(image, lastStart.first, lastStart.second).last();
    for (qint64 track = 36; track <= 39; ++track) {
        for (qint64 sector = 0; sector < 17; sector += 4) {
            link(previousTrack, previousSector, quint8(track), quint8(sector));
            image.replace(sectorOffset(track, sector) + 2, 254, QByteArray(254, char(track)));
            previousTrack = track;
            previousSector = sector;
        }
    }
    link(previousTrack, previousSector, 0, 0x80);
    for (qint64 sector = 0; sector < 16; ++sector) {
        link(40, sector, 40, quint8(sector + 1));
    }
    link(40, 16, 0, 0x10);
    // The directory's last sector has a free slot for it.
    const auto directory = chainSectors(image, directoryTrack, firstDirectorySector);
    for (qint64 slot = 0; slot < entriesPerSector; ++slot) {
        const qint64 entry =
            sectorOffset(directory.last().first, directory.last().second) + slot * entrySize;
        if (image[entry + 2] == 0) {
            image[entry + 2] = char(0x82);
            image[entry + 3] = 40;
            image[entry + 4] = 0;
            image.replace(entry + 5, nameLength, encodeName(QStringLiteral("FAR")));
            break;
        }
    }
    return image;
}

// A D71 or D81 three quarters full, so that the last files lie on tracks 36-70 or 41-80;
// a D81 also lists a partition on its last two tracks.
QByteArray soundLargeImage(DiskImageFormat format) {
    D64Builder builder = D64Builder::create("FUZZ", "FZ", format);
    const qint64 step = builder.freeBlockCount() * 254 / 80;
    // 39 files leave the last slot of the fifth directory sector for the partition.
    for (int i = 0; i < 39; ++i) {
        const QByteArray contents(1 + (i % 6) * 97 + (i % 4) * step, char(i));
        builder.addFile(QStringLiteral("FILE %1").arg(i),
                        i % 3 ? CBMFileType::prg : CBMFileType::seq, contents);
    }
    if (format != DiskImageFormat::d81) {
        return builder.data();
    }
    for (qint64 track = 79; track <= 80; ++track) {
        for (qint64 sector = 0; sector < 40; ++sector) {
            builder.setFree(track, sector, false);
        }
    }
    builder.writeBAM();
    QByteArray image = builder.data();
    const auto directory = chainSectors(image, 40, 3);
    const qint64 entry =
        sectorOffset(geometryOf(format), directory.last().first, directory.last().second) +
        (D64Extractor::files(image).size() % entriesPerSector) * entrySize;
    image[entry + 2] = char(0x85);
    image[entry + 3] = 79;
    image[entry + 4] = 0;
    image.replace(entry + 5, nameLength, encodeName(QStringLiteral("PART")));
    image[entry + 30] = char(80);
    return image;
}

QByteArray makeLargeImage(DiskImageFormat format, uint8_t choice) {
    const QByteArray sound = soundLargeImage(format);
    switch (choice) {
    case 1:
        return sound + QByteArray(sound.size() / 256, char(0x01));
    case 2:
        return sound + QByteArray(1000, char(0x55));
    case 3:
        return sound.left(sound.size() - 1);
    default:
        return sound;
    }
}

QByteArray makeSizedImage(uint8_t choice) {
    const QByteArray thirtyFive = soundImage(trackCount);
    const QByteArray forty = soundImage(extendedTrackCount);
    switch (choice) {
    case 0:
        return thirtyFive;
    case 1:
        return thirtyFive + QByteArray(sectorCount, char(0x01));
    case 2:
        return forty;
    case 3:
        return forty + QByteArray(extendedSectorCount, char(0x01));
    case 4:
        return forty + QByteArray(34 * 256, '\0'); // 42 tracks
    case 5:
        return forty + QByteArray(34 * 256 + 802, char(0x01));
    case 6:
        return thirtyFive + QByteArray(1000, char(0x55));
    default:
        return thirtyFive.left(imageSize - 1);
    }
}

// Made once: every run starts from a shared copy, which the first patch detaches.
const QByteArray& sizedImage(uint8_t choice) {
    static const std::array<QByteArray, 24> images = [] {
        std::array<QByteArray, 24> made;
        for (uint8_t i = 0; i < 8; ++i) {
            made[i] = makeSizedImage(i);
            made[8 + i] = makeLargeImage(DiskImageFormat::d71, i);
            made[16 + i] = makeLargeImage(DiskImageFormat::d81, i);
        }
        return made;
    }();
    const int format = (choice >> 4) & 0x03;
    return images[(format == 1 || format == 2 ? 8 * format : 0) + (choice & 0x07)];
}

} // namespace

qsizetype sectorBytesOf(const QByteArray& image) {
    return std::min<qsizetype>(image.size(), geometryOfImage(image).dataSize());
}

QByteArray imageFromInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return sizedImage(0);
    }
    QByteArray image = sizedImage(data[0]);
    const char* bytes = reinterpret_cast<const char*>(data);
    qsizetype at = 1;
    const qsizetype end = qsizetype(size);
    if ((data[0] & 0x08) == 0) {
        const DiskGeometry& geometry = geometryOfImage(image);
        const qint64 directoryTrack = geometry.directoryTrack;
        const qsizetype replaced =
            std::min<qsizetype>(end - at, geometry.sectorsOnTrack[directoryTrack] * sectorSize);
        image.replace(sectorOffset(geometry, directoryTrack, 0), replaced, bytes + at, replaced);
        at += replaced;
    }
    const qsizetype sectors = std::max<qsizetype>(1, image.size() / sectorSize);
    while (at + 4 <= end) {
        const qsizetype sector = (data[at] | data[at + 1] << 8) % sectors;
        const qsizetype offset = sector * sectorSize + data[at + 2];
        qsizetype length = std::min<qsizetype>(data[at + 3], end - at - 4);
        at += 4;
        length = std::clamp<qsizetype>(image.size() - offset, 0, length);
        image.replace(offset, length, bytes + at, length);
        at += length;
    }
    return image;
}

} // namespace vellum::fuzzing
