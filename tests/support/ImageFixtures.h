#pragma once

#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "images/ImageFiles.h"
#include "images/ParsedFile.h"
#include "model/OpenCBMError.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>

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

// The names an image lists, in order.
inline QStringList listedNames(const QByteArray& image) {
    QStringList names;
    for (const auto& file : D64Extractor::files(image)) {
        names << file.name;
    }
    return names;
}

inline QByteArray sequence(qint64 length, int seed = 0) {
    QByteArray result(length, '\0');
    for (qint64 i = 0; i < length; ++i) {
        result[i] = char((i * 7 + seed * 13 + i / 251) & 0xFF);
    }
    return result;
}

// A temporary folder whose files are named by their names in it.
struct ImageFolder {
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(dir.filePath(name)); }
    void write(const QString& name, const QByteArray& bytes) {
        writeFileAtomically(url(name), bytes);
    }
    QByteArray read(const QString& name) const { return readWholeFile(url(name)); }

    QTemporaryDir dir;
};

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("could not read " + path.toStdString());
    }
    return file.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("could not write " + path.toStdString());
    }
}

// A program file: its load address, low byte first, then its bytes.
inline QByteArray prg(quint16 address, const QByteArray& body) {
    return QByteArray(1, char(address & 0xFF)) + char(address >> 8) + body;
}

// A PC64 container of one file: the 26-byte header, then the file's bytes.
inline QByteArray p00(const QByteArray& name, const QByteArray& file) {
    return QByteArray("C64File\0", 8) + name.leftJustified(16, '\0', true) + QByteArray(2, '\0') +
           file;
}

struct TapeEntry {
    QByteArray name;
    QByteArray data;
    quint16 start = 0x0801;
    quint16 end = 0;                              // start + data size when 0
    quint8 type = 1;                              // 0 = free slot
    std::optional<quint32> offset = std::nullopt; // data appended in order when absent
};

// A T64 file with `directorySlots` directory entries (the entry count when absent).
inline QByteArray makeTape(const QList<TapeEntry>& entries, const QByteArray& tapeName = "TAPE",
                           std::optional<int> directorySlots = std::nullopt,
                           const QByteArray& signature = "C64S tape image file") {
    auto put = [](QByteArray& bytes, qint64 at, quint32 value, int width) {
        for (int i = 0; i < width; ++i) {
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
        }
    };
    const int count = directorySlots.value_or(int(entries.size()));
    QByteArray bytes = signature.leftJustified(32, '\0', true) + QByteArray(8, '\0') +
                       tapeName.leftJustified(24, ' ', true) + QByteArray(32 * count, '\0');
    put(bytes, 0x22, count, 2);
    put(bytes, 0x24, quint32(entries.size()), 2);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const TapeEntry& entry = entries[i];
        const qint64 base = 64 + 32 * i;
        put(bytes, base + 8, entry.offset.value_or(quint32(bytes.size())), 4);
        if (!entry.offset) {
            bytes.append(entry.data);
        }
        bytes[base] = char(entry.type);
        bytes[base + 1] = char(0x82);
        put(bytes, base + 2, entry.start, 2);
        put(bytes, base + 4, entry.end ? entry.end : quint16(entry.start + entry.data.size()), 2);
        bytes.replace(base + 16, 16, entry.name.leftJustified(16, ' ', true));
    }
    return bytes;
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
