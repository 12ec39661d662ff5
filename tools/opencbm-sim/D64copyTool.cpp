#include "DiskGeometry.h"
#include "ToolSupport.h"
#include "Tools.h"
#include "TrackCopy.h"

#include <QFile>
#include <algorithm>
#include <expected>

namespace vellum::sim {

namespace {

struct CopyRequest {
    bool verbose = false;
    bool twoSided = false;
    bool warpAsked = false;
    int firstTrack = 1;
    int lastTrack = dosTracks;
    qint64 device = 8;
    QString imagePath;
    bool intoImage = false; // reading the floppy into the file
};

int usage(const QString& problem) {
    writeErr("d64copy: " + problem.toLocal8Bit() +
             "\nusage: d64copy [OPTION]... [SOURCE] [TARGET]\n");
    return 1;
}

std::optional<qint64> driveArgument(const QString& text) {
    const std::optional<qint64> device = parseDevice(text);
    if (!device || *device < 8) {
        return std::nullopt;
    }
    return device;
}

std::expected<CopyRequest, QString> parseRequest(const QStringList& arguments) {
    CopyRequest request;
    QStringList positional;
    std::optional<int> explicitLast;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positional << argument;
            continue;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--verbose")) {
            request.verbose = true;
        } else if (argument == QLatin1String("-2") || argument == QLatin1String("--two-sided")) {
            request.twoSided = true;
        } else if (argument == QLatin1String("-w") || argument == QLatin1String("--warp")) {
            request.warpAsked = true;
        } else if (argument == QLatin1String("-n") || argument == QLatin1String("-q") ||
                   argument == QLatin1String("--no-warp") || argument == QLatin1String("--quiet")) {
        } else if (argument == QLatin1String("-s") || argument == QLatin1String("-e") ||
                   argument == QLatin1String("-t") || argument == QLatin1String("-i") ||
                   argument == QLatin1String("-r")) {
            if (++i >= arguments.size()) {
                return std::unexpected(QStringLiteral("option %1 needs a value").arg(argument));
            }
            if (argument == QLatin1String("-s") || argument == QLatin1String("-e")) {
                (argument == QLatin1String("-s") ? request.firstTrack : explicitLast) =
                    arguments.at(i).toInt();
            }
        } else {
            return std::unexpected(QStringLiteral("invalid option ") + argument);
        }
    }
    // With -2 the tracks of side two count on from 36.
    const int lastTrack = request.twoSided ? 2 * dosTracks : dosTracks;
    request.lastTrack = explicitLast.value_or(lastTrack);
    if (request.firstTrack < 1 || request.lastTrack > lastTrack) {
        return std::unexpected(QStringLiteral("invalid track"));
    }
    if (positional.size() != 2 || request.firstTrack > request.lastTrack) {
        return std::unexpected(QStringLiteral("a source and a target are needed"));
    }
    const std::optional<qint64> sourceDrive = driveArgument(positional.at(0));
    const std::optional<qint64> targetDrive = driveArgument(positional.at(1));
    if (sourceDrive.has_value() == targetDrive.has_value()) {
        return std::unexpected(QStringLiteral("either the source or the target must be a drive"));
    }
    request.intoImage = sourceDrive.has_value();
    request.device = sourceDrive ? *sourceDrive : *targetDrive;
    request.imagePath = sourceDrive ? positional.at(1) : positional.at(0);
    return request;
}

QByteArray driveLabel(const BusState& bus, qint64 device) {
    const QString model = bus.model(device);
    QByteArray type = "1541";
    if (model.contains(QLatin1String("1571"))) {
        type = "1571";
    } else if (model.contains(QLatin1String("1570"))) {
        type = "1570";
    }
    return "drive " + QByteArray::number(device).rightJustified(2, '0') + " (" + type + ")";
}

int copy(const BusState& bus, const CopyRequest& request) {
    if (request.verbose) {
        writeErr(QByteArrayLiteral("[Info] Trying to identify drive type\n"));
    }
    if (!driveAnswers(bus, request.device)) {
        writeErr("[Fatal] drive " + QByteArray::number(request.device).rightJustified(2, '0') +
                 " (unknown): " + rawStatus(QString::fromLatin1(dosStatus::driverError)) + "\r\n");
        return 0;
    }
    if (is1581(bus.model(request.device))) {
        writeErr(QByteArrayLiteral("[Fatal] 1581 drives are not supported\n"));
        return 0;
    }
    const QByteArray label = driveLabel(bus, request.device);
    const std::optional<QByteArray> disk = bus.disk(request.device);
    if (!disk) {
        bus.setStatus(request.device, QString::fromLatin1(dosStatus::driveNotReady));
        writeErr("[Fatal] " + label + ": " +
                 rawStatus(QString::fromLatin1(dosStatus::driveNotReady)) + "\r\n");
        return 0;
    }
    if (request.verbose) {
        writeErr("[Info] " + label + ": " + rawStatus(QString::fromLatin1(dosStatus::ok)) + "\r\n");
    }
    const DiskKind kind = request.twoSided ? DiskKind::d71 : DiskKind::d64;
    if (request.twoSided) {
        if (!is1571(bus.model(request.device))) {
            writeErr(QByteArrayLiteral("[Fatal] .d71 transfer requires a 1571 drive\n"));
            return 0;
        }
        if (request.warpAsked) {
            writeErr(QByteArrayLiteral("[Warning] `-w' for .d71 transfer in warp mode ignored\n"));
        }
        bus.setDoubleSidedMode(request.device, true);
    }

    TrackCopy transfer{bus,
                       request.device,
                       request.intoImage,
                       kind,
                       copyOrder(kind, request.firstTrack, request.lastTrack),
                       *disk,
                       QFile(request.imagePath),
                       {},
                       imageSpace(bus)};
    if (!openImage(transfer, "[Fatal] " + request.imagePath.toLocal8Bit() + " is not a valid " +
                                 (request.twoSided ? "d71" : "d64") + " image\n")) {
        return 0;
    }
    copyTracks(transfer, request.verbose);
    return 0;
}

} // namespace

int runD64copy(const QStringList& arguments) {
    const std::optional<BusState> bus = startRun(true);
    const std::expected<CopyRequest, QString> request = parseRequest(arguments);
    if (!request) {
        return usage(request.error());
    }
    if (!openAdapter(bus)) {
        return 1;
    }
    const int status = copy(*bus, *request);
    finishOutput(*bus);
    return status;
}

} // namespace vellum::sim
