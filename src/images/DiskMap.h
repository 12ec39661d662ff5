#pragma once

#include "images/DiskGeometry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vellum {

// What one sector of a disk holds, as far as the image or the transfer tells.
enum class SectorClass : quint8 {
    notRead,   // not in the image, or not yet reached by a transfer
    free,      // free in the BAM (or skipped by a BAM-only transfer)
    used,      // taken in the BAM, but no listed file's chain passes it
    fileData,  // part of a listed file's chain (or a D81 partition)
    directory, // the header, the BAM and the directory chain
    copied,    // read or written by a transfer that tells no more
    error,     // the drive could not read it
};

struct SectorState {
    SectorClass kind = SectorClass::notRead;
    // The error byte (or transfer job code) of an error sector; 0 when not known.
    quint8 errorCode = 0;
    // Index into DiskMap::fileNames, or -1. Kept on an error sector that a file passes.
    qint16 file = -1;

    friend bool operator==(const SectorState&, const SectorState&) = default;
};

// Every sector of a disk by track and sector. The sectors lie one track after the other,
// as in the image; tracks count from 1.
struct DiskMap {
    DiskGeometry geometry;
    QList<SectorState> sectors;
    QStringList fileNames;

    qint64 tracks() const { return geometry.tracks; }
    qint64 sectorsOnTrack(qint64 track) const {
        return track >= 1 && track <= geometry.tracks ? geometry.sectorsOnTrack[track] : 0;
    }
    bool contains(qint64 track, qint64 sector) const {
        return sector >= 0 && sector < sectorsOnTrack(track);
    }
    // The sector must exist (contains).
    const SectorState& at(qint64 track, qint64 sector) const {
        return sectors[geometry.sectorsBefore[track] + sector];
    }
    SectorState& at(qint64 track, qint64 sector) {
        return sectors[geometry.sectorsBefore[track] + sector];
    }
    // The file name of the sector, or an empty text.
    QString fileNameAt(qint64 track, qint64 sector) const;
    qint64 count(SectorClass kind) const;

    friend bool operator==(const DiskMap&, const DiskMap&) = default;
};

// A disk of the geometry that nothing is known of yet: every sector not read.
DiskMap emptyDiskMap(const DiskGeometry& geometry);

// The map of an image of any of the formats, as its size names it. Error bytes after the
// sectors (one a sector) mark every sector whose byte is neither 0 nor 1. Sectors the image
// is too short to hold are not read. A damaged directory or chain marks what it reaches and
// no more: links off the disk end a chain, and a sector met twice ends it.
DiskMap diskMapOfImage(const QByteArray& image);

// Applies one line of d64copy's or imgcopy's output: a track-map line ("12: ***?--- 40%
// 300/683") sets that track's sectors from its characters (`*` copied, `?` error, `-` not
// yet, `.` skipped as free), and a read-error warning ("[Warning] read error: 12/05: 5",
// track and sector in hex) gives the sector's error code. Returns whether the map changed;
// any other line, or one naming a track the map does not have, changes nothing.
bool applyTransferLine(DiskMap& map, const QString& line);

// The error code as a short phrase: the DOS error numbers (20-29, 74) and the job codes the
// faster transfers and image error bytes use (2-11, 15).
QString sectorErrorText(quint8 code);

} // namespace vellum
