#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

namespace vellum {

// A line of a drive's error channel, "63, FILE EXISTS,00,00", wherever it stands in a
// tool's output ("[Fatal] could not open file for writing: 63, FILE EXISTS,00,00").
struct DriveStatus {
    int code = 0;
    QString text;
    int track = 0;
    int sector = 0;

    friend bool operator==(const DriveStatus&, const DriveStatus&) = default;
};

// What a status means for the operation that read it. Any DOS's power-up message (73: CBM
// DOS, JiffyDOS and the others) follows a reset and is no failure.
enum class DriveStatusKind { fine, powerUp, failure };

// The failures the tools report of themselves, rather than through a drive's status.
enum class ToolFailure {
    noAdapter,
    permissionDenied,
    adapterInterrupted,
    firmwareTooOld,
    firmwareTooNew,
    killed,
};

// A line that is nothing but a drive status, surrounding white space aside.
std::optional<DriveStatus> parseDriveStatusLine(const QString& line);

// The last drive status in `output`, or nothing when it holds none.
std::optional<DriveStatus> lastDriveStatus(const QString& output);

DriveStatusKind kindOf(const DriveStatus& status);

// What happened and what to do, in the user's words, for drive `device`. Never the DOS
// code or the tool's own text: those belong to the details.
QString sentenceFor(const DriveStatus& status, int device);

// The tool failure the output shows, judged from the adapter plugins' own lines.
std::optional<ToolFailure> recognizeToolFailure(const QString& output);

QString sentenceFor(ToolFailure failure);

// A tool that reports progress as it goes has printed nothing for `seconds`.
QString quietDriveSentence(int device, int seconds);

// The sentence a failed run's output calls for: a tool failure first (the adapter decides
// whether any drive was reached), then the drive's last status when it is a failure.
std::optional<QString> sentenceForOutput(const QString& output, int device);

} // namespace vellum
