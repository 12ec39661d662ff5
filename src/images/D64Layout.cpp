#include "images/D64Layout.h"

#include "model/OpenCBMError.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <bitset>

namespace vellum::D64Layout {

namespace {

// The extended layout only adds tracks after 35, so it serves both D64s.
const DiskGeometry& extendedD64() {
    static const DiskGeometry& geometry = geometryOfImage(QByteArray(extendedImageSize, '\0'));
    return geometry;
}

} // namespace

qint64 sectorsPerTrack(qint64 track) {
    return track >= 1 && track <= extendedTrackCount ? extendedD64().sectorsOnTrack[track] : 0;
}

qint64 tracksOf(const QByteArray& image) {
    return geometryOfImage(image).tracks;
}

qint64 sectorOffset(const DiskGeometry& geometry, qint64 track, qint64 sector) {
    const qint64 before =
        geometry.sectorsBefore[std::clamp<qint64>(track, 0, geometry.sectorsBefore.size() - 1)];
    return (before + sector) * sectorSize;
}

qint64 sectorOffset(qint64 track, qint64 sector) {
    return sectorOffset(extendedD64(), track, sector);
}

const char* sectorData(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    static const char zeros[sectorSize] = {};
    const DiskGeometry& geometry = geometryOfImage(image);
    const qint64 offset = sectorOffset(geometry, track, sectorNumber);
    // Error bytes after the last track are never read as sector data, even through a link
    // to a sector number that the last track does not have.
    if (offset < 0 || offset + sectorSize > std::min<qint64>(image.size(), geometry.dataSize())) {
        return zeros;
    }
    return image.constData() + offset;
}

QByteArray sector(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    return QByteArray(sectorData(image, track, sectorNumber), sectorSize);
}

bool isValidSector(qint64 track, qint64 sectorNumber, qint64 tracks) {
    return track <= tracks && sectorNumber >= 0 && sectorNumber < sectorsPerTrack(track);
}

bool isValidSector(const DiskGeometry& geometry, qint64 track, qint64 sectorNumber) {
    return track >= 1 && track <= geometry.tracks && sectorNumber >= 0 &&
           sectorNumber < geometry.sectorsOnTrack[track];
}

bool isPartition(const DiskGeometry& geometry, quint8 typeByte) {
    return geometry.format == DiskImageFormat::d81 && (typeByte & 0x07) == partitionType;
}

QList<std::pair<qint64, qint64>> partitionSectors(const DiskGeometry& geometry, qint64 track,
                                                  qint64 sectorNumber, qint64 blocks) {
    QList<std::pair<qint64, qint64>> result;
    while (qint64(result.size()) < blocks && isValidSector(geometry, track, sectorNumber)) {
        result.append({track, sectorNumber});
        if (++sectorNumber == geometry.sectorsOnTrack[track]) {
            ++track;
            sectorNumber = 0;
        }
    }
    return result;
}

namespace {

// Tracks 0-80 and byte-sized sector numbers.
constexpr qint64 markCount = 81 * 256;
using VisitedSectors = std::bitset<markCount>;

// The sectors a chain walk has passed: each walk takes a new number, and a sector is passed
// when it carries the walk's number, so no walk has to clear a set first.
class WalkMarks {
public:
    WalkMarks() {
        if (++current == 0) {
            marks.fill(0);
            current = 1;
        }
    }
    bool seen(qint64 key) const { return marks[key] == current; }
    void see(qint64 key) { marks[key] = current; }

private:
    static thread_local std::array<quint32, markCount> marks;
    static thread_local quint32 current;
};

thread_local std::array<quint32, markCount> WalkMarks::marks{};
thread_local quint32 WalkMarks::current = 0;

// Calls visit(track, sector, sectorBytes, isLast) for each sector of the chain; returns why
// the walk ended early, if it did.
template <typename Visit>
std::optional<ChainFault> walkChain(const QByteArray& image, qint64 track, qint64 sectorNumber,
                                    Visit visit) {
    const DiskGeometry& geometry = geometryOfImage(image);
    WalkMarks walk;
    auto kind = ChainFault::Kind::startOutsideDisk;
    while (isValidSector(geometry, track, sectorNumber)) {
        if (walk.seen(sectorKey(track, sectorNumber))) {
            return ChainFault{ChainFault::Kind::loop, track, sectorNumber};
        }
        walk.see(sectorKey(track, sectorNumber));
        const char* bytes = sectorData(image, track, sectorNumber);
        const qint64 nextTrack = quint8(bytes[0]);
        visit(track, sectorNumber, bytes, nextTrack == 0);
        if (nextTrack == 0) {
            return std::nullopt;
        }
        track = nextTrack;
        sectorNumber = quint8(bytes[1]);
        kind = ChainFault::Kind::linkOutsideDisk;
    }
    return ChainFault{kind, track, sectorNumber};
}

qint64 bytesInLastSector(const char* sectorBytes) {
    return std::max<qint64>(1, qint64(quint8(sectorBytes[1])) - 1);
}

} // namespace

ChainSize chainSize(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    ChainSize size;
    size.fault =
        walkChain(image, track, sectorNumber, [&](qint64, qint64, const char* bytes, bool isLast) {
            ++size.sectors;
            size.bytes += isLast ? bytesInLastSector(bytes) : 254;
        });
    return size;
}

QByteArray readChain(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    QByteArray result;
    result.reserve(chainSize(image, track, sectorNumber).bytes);
    walkChain(image, track, sectorNumber, [&](qint64, qint64, const char* bytes, bool isLast) {
        result.append(bytes + 2, isLast ? bytesInLastSector(bytes) : 254);
    });
    return result;
}

QList<std::pair<qint64, qint64>> chainSectors(const QByteArray& image, qint64 track,
                                              qint64 sectorNumber) {
    QList<std::pair<qint64, qint64>> result;
    walkChain(image, track, sectorNumber, [&](qint64 t, qint64 s, const char*, bool) {
        result.append({t, s});
    });
    return result;
}

void forEachListedEntry(
    const QByteArray& image,
    const std::function<bool(qint64 track, qint64 sector, qint64 slot, const char* entry)>& visit) {
    VisitedSectors visited;
    const DiskGeometry& geometry = geometryOfImage(image);
    qint64 track = geometry.directoryTrack;
    qint64 sectorNumber = geometry.firstDirectorySector;
    while (isValidSector(geometry, track, sectorNumber) &&
           !visited.test(sectorKey(track, sectorNumber))) {
        visited.set(sectorKey(track, sectorNumber));
        const char* bytes = sectorData(image, track, sectorNumber);
        for (qint64 slot = 0; slot < entriesPerSector; ++slot) {
            const char* entry = bytes + slot * entrySize;
            if ((entry[2] & 0x07) != 0 && !visit(track, sectorNumber, slot, entry)) {
                return;
            }
        }
        track = quint8(bytes[0]);
        sectorNumber = quint8(bytes[1]);
    }
}

QString decodeName(const QByteArray& bytes, qint64 offset, qint64 length) {
    const qint64 start = std::clamp<qint64>(offset, 0, bytes.size());
    const qint64 end = std::clamp<qint64>(offset + length, start, bytes.size());
    return decodeName(bytes.constData() + start, end - start);
}

QString decodeName(const char* bytes, qint64 length) {
    qint64 end = 0;
    for (; end < length; ++end) {
        const quint8 byte = quint8(bytes[end]);
        if (byte == 0x00 || byte == 0xA0) {
            break;
        }
        if (byte >= 0x80) {
            return QString();
        }
    }
    // White space in ASCII: tab, line feed, vertical tab, form feed, carriage return, space.
    const auto isSpace = [&](qint64 i) {
        return bytes[i] == ' ' || (bytes[i] >= 9 && bytes[i] <= 13);
    };
    qint64 start = 0;
    while (start < end && isSpace(start)) {
        ++start;
    }
    while (end > start && isSpace(end - 1)) {
        --end;
    }
    return QString::fromLatin1(bytes + start, end - start);
}

QByteArray encodeName(const QString& text) {
    QByteArray result(nameLength, padding);
    const QList<uint> codePoints = text.toUpper().toUcs4();
    for (qsizetype position = 0; position < codePoints.size() && position < nameLength;
         ++position) {
        const uint codePoint = codePoints[position];
        if (codePoint >= 0x20 && codePoint <= 0x7F) {
            result[position] = char(codePoint);
        }
    }
    return result;
}

void checkImageSize(const QByteArray& image) {
    if (image.size() < imageSize) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("D64Layout", "This D64 image is too small to be valid."));
    }
}

void checkImageSize(const QByteArray& image, DiskImageFormat format) {
    const std::optional<DiskImageFormat> bySize = formatOfSize(image.size());
    if (bySize == format) {
        return;
    }
    if (image.size() < smallestImageSize(format)) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("D64Layout", "This %1 image is too small to be valid.")
                .arg(displayName(format)));
    }
    throw OpenCBMError::parseError(
        QCoreApplication::translate("D64Layout", "This file is named as a %1 image but has the "
                                                 "size of a %2 image.")
            .arg(displayName(format), displayName(*bySize)));
}

} // namespace vellum::D64Layout
