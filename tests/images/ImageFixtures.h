#pragma once

#include "images/D64Layout.h"
#include "images/ParsedFile.h"
#include "model/OpenCBMError.h"

#include <QByteArray>
#include <functional>
#include <ostream>

namespace vellum::testing {

// Hand-made D64 bytes, independent of the builder: 683 sectors, or 768 for 40 tracks.
struct RawImage {
    QByteArray bytes;

    explicit RawImage(qint64 tracks = 35)
        : bytes((tracks == 40 ? 768 : 683) * D64Layout::sectorSize, '\0') {
        put(18, 1, QByteArray("\x00\xFF", 2));
    }
    void put(qint64 track, qint64 sector, const QByteArray& data) {
        bytes.replace(D64Layout::sectorOffset(track, sector), 256,
                      data.leftJustified(256, '\0', true));
    }
    void setLink(qint64 track, qint64 sector, quint8 nextTrack, quint8 nextSector) {
        bytes[D64Layout::sectorOffset(track, sector)] = char(nextTrack);
        bytes[D64Layout::sectorOffset(track, sector) + 1] = char(nextSector);
    }
    void putEntry(qint64 dirSector, int slot, quint8 typeByte, const QByteArray& name, quint8 track,
                  quint8 sector, quint16 blocks = 0) {
        const qint64 base = D64Layout::sectorOffset(18, dirSector) + slot * 32;
        bytes[base + 2] = char(typeByte);
        bytes[base + 3] = char(track);
        bytes[base + 4] = char(sector);
        bytes.replace(base + 5, 16, name.leftJustified(16, char(0xA0), true));
        bytes[base + 30] = char(blocks & 0xFF);
        bytes[base + 31] = char(blocks >> 8);
    }
    // The last sector of a chain: byte 1 is `lastByte`, the data bytes are `fill`.
    void putLastSector(qint64 track, qint64 sector, quint8 lastByte, char fill = 'x') {
        put(track, sector, QByteArray(2, '\0') + QByteArray(254, fill));
        setLink(track, sector, 0, lastByte);
    }
};

// Overwrites bytes of a sector of an image of any format, found by the image's size.
inline void patch(QByteArray& image, qint64 track, qint64 sector, qint64 offset,
                  const QByteArray& bytes) {
    image.replace(D64Layout::sectorOffset(geometryOfImage(image), track, sector) + offset,
                  bytes.size(), bytes);
}

inline QByteArray sequence(qint64 length, int seed = 0) {
    QByteArray result(length, '\0');
    for (qint64 i = 0; i < length; ++i) {
        result[i] = char((i * 7 + seed * 13 + i / 251) & 0xFF);
    }
    return result;
}

inline QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const OpenCBMError& error) {
        return error.errorDescription();
    } catch (const PlatformError& error) {
        return QStringLiteral("platform: ") + error.errorDescription();
    }
    return QStringLiteral("<no error>");
}

} // namespace vellum::testing

namespace vellum {
inline void PrintTo(const ParsedFile& file, std::ostream* out) {
    *out << file.name.toStdString() << " $" << std::hex << file.startAddress << std::dec << " "
         << file.payload.size() << " bytes";
}
inline void PrintTo(const AddableFile& file, std::ostream* out) {
    *out << file.name.toStdString() << " type " << int(file.type) << " " << file.contents.size()
         << " bytes";
}
} // namespace vellum

// Texts as text in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
