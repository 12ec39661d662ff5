#include "model/DriveSentences.h"

#include <QRegularExpression>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(DriveSentences)
};

QString place(const DriveStatus& status) {
    return Texts::tr("track %1, sector %2").arg(status.track).arg(status.sector);
}

// "63, FILE EXISTS,00,00": the code, the text (no comma in it), the track and the sector.
QString statusFields() {
    return QStringLiteral("(\\d\\d), ?([^,\\r\\n]*),(\\d+),(\\d+)");
}

DriveStatus statusOf(const QRegularExpressionMatch& match) {
    return DriveStatus{match.captured(1).toInt(), match.captured(2).trimmed(),
                       match.captured(3).toInt(), match.captured(4).toInt()};
}

} // namespace

std::optional<DriveStatus> parseDriveStatusLine(const QString& line) {
    static const QRegularExpression wholeLine(QStringLiteral("^\\s*") + statusFields() +
                                              QStringLiteral("\\s*$"));
    const auto match = wholeLine.match(line);
    return match.hasMatch() ? std::optional(statusOf(match)) : std::nullopt;
}

std::optional<DriveStatus> lastDriveStatus(const QString& output) {
    // A status may end a tool's own line ("…writing: 63, FILE EXISTS,00,00").
    static const QRegularExpression anywhere(QStringLiteral("(?:^|[\\s:])") + statusFields() +
                                                 QStringLiteral("\\s*$"),
                                             QRegularExpression::MultilineOption);
    std::optional<DriveStatus> last;
    auto matches = anywhere.globalMatch(output);
    while (matches.hasNext()) {
        last = statusOf(matches.next());
    }
    return last;
}

DriveStatusKind kindOf(const DriveStatus& status) {
    if (status.code <= 2) {
        return DriveStatusKind::fine;
    }
    if (status.code == 73) {
        return DriveStatusKind::powerUp;
    }
    return DriveStatusKind::failure;
}

QString sentenceFor(const DriveStatus& status, int device) {
    const QString drive = QString::number(device);
    switch (status.code) {
    case 0:
    case 1:
    case 2:
        return Texts::tr("Drive %1 reports that all is well.").arg(drive);
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
    case 27:
        return Texts::tr("Drive %1 could not read part of the disk (%2). The disk may be "
                         "damaged or dirty: try again, or try reading it with the original "
                         "transfer mode.")
            .arg(drive, place(status));
    case 25:
    case 28:
        return Texts::tr("Drive %1 could not write the disk correctly (%2). Try again with "
                         "another disk.")
            .arg(drive, place(status));
    case 26:
        return Texts::tr("The disk in drive %1 is write-protected. Uncover its notch (or "
                         "slide its tab closed) and try again.")
            .arg(drive);
    case 29:
        return Texts::tr("The disk in drive %1 is not the one the drive expected. Click "
                         "Initialize, then try again.")
            .arg(drive);
    case 30:
    case 31:
    case 32:
    case 33:
    case 34:
    case 39:
        return Texts::tr("Drive %1 did not understand a command. Check the file name; if it "
                         "happens again, send feedback with the details.")
            .arg(drive);
    case 50:
    case 51:
    case 52:
        return Texts::tr("Drive %1 could not reach a record of a relative file. The file may "
                         "be damaged; validate the disk.")
            .arg(drive);
    case 60:
    case 61:
        return Texts::tr("A file on drive %1 was left open. Reset the bus, then validate the "
                         "disk.")
            .arg(drive);
    case 62:
        return Texts::tr("That file is not on the disk in drive %1. Read the directory again "
                         "and choose the file anew.")
            .arg(drive);
    case 63:
        return Texts::tr("A file of that name is already on the disk in drive %1. Choose "
                         "another name, or delete the file that is there.")
            .arg(drive);
    case 64:
        return Texts::tr("The file on drive %1 is of another type than asked for. Read the "
                         "directory again and choose the file anew.")
            .arg(drive);
    case 65:
    case 66:
    case 67:
        return Texts::tr("The disk in drive %1 points at a block it cannot use (%2). Its "
                         "directory or free map may be damaged; validate the disk.")
            .arg(drive, place(status));
    case 70:
        return Texts::tr("Drive %1 has no free channel. Reset the bus and try again.").arg(drive);
    case 71:
        return Texts::tr("The directory of the disk in drive %1 cannot be read: the disk may "
                         "be unformatted or damaged. Validate it, or format a new disk.")
            .arg(drive);
    case 72:
        return Texts::tr("The disk in drive %1 is full. Delete files or use another disk.")
            .arg(drive);
    case 73:
        return Texts::tr("Drive %1 has just been reset and is ready.").arg(drive);
    case 74:
        return Texts::tr("There is no disk in drive %1, or its door is open. Insert a disk "
                         "and try again.")
            .arg(drive);
    case 75:
        return Texts::tr("Drive %1 could not format the disk. Try another disk.").arg(drive);
    case 76:
        return Texts::tr("Drive %1 reports a fault of its own. Turn it off and on again, then "
                         "click Detect.")
            .arg(drive);
    case 77:
        return Texts::tr("Drive %1 cannot use the partition asked for. Choose another "
                         "partition.")
            .arg(drive);
    default:
        return Texts::tr("Drive %1 reported a problem Vellum does not know. The details say "
                         "what it answered.")
            .arg(drive);
    }
}

std::optional<ToolFailure> recognizeToolFailure(const QString& output) {
    // Order matters: a plugin that cannot open the device says so before it says that it
    // found none, and the permission is the cause the user can act on.
    if (output.contains(QLatin1String("LIBUSB_ERROR_ACCESS"))) {
        return ToolFailure::permissionDenied;
    }
    if (output.contains(QLatin1String("firmware version too low"))) {
        return ToolFailure::firmwareTooOld;
    }
    if (output.contains(QLatin1String("firmware version too high"))) {
        return ToolFailure::firmwareTooNew;
    }
    if (output.contains(QRegularExpression(QStringLiteral("no xu(m)?1541 device found")))) {
        return ToolFailure::noAdapter;
    }
    static const QRegularExpression interrupted(
        QStringLiteral("Cannot reopen USB device|USB error:|Resource temporarily "
                       "unavailable|LIBUSB_ERROR_(NO_DEVICE|PIPE|IO|TIMEOUT)"));
    if (output.contains(interrupted)) {
        return ToolFailure::adapterInterrupted;
    }
    return std::nullopt;
}

QString sentenceFor(ToolFailure failure) {
    switch (failure) {
    case ToolFailure::noAdapter:
        return Texts::tr("No ZoomFloppy adapter was found. Plug it in, check its USB cable, "
                         "and click Detect.");
    case ToolFailure::permissionDenied:
        return Texts::tr("The adapter is plugged in, but this account may not use it. "
                         "Install OpenCBM's udev rules, then plug the adapter in again.");
    case ToolFailure::adapterInterrupted:
        return Texts::tr("The connection to the adapter was interrupted. Plug it in again "
                         "and click Detect.");
    case ToolFailure::firmwareTooOld:
        return Texts::tr("The adapter's firmware is too old for this OpenCBM. Update the "
                         "adapter's firmware.");
    case ToolFailure::firmwareTooNew:
        return Texts::tr("The adapter's firmware is newer than this OpenCBM knows. Update "
                         "OpenCBM.");
    case ToolFailure::killed:
        return Texts::tr("The OpenCBM tool was ended before it finished. Turn the drive off "
                         "and on again, then click Detect.");
    }
    return {};
}

QString quietDriveSentence(int device, int seconds) {
    return Texts::tr("Drive %1 has not answered for %2 s.").arg(device).arg(seconds);
}

std::optional<QString> sentenceForOutput(const QString& output, int device) {
    if (const auto failure = recognizeToolFailure(output)) {
        return sentenceFor(*failure);
    }
    const auto status = lastDriveStatus(output);
    if (status && kindOf(*status) == DriveStatusKind::failure) {
        return sentenceFor(*status, device);
    }
    return std::nullopt;
}

} // namespace vellum
