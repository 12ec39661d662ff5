#include "TapeImage.h"

namespace vellum::demo {

namespace {

constexpr qsizetype headerSize = 64;
constexpr qsizetype entrySize = 32;

void put(QByteArray& bytes, qsizetype at, quint32 value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    }
}

QByteArray paddedName(const QString& name, qsizetype width) {
    return name.toUpper().toLatin1().left(width).leftJustified(width, ' ');
}

} // namespace

QByteArray tapeImage(const QString& tapeName, const QList<AddableFile>& files) {
    const qsizetype count = files.size();
    QByteArray bytes = QByteArray("C64S tape image file").leftJustified(32, '\0');
    bytes.append(QByteArray(headerSize - 32 + entrySize * count, '\0'));
    put(bytes, 0x20, 0x0101, 2); // version
    put(bytes, 0x22, quint32(count), 2);
    put(bytes, 0x24, quint32(count), 2);
    bytes.replace(0x28, 24, paddedName(tapeName, 24));
    for (qsizetype i = 0; i < count; ++i) {
        const AddableFile& file = files.at(i);
        const qsizetype entry = headerSize + entrySize * i;
        const quint16 start =
            file.contents.size() >= 2
                ? quint16(quint8(file.contents.at(0)) | quint8(file.contents.at(1)) << 8)
                : 0;
        const QByteArray payload = file.contents.mid(2);
        bytes[entry] = 1;              // a normal tape file
        bytes[entry + 1] = char(0x82); // PRG
        put(bytes, entry + 2, start, 2);
        put(bytes, entry + 4, quint32(start + payload.size()) & 0xFFFF, 2);
        put(bytes, entry + 8, quint32(bytes.size()), 4);
        bytes.replace(entry + 16, 16, paddedName(file.name, 16));
        bytes.append(payload);
    }
    return bytes;
}

} // namespace vellum::demo
