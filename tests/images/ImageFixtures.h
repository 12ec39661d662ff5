#pragma once

#include "images/D64Layout.h"

#include <QByteArray>
#include <QString>

namespace vellum::testing {

// Hand-made D64 bytes for reader tests, independent of the builder.
class RawImage {
public:
    explicit RawImage(qint64 size = D64Layout::imageSize) : bytes(size, '\0') {
        QByteArray directory(256, '\0');
        directory[1] = char(0xFF);
        put(18, 1, directory);
    }

    void put(qint64 track, qint64 sector, const QByteArray& sectorBytes) {
        bytes.replace(D64Layout::sectorOffset(track, sector), 256,
                      sectorBytes.leftJustified(256, '\0', true));
    }

    QByteArray get(qint64 track, qint64 sector) const {
        return bytes.mid(D64Layout::sectorOffset(track, sector), 256);
    }

    void setLink(qint64 track, qint64 sector, quint8 nextTrack, quint8 nextSector) {
        QByteArray s = get(track, sector);
        s[0] = char(nextTrack);
        s[1] = char(nextSector);
        put(track, sector, s);
    }

    // A directory entry in slot `slot` of a directory sector.
    void putEntry(qint64 dirTrack, qint64 dirSector, int slot, quint8 typeByte,
                  const QByteArray& name, quint8 track, quint8 sector, quint16 blocks = 0) {
        QByteArray s = get(dirTrack, dirSector);
        const int base = slot * 32;
        s[base + 2] = char(typeByte);
        s[base + 3] = char(track);
        s[base + 4] = char(sector);
        s.replace(base + 5, 16, name.leftJustified(16, char(0xA0), true));
        s[base + 30] = char(blocks & 0xFF);
        s[base + 31] = char(blocks >> 8);
        put(dirTrack, dirSector, s);
    }

    // A one-sector file whose last-sector byte 1 is `lastByte`, filled with `fill`.
    void putLastSector(qint64 track, qint64 sector, quint8 lastByte, char fill = 'x') {
        QByteArray s(256, fill);
        s[0] = 0;
        s[1] = char(lastByte);
        put(track, sector, s);
    }

    QByteArray bytes;
};

inline QByteArray sequence(qint64 length, int seed = 0) {
    QByteArray result(length, '\0');
    for (qint64 i = 0; i < length; ++i)
        result[i] = char((i * 7 + seed * 13 + i / 251) & 0xFF);
    return result;
}

} // namespace vellum::testing

#include "images/ParsedFile.h"

#include <ostream>

namespace vellum {
inline void PrintTo(const ParsedFile& file, std::ostream* out) {
    *out << "{" << file.name.toStdString() << ", $" << std::hex << file.startAddress << std::dec
         << ", " << file.payload.toHex(' ').left(60).toStdString() << " (" << file.payload.size()
         << " bytes)}";
}
inline void PrintTo(const AddableFile& file, std::ostream* out) {
    *out << "{" << file.name.toStdString() << ", " << int(file.type) << ", "
         << file.contents.toHex(' ').left(60).toStdString() << " (" << file.contents.size()
         << " bytes)}";
}
} // namespace vellum
