#pragma once

#include "model/CBMFileType.h"
#include "model/DiskDirectory.h"
#include "model/DriveInfo.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace vellum {

// The drives of "cbmctrl detect" output ("8: 1541"), in output order.
QList<DriveInfo> parseDetectedDrives(const QString& output);

// The listing printed by "cbmctrl dir": header, entries, free blocks. Lines that match
// nothing are skipped; the drive's status line and debug chatter are ignored.
DiskDirectory parseDirectoryListing(const QString& output);

// The order a whole-disk transfer visits its tracks: upwards, or both sides of a 1571 disk
// in turn (1, 36, 2, 37, …, 35, 70) as d64copy -2 copies them.
enum class TrackOrder { ascending, sidesAlternating };

// The progress a tool line reports: a percentage, a ratio "a/b", or a leading track number
// placed in `order` among `trackTotal` tracks. Log lines ("[Info] …") report none.
std::optional<double> progressFraction(const QString& line, qint64 trackTotal,
                                       TrackOrder order = TrackOrder::ascending);

// The name and type of a dragged floppy entry ("GAME\tPRG").
std::optional<std::pair<QString, CBMFileType>> parseDraggedEntry(const QString& text);

} // namespace vellum
