#pragma once

#include "DiskGeometry.h"

#include <QByteArray>
#include <QList>
#include <QPair>

namespace vellum::sim {

// A used slot of the disk's directory as the drive sees it, raw bytes and all.
struct RawEntry {
    DiskKind kind = DiskKind::d64;
    int directoryTrack = 0;
    int directorySector = 0;
    int slot = 0;
    quint8 typeByte = 0;
    int startTrack = 0;
    int startSector = 0;
    QByteArray name; // the 16 stored bytes, 0xA0 padding included
    int blocks = 0;

    qint64 slotOffset() const;
    // The name as the drive compares it: the stored bytes before the first 0xA0.
    QByteArray plainName() const;
    bool isClosed() const { return (typeByte & 0x80) != 0; }
    bool isLocked() const { return (typeByte & 0x40) != 0; }
    int fileKind() const { return typeByte & 0x07; }
    // Listed by the project's image code (and so counted by its entry indices).
    bool isListedByImages() const { return fileKind() != 0; }

    friend bool operator==(const RawEntry&, const RawEntry&) = default;
};

// The disk holds at least the 35 tracks the drive expects (a D71 or D81 is larger still).
bool isReadableDisk(const QByteArray& disk);

// Every slot whose type byte is not 0, in directory order; loops and bad links end the walk.
QList<RawEntry> directoryEntries(const QByteArray& disk);

// The directory sectors in chain order.
QList<QPair<int, int>> directorySectors(const QByteArray& disk);

// The drive's name patterns: "?" matches any one character, "*" the rest of the name.
bool nameMatches(const QByteArray& pattern, const QByteArray& name);

// A file's data chain as the drive reads it.
struct ChainRead {
    QByteArray bytes;
    QList<QPair<int, int>> sectors;
    bool broken = false; // a link that leads off the disk or back into the chain

    friend bool operator==(const ChainRead&, const ChainRead&) = default;
};
// `lastTrack` is the last the drive can reach (0: every track of the disk); a link beyond it
// breaks the chain, as it does for a 1571 that still reads one side only.
ChainRead readChain(const QByteArray& disk, int track, int sector, int lastTrack = 0);

} // namespace vellum::sim
