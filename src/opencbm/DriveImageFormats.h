#pragma once

#include "model/DiskDirectory.h"
#include "model/DiskImageFormat.h"

#include <QList>
#include <QString>
#include <optional>

namespace vellum {

// Which whole-disk images a drive makes and takes. A model the tools cannot name counts as a
// 1541, as d64copy assumes.

// "1541", "1570", "1571" or "1581", as the drive is named in texts.
QString driveFamily(const QString& driveModel);

// The formats a drive saves and writes: a 1541/1570 D64, a 1571 D64 and D71, a 1581 D81.
QList<DiskImageFormat> imageFormatsForDrive(const QString& driveModel);

// The format a save gives by default: D71 for a 1571 holding a double-sided disk, otherwise
// the drive's first.
DiskImageFormat savedImageFormat(const QString& driveModel, bool doubleSidedDisk);

// The one sentence that refuses a pairing before anything runs ("A 1541 cannot write a D81
// image: it needs a 1581 drive."), or nothing when the drive can make (`saving`) or take
// the format.
std::optional<QString> imageFormatRefusal(const QString& driveModel, DiskImageFormat format,
                                          bool saving);

// A 1571 reads one side until it is switched to its own mode; listing, validating and
// deciding on its disk need the switch first.
bool needsDoubleSidedModeSwitch(const QString& driveModel);

// A 1571's listing (taken in 1571 mode) of a double-sided disk: more blocks, used and free,
// than one side holds.
bool isDoubleSidedListing(const DiskDirectory& directory);

} // namespace vellum
