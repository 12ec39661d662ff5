#include "DirectoryListing.h"

#include "DiskBam.h"
#include "DiskGeometry.h"
#include "Petscii.h"
#include "RawDirectory.h"

namespace vellum::sim {

namespace {

QByteArray typeWord(int kind) {
    static const char* const words[] = {"del", "seq", "prg", "usr", "rel"};
    return kind < 5 ? QByteArray(words[kind]) : QByteArrayLiteral("???");
}

// The drive pads the block count so that the opening quotes line up.
QByteArray countColumn(int blocks) {
    QByteArray column = QByteArray::number(blocks) + ' ';
    if (blocks < 10) {
        column += "   ";
    } else if (blocks < 100) {
        column += "  ";
    } else if (blocks < 1000) {
        column += ' ';
    }
    return column;
}

QByteArray entryLine(const RawEntry& entry, bool keepHighBytes) {
    const QByteArray plain = entry.plainName();
    QByteArray line = countColumn(entry.blocks);
    line += '"' + petsciiToAscii(plain, keepHighBytes) + '"';
    line += petsciiToAscii(entry.name.mid(plain.size()), keepHighBytes);
    line += entry.isClosed() ? ' ' : '*';
    line += typeWord(entry.fileKind());
    line += entry.isLocked() ? '<' : ' ';
    line += " \n";
    return line;
}

} // namespace

QByteArray directoryListing(const QByteArray& disk, bool keepHighBytes, bool bothSides) {
    const DiskKind kind = diskKindOf(disk);
    const QByteArray header =
        readSector(disk, directoryTrackOf(kind), 0).value_or(QByteArray(sectorSize, '\0'));
    const qsizetype nameAt = kind == DiskKind::d81 ? 0x04 : 0x90;
    const qsizetype idAt = kind == DiskKind::d81 ? 0x16 : 0xA2;
    QByteArray listing = "0 .\"" + petsciiToAscii(header.mid(nameAt, 16), keepHighBytes) + "\" " +
                         petsciiToAscii(header.mid(idAt, 5), keepHighBytes) + '\n';
    for (const RawEntry& entry : directoryEntries(disk)) {
        listing += entryLine(entry, keepHighBytes);
    }
    listing += QByteArray::number(dosBlocksFree(disk, bothSides)) + " blocks free." +
               QByteArray(13, ' ') + '\n';
    return listing;
}

} // namespace vellum::sim
