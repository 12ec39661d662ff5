#include "images/D64Layout.h"

#include "model/OpenCBMError.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <bitset>

namespace vellum::D64Layout {

namespace {

constexpr qint64 sectorsPerTrackOf(qint64 track) {
    if (track >= 1 && track <= 17) {
        return 21;
    }
    if (track >= 18 && track <= 24) {
        return 19;
    }
    if (track >= 25 && track <= 30) {
        return 18;
    }
    if (track >= 31 && track <= extendedTrackCount) {
        return 17;
    }
    return 0;
}

// Tracks 1-40 and byte-sized sector numbers.
using VisitedSectors = std::bitset<(extendedTrackCount + 1) * 256>;

} // namespace

namespace {

// Sectors before each track, for tracks 0-41; every track past 40 starts after sector 767.
constexpr std::array<qint64, extendedTrackCount + 2> sectorsBefore = [] {
    std::array<qint64, extendedTrackCount + 2> table{};
    for (qint64 t = 2; t <= extendedTrackCount + 1; ++t) {
        table[t] = table[t - 1] + sectorsPerTrackOf(t - 1);
    }
    return table;
}();

} // namespace

qint64 sectorsPerTrack(qint64 track) {
    return sectorsPerTrackOf(track);
}

qint64 tracksOf(const QByteArray& image) {
    return image.size() >= extendedImageSize ? extendedTrackCount : trackCount;
}

qint64 sectorOffset(qint64 track, qint64 sector) {
    const qint64 before = sectorsBefore[std::clamp<qint64>(track, 0, extendedTrackCount + 1)];
    return (before + sector) * sectorSize;
}

const char* sectorData(const QByteArray& image, qint64 track, qint64 sectorNumber) {
    static const char zeros[sectorSize] = {};
    const qint64 offset = sectorOffset(track, sectorNumber);
    // Error bytes after the last track are never read as sector data, even through a link
    // to a sector number that the last track does not have.
    const qint64 dataSize = tracksOf(image) == trackCount ? imageSize : extendedImageSize;
    if (offset < 0 || offset + sectorSize > std::min<qint64>(image.size(), dataSize)) {
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

namespace {

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
    static thread_local std::array<quint32, (extendedTrackCount + 1) * 256> marks;
    static thread_local quint32 current;
};

thread_local std::array<quint32, (extendedTrackCount + 1) * 256> WalkMarks::marks{};
thread_local quint32 WalkMarks::current = 0;

// Calls visit(track, sector, sectorBytes, isLast) for each sector of the chain; returns why
// the walk ended early, if it did.
template <typename Visit>
std::optional<ChainFault> walkChain(const QByteArray& image, qint64 track, qint64 sectorNumber,
                                    Visit visit) {
    const qint64 tracks = tracksOf(image);
    WalkMarks walk;
    auto kind = ChainFault::Kind::startOutsideDisk;
    while (isValidSector(track, sectorNumber, tracks)) {
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
    qint64 track = directoryTrack;
    qint64 sectorNumber = firstDirectorySector;
    const qint64 tracks = tracksOf(image);
    while (isValidSector(track, sectorNumber, tracks) &&
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

} // namespace vellum::D64Layout
