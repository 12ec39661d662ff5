#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

namespace vellum::testing {

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

} // namespace vellum::testing
