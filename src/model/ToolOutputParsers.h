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

// The progress a tool line reports: a percentage, a ratio "a/b", or a leading track number
// counted against `trackTotal`. Log lines ("[Info] …") report none.
std::optional<double> progressFraction(const QString& line, qint64 trackTotal);

// The name and type of a dragged floppy entry ("GAME\tPRG").
std::optional<std::pair<QString, CBMFileType>> parseDraggedEntry(const QString& text);

} // namespace vellum
