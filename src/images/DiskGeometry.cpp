#include "images/DiskGeometry.h"

#include <bit>

namespace vellum {

namespace {

// The 1541's four zones, by track 1-40 (tracks 36-40 only on extended disks).
constexpr qint64 zoneSectors(qint64 track) {
    if (track <= 17) {
        return 21;
    }
    if (track <= 24) {
        return 19;
    }
    return track <= 30 ? 18 : 17;
}

template <typename SectorsOf>
constexpr DiskGeometry withSectors(DiskGeometry geometry, SectorsOf sectorsOf) {
    for (qint64 t = 1; t <= geometry.tracks; ++t) {
        geometry.sectorsOnTrack[t] = sectorsOf(t);
    }
    // Past the last track every track starts after the last sector, so that an offset
    // computed for a track the disk does not have lands outside its data.
    for (qint64 t = 2; t < qint64(geometry.sectorsBefore.size()); ++t) {
        geometry.sectorsBefore[t] = geometry.sectorsBefore[t - 1] + geometry.sectorsOnTrack[t - 1];
    }
    return geometry;
}

constexpr DiskGeometry d64Geometry(qint64 tracks) {
    DiskGeometry geometry;
    geometry.tracks = tracks;
    return withSectors(geometry, zoneSectors);
}

constexpr DiskGeometry d71Geometry() {
    DiskGeometry geometry;
    geometry.format = DiskImageFormat::d71;
    geometry.tracks = 70;
    geometry.mapTracks = 70;
    geometry.otherReservedTrack = 53;
    geometry.interleave = 6;
    return withSectors(geometry, [](qint64 t) { return zoneSectors(t > 35 ? t - 35 : t); });
}

constexpr DiskGeometry d81Geometry() {
    DiskGeometry geometry;
    geometry.format = DiskImageFormat::d81;
    geometry.tracks = 80;
    geometry.mapTracks = 80;
    geometry.directoryTrack = 40;
    geometry.firstDirectorySector = 3;
    geometry.interleave = 1;
    geometry.nameOffset = 0x04;
    geometry.idOffset = 0x16;
    geometry.dosTypeOffset = 0x19;
    geometry.dosVersion = 0x44;
    geometry.dosType[0] = '3';
    geometry.dosType[1] = 'D';
    return withSectors(geometry, [](qint64) { return qint64(40); });
}

const DiskGeometry d64 = d64Geometry(35);
const DiskGeometry d64Extended = d64Geometry(40);
const DiskGeometry d71 = d71Geometry();
const DiskGeometry d81 = d81Geometry();

// Where a track's entry of the free map lies: the count byte, and the bitmap's bytes.
struct MapPlace {
    qint64 countOffset;
    qint64 bitsOffset;
    int bitBytes;
};

qint64 offsetOf(const DiskGeometry& geometry, qint64 track, qint64 sector) {
    return (geometry.sectorsBefore[track] + sector) * 256;
}

MapPlace mapPlace(const DiskGeometry& geometry, qint64 track) {
    if (geometry.format == DiskImageFormat::d81) {
        const qint64 bamSector = track <= 40 ? 1 : 2;
        const qint64 entry = offsetOf(geometry, 40, bamSector) + 0x10 + 6 * ((track - 1) % 40);
        return {entry, entry + 1, 5};
    }
    const qint64 bam = offsetOf(geometry, 18, 0);
    if (track <= 35) {
        return {bam + 4 * track, bam + 4 * track + 1, 3};
    }
    return {bam + 0xDD + (track - 36), offsetOf(geometry, 53, 0) + 3 * (track - 36), 3};
}

quint8 byteAt(const QByteArray& image, qint64 offset) {
    return offset < image.size() ? quint8(image[offset]) : 0;
}

} // namespace

qint64 DiskGeometry::freshBlocksFree() const {
    qint64 count = 0;
    for (qint64 t = 1; t <= mapTracks; ++t) {
        count += isReserved(t) ? 0 : sectorsOnTrack[t];
    }
    return count;
}

const DiskGeometry& geometryOf(DiskImageFormat format) {
    switch (format) {
    case DiskImageFormat::d64:
        break;
    case DiskImageFormat::d71:
        return d71;
    case DiskImageFormat::d81:
        return d81;
    }
    return d64;
}

const DiskGeometry& geometryOfImage(const QByteArray& image) {
    if (image.size() >= d81.dataSize()) {
        return d81;
    }
    if (image.size() >= d71.dataSize()) {
        return d71;
    }
    return image.size() >= d64Extended.dataSize() ? d64Extended : d64;
}

std::optional<DiskImageFormat> formatOfSize(qint64 size) {
    for (const DiskGeometry* geometry : {&d81, &d71, &d64}) {
        if (size >= geometry->dataSize()) {
            return geometry->format;
        }
    }
    return std::nullopt;
}

qint64 smallestImageSize(DiskImageFormat format) {
    return geometryOf(format).dataSize();
}

namespace FreeMap {

qint64 storedCount(const DiskGeometry& geometry, const QByteArray& image, qint64 track) {
    return byteAt(image, mapPlace(geometry, track).countOffset);
}

quint64 storedSectors(const DiskGeometry& geometry, const QByteArray& image, qint64 track) {
    const MapPlace place = mapPlace(geometry, track);
    quint64 bits = 0;
    for (int i = 0; i < place.bitBytes; ++i) {
        bits |= quint64(byteAt(image, place.bitsOffset + i)) << (8 * i);
    }
    return bits & ((quint64(1) << geometry.sectorsOnTrack[track]) - 1);
}

void store(const DiskGeometry& geometry, QByteArray& image, qint64 track, quint64 sectors) {
    const MapPlace place = mapPlace(geometry, track);
    char* bytes = image.data();
    bytes[place.countOffset] = char(std::popcount(sectors));
    for (int i = 0; i < place.bitBytes; ++i) {
        bytes[place.bitsOffset + i] = char((sectors >> (8 * i)) & 0xFF);
    }
}

qint64 blocksFree(const DiskGeometry& geometry, const QByteArray& image) {
    qint64 count = 0;
    for (qint64 t = 1; t <= geometry.mapTracks; ++t) {
        count += geometry.isReserved(t) ? 0 : storedCount(geometry, image, t);
    }
    return count;
}

} // namespace FreeMap

} // namespace vellum
