#pragma once

#include "BusState.h"
#include "DiskGeometry.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <optional>

namespace vellum::sim {

// One whole-disk transfer between a drive and an image file, as d64copy and imgcopy make it:
// sector by sector in the tools' track order, with their track map redrawn on stdout after
// every sector and their warnings on stderr.
struct TrackCopy {
    const BusState& bus;
    qint64 device = 8;
    bool intoImage = false; // reading the floppy into the file
    DiskKind kind = DiskKind::d64;
    QList<int> tracks; // in copy order
    QByteArray disk;   // the drive's disk, laid out as `kind`
    QFile image;
    QByteArray source; // the image's bytes when writing
    std::optional<qint64> imageSpace;
};

// Opens the image the way both tools do: grown to a whole image when reading ("growing image
// file to N blocks"), checked to be one when writing. Prints the tool's fatal lines itself
// and gives false when the copy cannot start.
bool openImage(TrackCopy& copy, const QByteArray& notAnImageLine);

// Copies every track; ends with "N blocks copied." and leaves the drive's verdict in its
// error channel. Prints "[Info] copying tracks …" first when `verbose`.
void copyTracks(TrackCopy& copy, bool verbose);

} // namespace vellum::sim
