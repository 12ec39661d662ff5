#pragma once

#include "model/CBMFileType.h"
#include "model/DiskImageFormat.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace vellum {

// Argument lists and diagnostic command texts of every tool run. Pure functions, so the
// exact lists can be checked without starting a process.

QString deviceText(qint64 device);

// DOS command strings, names and IDs lower-cased (cbmctrl --petscii maps them to the
// drive's plain letters).
QString dosRenameString(const QString& oldName, const QString& newName);
QString dosScratchString(const QString& name);
QString dosNewDiskString(const QString& diskName, const QString& diskID);
QStringList dosCommandArguments(qint64 device, const QString& dosString);
QString dosCommandText(qint64 device, const QString& dosString);

// Throws OpenCBMError::invalidDiskName naming the file when the name holds a character that
// the drive reads as a pattern or an argument separator (* ? , = :). Such a name would act
// on other files than the one listed.
void refuseDrivePatternName(const QString& name);
// The name to send to read the listed file `name`: the name itself when it holds none of those
// characters; otherwise the name with "?" (one character) in place of each, when that pattern
// matches `name` alone among `listedNames` (the drive's current listing). Anything else is
// refused as refuseDrivePatternName does.
QString readableDriveName(const QString& name, const QStringList& listedNames);

// The "-d" value for cbmcopy: the first of 1581, 1571, 1570, 1541 in the upper-cased model.
std::optional<QString> driveTypeArgument(const QString& driveModel);
// Models that cbmformat does not serve; they are formatted with the DOS "N" command.
bool formatsWithDOSCommand(const QString& driveModel);

QString cbmcopyTypeLetter(CBMFileType type);
QStringList cbmcopyReadArguments(qint64 device, const QString& driveModel, const QString& cbmName,
                                 const QString& destinationPath);
QStringList cbmcopyWriteArguments(qint64 device, const QString& driveModel, const QUrl& source,
                                  const QString& cbmName);
QStringList cbmformatArguments(qint64 device, const QString& joinedName, bool extended);
QString joinedDiskName(const QString& diskName, const QString& diskID);
QStringList d64copyReadArguments(qint64 device, const QString& destinationPath);
QStringList d64copyWriteArguments(const QString& sourcePath, qint64 device);

// Whole-disk transfers by format: a D64 with d64copy, a D71 with d64copy -2 (both sides, the
// drive switched to 1571 mode by the tool), a D81 with imgcopy. imgcopy is told the drive
// type: on its own it settles the image type before it asks the drive, and then refuses a
// .d81 even on a 1581.
QString imageTransferTool(DiskImageFormat format);
QStringList imageReadArguments(DiskImageFormat format, qint64 device,
                               const QString& destinationPath);
QStringList imageWriteArguments(DiskImageFormat format, const QString& sourcePath, qint64 device);
// The bytes a whole transfer writes (174848, 349696, 819200) and the tracks it counts.
qint64 transferredImageBytes(DiskImageFormat format);
qint64 transferredTrackCount(DiskImageFormat format);

// The DOS command that switches a 1571 to 1571 mode, where it reads both sides.
QString dosDoubleSidedModeString();

// Tracks that progress lines count against.
inline constexpr qint64 standardTrackCount = 35;
inline constexpr qint64 extendedTrackCount = 40;
// What d64copy writes for a whole disk: 683 sectors of 256 bytes.
inline constexpr qint64 d64copyImageBytes = 683 * 256;

} // namespace vellum
