#include "DiskGeometry.h"
#include "ToolSupport.h"
#include "Tools.h"
#include "TrackCopy.h"

#include <QFileInfo>
#include <expected>

namespace vellum::sim {

namespace {

// imgcopy's severities: Fatal 0, Warning 1, Info 2; it prints Warnings unless told otherwise.
enum Severity { fatal = 0, warning = 1, info = 2 };

const char* const severityNames[] = {"Fatal", "Warning", "Info"};

// The transfer modes in the tool's order; "auto" stands for "original".
const QStringList& transferModes() {
    static const QStringList modes = {QStringLiteral("auto"),    QStringLiteral("original"),
                                      QStringLiteral("serial1"), QStringLiteral("serial2"),
                                      QStringLiteral("burst"),   QStringLiteral("parallel")};
    return modes;
}
enum Mode { autoMode, original, serial1, serial2, burst, parallel };

// "auto", "original" and "parallel" may be shortened to any prefix; the serial modes and
// burst go by their full names or "s1", "s2", "s3".
std::optional<int> transferModeIndex(const QString& name) {
    for (int i = 0; i < transferModes().size(); ++i) {
        const QString& mode = transferModes().at(i);
        if (mode.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
        const bool prefixed = i == autoMode || i == original || i == parallel;
        if (prefixed ? !name.isEmpty() && mode.startsWith(name, Qt::CaseInsensitive)
                     : name == QStringLiteral("s%1").arg(i - 1)) {
            return i;
        }
    }
    return std::nullopt;
}

enum class ImageType { unknown, d64, d71, d80, d81, d82 };
enum class DriveType { unknown, d1541, d1570, d1571, d1581, d8050, d8250, sfd1001, other };

struct Request {
    int verbosity = warning;
    int warp = -1; // -1: not asked either way
    int mode = autoMode;
    int firstTrack = 1;
    std::optional<int> lastTrack;
    int twoSided = -1;
    DriveType driveType = DriveType::unknown;
    qint64 device = 8;
    QString imagePath;
    bool intoImage = false;
};

void say(const Request& request, int severity, const QByteArray& text) {
    if (request.verbosity >= severity) {
        writeErr(QByteArray("[") + severityNames[severity] + "] " + text + '\n');
    }
}

std::optional<DriveType> driveTypeArgument(const QString& text) {
    static const QList<std::pair<QString, DriveType>> types = {
        {QStringLiteral("1541"), DriveType::d1541}, {QStringLiteral("1571"), DriveType::d1571},
        {QStringLiteral("1581"), DriveType::d1581}, {QStringLiteral("8050"), DriveType::d8050},
        {QStringLiteral("8250"), DriveType::d8250}, {QStringLiteral("1001"), DriveType::sfd1001},
        {QStringLiteral("2031"), DriveType::other}, {QStringLiteral("2040"), DriveType::other},
        {QStringLiteral("3040"), DriveType::other}, {QStringLiteral("4031"), DriveType::other},
        {QStringLiteral("4040"), DriveType::other}};
    for (const auto& [name, type] : types) {
        if (name == text) {
            return type;
        }
    }
    return std::nullopt;
}

// The tool's own exit paths before the bus is opened: a status to return.
std::expected<Request, int> parseRequest(const QStringList& arguments) {
    Request request;
    QStringList positional;
    std::optional<QString> modeName;
    const auto hint = [] {
        writeErr("Try 'imgcopy' --help for more information.\n");
        return std::unexpected(1);
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        std::optional<QString> value;
        if (option.startsWith(QLatin1String("--")) && option.contains(QLatin1Char('='))) {
            value = option.mid(option.indexOf(QLatin1Char('=')) + 1);
            option = option.left(option.indexOf(QLatin1Char('=')));
        }
        if (!option.startsWith(QLatin1Char('-')) || option == QLatin1String("-")) {
            positional << option;
            continue;
        }
        static const QStringList withValue = {
            "-t", "--transfer",   "-i", "--interleave",  "-s", "--start-track", "-e", "--end-track",
            "-d", "--drive-type", "-r", "--retry-count", "-E", "--error-map",   "-@", "--adapter"};
        if (withValue.contains(option) && !value) {
            if (++i >= arguments.size()) {
                return hint();
            }
            value = arguments.at(i);
        }
        if (option == "-v" || option == "--verbose") {
            ++request.verbosity;
        } else if (option == "-q" || option == "--quiet") {
            request.verbosity = std::max(0, request.verbosity - 1);
        } else if (option == "-w" || option == "--warp") {
            request.warp = 1;
        } else if (option == "--no-warp") {
            request.warp = 0;
        } else if (option == "-t" || option == "--transfer") {
            modeName = value;
        } else if (option == "-s" || option == "--start-track") {
            request.firstTrack = value->toInt();
        } else if (option == "-e" || option == "--end-track") {
            request.lastTrack = value->toInt();
        } else if (option == "-d" || option == "--drive-type") {
            const std::optional<DriveType> type = driveTypeArgument(*value);
            if (!type) {
                say(request, fatal, "unknown drive type.");
                return hint();
            }
            request.driveType = *type;
        } else if (option == "-1" || option == "--one-sided") {
            request.twoSided = 0;
        } else if (option == "-2" || option == "--two-sided") {
            request.twoSided = 1;
        } else if (!withValue.contains(option) && option != "-n" && option != "--no-progress" &&
                   option != "-b" && option != "--bam-only" && option != "-B" &&
                   option != "--bam-save") {
            return hint();
        }
    }
    if (modeName) {
        const std::optional<int> mode = transferModeIndex(*modeName);
        if (!mode) {
            writeErr("Unknown transfer mode: " + modeName->toLocal8Bit() + "\nAvailable modes:\n");
            for (const QString& each : transferModes()) {
                writeErr("  " + each.toLatin1() + '\n');
            }
            return std::unexpected(1);
        }
        request.mode = *mode;
    }
    if (positional.size() != 2) {
        writeErr("Usage: imgcopy [OPTION]... [SOURCE] [TARGET]\n");
        return hint();
    }
    // Only these four texts name a drive; anything else is a file.
    const auto isDrive = [](const QString& text) {
        return QStringList{"8", "9", "10", "11"}.contains(text);
    };
    if (isDrive(positional.at(0)) == isDrive(positional.at(1))) {
        say(request, fatal, "either source or target must be a CBM drive");
        return std::unexpected(1);
    }
    request.intoImage = isDrive(positional.at(0));
    request.device = positional.at(request.intoImage ? 0 : 1).toLongLong();
    request.imagePath = positional.at(request.intoImage ? 1 : 0);
    return request;
}

// The image type and two-sidedness the tool reads from the first "." of the path on.
ImageType imageTypeOfPath(const QString& path, int& twoSided) {
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : path.mid(dot + 1).toLower();
    static const QList<std::tuple<QString, ImageType, int>> types = {{"d64", ImageType::d64, 0},
                                                                     {"d71", ImageType::d71, 1},
                                                                     {"d80", ImageType::d80, 0},
                                                                     {"d81", ImageType::d81, 0},
                                                                     {"d82", ImageType::d82, 1}};
    for (const auto& [name, type, sides] : types) {
        if (extension == name) {
            twoSided = sides;
            return type;
        }
    }
    return ImageType::unknown;
}

ImageType standardImageType(DriveType drive, int twoSided) {
    switch (drive) {
    case DriveType::d8050:
        return ImageType::d80;
    case DriveType::unknown:
    case DriveType::d8250:
    case DriveType::sfd1001:
        return twoSided != 0 ? ImageType::d82 : ImageType::d80;
    case DriveType::d1571:
        return twoSided != 0 ? ImageType::d71 : ImageType::d64;
    case DriveType::d1581:
        return ImageType::d81;
    case DriveType::d1541:
    case DriveType::d1570:
    case DriveType::other:
        break;
    }
    return ImageType::d64;
}

// The tool settles the standard type on its first look (before the drive is identified) and
// keeps it: only a -d that names the drive lets an image of it through.
struct ImageChoice {
    ImageType image = ImageType::unknown;
    std::optional<ImageType> standard;
};

bool settleImageType(const Request& request, ImageChoice& choice, DriveType drive, int twoSided) {
    if (!choice.standard) {
        choice.standard = standardImageType(drive, twoSided);
    }
    if (choice.image == ImageType::unknown) {
        choice.image = *choice.standard;
    }
    const bool fits = choice.image == *choice.standard ||
                      (*choice.standard == ImageType::d71 && choice.image == ImageType::d64) ||
                      (*choice.standard == ImageType::d82 && choice.image == ImageType::d80);
    if (!fits) {
        say(request, warning, "invalid imagetype for this drive type");
    }
    return fits;
}

DriveType identified(const QString& model) {
    if (is1581(model)) {
        return DriveType::d1581;
    }
    if (is1571(model)) {
        return DriveType::d1571;
    }
    if (model.contains(QLatin1String("1570"))) {
        return DriveType::d1570;
    }
    if (model.contains(QLatin1String("1541"))) {
        return DriveType::d1541;
    }
    return DriveType::unknown;
}

// Opens the image file as the tool's file side does; false when the copy cannot go on.
bool openImageFile(const Request& request, TrackCopy& copy) {
    const qint64 blocks = sectorsUpToTrack(copy.kind, trackCount(copy.kind));
    const QFileInfo file(request.imagePath);
    const QByteArray path = request.imagePath.toLocal8Bit();
    const bool whole = file.exists() && (file.size() == blocks * sectorSize ||
                                         file.size() == blocks * (sectorSize + 1));
    if (file.exists() && !whole) {
        writeOut(QStringLiteral("filesize=%1, blockcount=%2, calc1=%3, calc2=%4\n")
                     .arg(file.size())
                     .arg(blocks)
                     .arg(blocks * sectorSize)
                     .arg(blocks * (sectorSize + 1))
                     .toLatin1());
    }
    if (!copy.intoImage) {
        if (!file.exists()) {
            say(request, fatal, "could not access imagefile: " + path);
        } else if (!whole) {
            say(request, fatal, "image file is not compatible: " + path);
        } else if (!copy.image.open(QIODevice::ReadOnly)) {
            say(request, fatal, "could not open " + path);
        } else {
            if (file.size() > blocks * sectorSize) {
                say(request, warning, "image contains error information");
            }
            copy.source = copy.image.readAll();
            copy.disk = copy.disk.leftJustified(imageSize(copy.kind), '\0');
            say(request, info, "open imagefile ok. " + path);
            return true;
        }
        say(request, fatal, "can't open source");
        return false;
    }
    if (!copy.image.open(whole ? QIODevice::ReadWrite
                               : QIODevice::ReadWrite | QIODevice::Truncate)) {
        say(request, fatal, "could not open " + path);
        say(request, fatal, "can't open destination");
        return false;
    }
    const qint64 wholeImage = blocks * sectorSize;
    if (!file.exists()) {
        say(request, warning, "growing image file to " + QByteArray::number(blocks) + " blocks");
    }
    // An image ends whole once the copy closes it, as far as the file system takes it.
    copy.image.resize(std::min(wholeImage, copy.imageSpace.value_or(wholeImage)));
    say(request, info, "open imagefile ok. " + path);
    return true;
}

int copy(const BusState& bus, Request request) {
    ImageChoice choice;
    int twoSided = request.twoSided;
    choice.image = imageTypeOfPath(request.imagePath, twoSided);
    settleImageType(request, choice, request.driveType, twoSided);

    DriveType drive = request.driveType;
    if (drive == DriveType::unknown) {
        say(request, info, "Trying to identify drive type");
        if (!driveAnswers(bus, request.device)) {
            say(request, fatal, "could not identify device");
        } else {
            drive = identified(bus.model(request.device));
        }
        if (drive == DriveType::d1541 || drive == DriveType::d1570 || drive == DriveType::d1571) {
            say(request, fatal, "drive is not supported");
            return 0;
        }
        if (drive != DriveType::d1581) {
            say(request, warning, "Unknown drive, assuming 8250");
            drive = DriveType::d8250;
        }
    }
    if (twoSided == -1) {
        twoSided = drive == DriveType::d8250 || drive == DriveType::sfd1001 ? 1 : 0;
    }
    if (!settleImageType(request, choice, drive, twoSided)) {
        say(request, fatal, "invalid imagetype for this drive type");
        return 0;
    }
    const std::optional<DiskKind> kind =
        choice.image == ImageType::d81   ? std::optional(DiskKind::d81)
        : choice.image == ImageType::d71 ? std::optional(DiskKind::d71)
        : choice.image == ImageType::d64 ? std::optional(DiskKind::d64)
                                         : std::nullopt;
    if (!kind) {
        // The 8050 family's disks are not simulated.
        say(request, fatal, "invalid drive or image type");
        return 0;
    }
    const int lastTrack = request.lastTrack.value_or(trackCount(*kind));
    if (request.firstTrack < 1 || request.firstTrack > trackCount(*kind)) {
        say(request, fatal,
            QStringLiteral("invalid value (%1) for start track. (MAXTRACKS=%2)")
                .arg(request.firstTrack)
                .arg(trackCount(*kind))
                .toLatin1());
        return 0;
    }
    if (lastTrack < request.firstTrack || lastTrack > trackCount(*kind)) {
        say(request, fatal,
            QStringLiteral("invalid value (%1) for end track. (MAXTRACKS=%2)")
                .arg(lastTrack)
                .arg(trackCount(*kind))
                .toLatin1());
        return 0;
    }

    const QByteArray label = "drive " + QByteArray::number(request.device).rightJustified(2, '0') +
                             (drive == DriveType::d1581 ? " (CBM-1581)" : " (unknown)");
    const std::optional<QByteArray> disk =
        driveAnswers(bus, request.device) ? bus.disk(request.device) : std::nullopt;
    const QString status = !driveAnswers(bus, request.device)
                               ? QString::fromLatin1(dosStatus::driverError)
                           : !disk ? QString::fromLatin1(dosStatus::driveNotReady)
                                   : QString::fromLatin1(dosStatus::ok);
    if (status != QLatin1String(dosStatus::ok)) {
        bus.setStatus(request.device, status);
        say(request, fatal, label + ": " + rawStatus(status) + '\r');
        return 0;
    }
    say(request, info, label);
    if (twoSided == 1 && drive != DriveType::d8250 && drive != DriveType::sfd1001) {
        say(request, fatal, "requires a two side drive");
        return 0;
    }
    if (request.warp > 0) {
        say(request, warning, "drive type doesn't support warp mode");
    }
    const int mode = request.mode == autoMode ? static_cast<int>(original) : request.mode;
    if (*kind == DiskKind::d81 && mode == parallel) {
        say(request, fatal, "transfer mode not allowed for this drive type");
        return 0;
    }
    say(request, info, "set transfer struc.");
    if (mode != original) {
        say(request, info, "sending turbo drive code ...");
        const int family = drive == DriveType::d1581 ? 2 : drive == DriveType::d1571 ? 1 : 0;
        writeOut("uploading drivecode " +
                 QByteArray::number(family * 4 + (request.intoImage ? 0 : 1)) + '\n');
    }

    TrackCopy transfer{
        bus,
        request.device,
        request.intoImage,
        *kind,
        copyOrder(*kind == DiskKind::d71 ? DiskKind::d64 : *kind, request.firstTrack, lastTrack),
        *disk,
        QFile(request.imagePath),
        {},
        imageSpace(bus)};
    say(request, info, "open source disk.");
    if (!request.intoImage && !openImageFile(request, transfer)) {
        return 0;
    }
    say(request, info, "open destination.");
    if (request.intoImage && !openImageFile(request, transfer)) {
        return 0;
    }
    copyTracks(transfer, request.verbosity >= info);
    say(request, info, "finished imagecopy.");
    return 0;
}

} // namespace

int runImgcopy(const QStringList& arguments) {
    const std::optional<BusState> bus = startRun(true);
    const std::expected<Request, int> request = parseRequest(arguments);
    if (!request) {
        return request.error();
    }
    if (!openAdapter(bus)) {
        return 1;
    }
    const int status = copy(*bus, *request);
    finishOutput(*bus);
    return status;
}

} // namespace vellum::sim
