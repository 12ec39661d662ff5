#pragma once

#include "model/CommandResult.h"
#include "model/DiskDirectory.h"
#include "model/DiskImageFormat.h"
#include "model/DriveInfo.h"
#include "opencbm/OpenCBMService.h"

#include <QList>
#include <QString>
#include <optional>

namespace vellum {

// How each tool's result is judged. Several OpenCBM tools exit 0 after a failure, so where
// the exit status cannot be trusted the output decides as well. Failures are thrown as
// OpenCBMError::executionFailed carrying the tool's own words.

// The first line that is not empty, not "xum1541cfg: illegal…" and not "finding device...".
std::optional<QString> firstMeaningfulLine(const QString& text);

AdapterProbe judgeAdapterProbe(const CommandResult& result);
QList<DriveInfo> judgeDetect(const CommandResult& result);
QString judgeDriveStatus(const CommandResult& result, qint64 device);
DiskDirectory judgeDirectory(const CommandResult& result, qint64 device);

// The drive's verdict on a DOS command: empty, "OK" anywhere, or a 00/01 code is success.
bool isSuccessfulDriveStatus(const QString& statusText);
void judgeDriveStatusAfterCommand(const QString& commandText, const QString& statusText);

// Throws when a non-zero exit status says the run failed.
void judgeExitStatus(const CommandResult& result, const QString& commandText);
void judgeD64Copy(const CommandResult& result, const QString& commandText);
// d64copy (with or without -2) and imgcopy alike: both exit 0 after a refusal ("[Fatal] …")
// or after sectors they could not copy, so the count of blocks copied must be the whole
// transfer, as their "copying tracks" line (or else the format) tells.
void judgeImageTransfer(const CommandResult& result, const QString& commandText,
                        DiskImageFormat format);
// d64copy or imgcopy reading a disk could not write the image file (its file system is full, say):
// the drive did its part, only the file on the computer is short.
bool d64copyCouldNotWriteImage(const CommandResult& result);
void judgeCbmcopy(const CommandResult& result, const QString& commandText);
void judgeCbmformat(const CommandResult& result, const QString& commandText);

} // namespace vellum
