#include "DiskGeometry.h"
#include "ToolSupport.h"
#include "Tools.h"

#include <QFile>
#include <algorithm>
#include <expected>

namespace vellum::sim {

namespace {

struct CopyRequest {
    bool verbose = false;
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
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positional << argument;
            continue;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--verbose")) {
            request.verbose = true;
        } else if (argument == QLatin1String("-w") || argument == QLatin1String("-n") ||
                   argument == QLatin1String("-q") || argument == QLatin1String("--warp") ||
                   argument == QLatin1String("--no-warp") || argument == QLatin1String("--quiet")) {
        } else if (argument == QLatin1String("-s") || argument == QLatin1String("-e") ||
                   argument == QLatin1String("-t") || argument == QLatin1String("-i") ||
                   argument == QLatin1String("-r")) {
            if (++i >= arguments.size()) {
                return std::unexpected(QStringLiteral("option %1 needs a value").arg(argument));
            }
            const int track = arguments.at(i).toInt();
            if (argument == QLatin1String("-s") || argument == QLatin1String("-e")) {
                if (track < 1 || track > dosTracks) {
                    return std::unexpected(QStringLiteral("invalid track ") + arguments.at(i));
                }
                (argument == QLatin1String("-s") ? request.firstTrack : request.lastTrack) = track;
            }
        } else {
            return std::unexpected(QStringLiteral("invalid option ") + argument);
        }
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

QByteArray progressLine(int track, const QByteArray& map, int done, int total) {
    return QStringLiteral("\r%1: %2%3%%4/%5")
        .arg(track, 2)
        .arg(QString::fromLatin1(map), -24)
        .arg(done * 100 / total, 3)
        .arg(done, 6)
        .arg(total)
        .toLatin1();
}

QByteArray trackDoneLine(int track, const QByteArray& map) {
    return QStringLiteral("\r%1: %2%3\n")
        .arg(track, 2)
        .arg(QString::fromLatin1(map), -24)
        .arg(QString(), 14)
        .toLatin1();
}

// The drive side of one sector: read from or written to the simulated disk.
struct Transfer {
    const BusState& bus;
    const CopyRequest& request;
    QByteArray disk;
    QFile image;
    QByteArray source;
    std::optional<qint64> imageSpace; // bytes the image's file system still takes
};

enum class SectorResult { copied, diskError, imageWriteError };

SectorResult copySector(Transfer& transfer, int track, int sector) {
    if (transfer.request.intoImage) {
        const std::optional<QByteArray> bytes = readSector(transfer.disk, track, sector);
        if (!bytes) {
            return SectorResult::diskError;
        }
        const qint64 offset = sectorOffset(track, sector);
        if (transfer.imageSpace && offset + sectorSize > *transfer.imageSpace) {
            return SectorResult::imageWriteError;
        }
        return transfer.image.seek(offset) && transfer.image.write(*bytes) == sectorSize
                   ? SectorResult::copied
                   : SectorResult::imageWriteError;
    }
    writeSector(transfer.disk, track, sector,
                transfer.source.mid(sectorOffset(track, sector), sectorSize));
    return SectorResult::copied;
}

QByteArray sectorText(int track, int sector) {
    return QByteArray::number(track).rightJustified(2, '0') + '/' +
           QByteArray::number(sector).rightJustified(2, '0');
}

int copyTracks(Transfer& transfer) {
    const CopyRequest& request = transfer.request;
    const int total =
        sectorsUpToTrack(request.lastTrack) - sectorsUpToTrack(request.firstTrack - 1);
    if (request.verbose) {
        writeErr(QStringLiteral("[Info] copying tracks %1-%2 (%3 sectors)\n")
                     .arg(request.firstTrack)
                     .arg(request.lastTrack)
                     .arg(total)
                     .toLatin1());
    }
    const std::optional<int> failing = failingTrack(transfer.bus);
    const QByteArray failure = request.intoImage ? "read error" : "write error";
    int processed = 0;
    int copied = 0;
    QString verdict = QString::fromLatin1(dosStatus::ok);
    for (int track = request.firstTrack; track <= request.lastTrack; ++track) {
        const int sectors = sectorsOnTrack(track);
        QByteArray map(sectors, '-');
        bool trackFailed = false;
        for (int sector = 0; sector < sectors; ++sector) {
            spendTrackTime(transfer.bus, 1.0 / sectors);
            const SectorResult result =
                track == failing ? SectorResult::diskError : copySector(transfer, track, sector);
            map[sector] = result == SectorResult::copied ? '*' : '?';
            ++processed;
            if (result == SectorResult::copied) {
                ++copied;
            } else if (result == SectorResult::imageWriteError) {
                // The drive did its part: only the file on the computer is short.
                writeErr("[Warning] write error: " + sectorText(track, sector) + "\n");
            } else {
                trackFailed = true;
                verdict = dosStatus::readError(track, sector);
                writeErr("[Warning] " + failure + ": " + sectorText(track, sector) + ": 5\n");
            }
            writeOut(progressLine(track, map, processed, total));
        }
        if (trackFailed) {
            writeErr(QByteArrayLiteral("[Warning] giving up...\n"));
        }
        if (!request.intoImage) {
            transfer.bus.setDisk(request.device, transfer.disk);
        }
        if (track < request.lastTrack) {
            writeOut(trackDoneLine(track, map));
        }
    }
    transfer.bus.setStatus(request.device, verdict);
    writeOut("\n" + QByteArray::number(copied) + " blocks copied.\n");
    return 0;
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
    if (bus.model(request.device).contains(QLatin1String("1581"))) {
        writeErr(QByteArrayLiteral("[Fatal] 1581 drives are not supported\n"));
        return 0;
    }
    const QByteArray label = driveLabel(bus, request.device);
    Transfer transfer{bus, request, {}, QFile(request.imagePath), {}, imageSpace(bus)};
    const std::optional<QByteArray> disk = bus.disk(request.device);
    if (!disk) {
        bus.setStatus(request.device, QString::fromLatin1(dosStatus::driveNotReady));
        writeErr("[Fatal] " + label + ": " +
                 rawStatus(QString::fromLatin1(dosStatus::driveNotReady)) + "\r\n");
        return 0;
    }
    transfer.disk = *disk;
    if (request.verbose) {
        writeErr("[Info] " + label + ": " + rawStatus(QString::fromLatin1(dosStatus::ok)) + "\r\n");
    }

    const qint64 wholeImage = imageSize(dosTracks);
    if (request.intoImage) {
        if (!transfer.image.open(QIODevice::ReadWrite)) {
            writeErr("[Fatal] could not open " + request.imagePath.toLocal8Bit() + ": " +
                     transfer.image.errorString().toLocal8Bit() + '\n');
            return 0;
        }
        if (transfer.image.size() < wholeImage) {
            writeErr("[Warning] growing image file to " +
                     QByteArray::number(sectorsUpToTrack(dosTracks)) + " blocks\n");
            transfer.image.resize(std::min(wholeImage, transfer.imageSpace.value_or(wholeImage)));
        }
    } else {
        if (!transfer.image.open(QIODevice::ReadOnly)) {
            writeErr("[Fatal] could not open " + request.imagePath.toLocal8Bit() + ": " +
                     transfer.image.errorString().toLocal8Bit() + '\n');
            return 0;
        }
        transfer.source = transfer.image.readAll();
        if (transfer.source.size() < wholeImage) {
            writeErr("[Fatal] " + request.imagePath.toLocal8Bit() + " is not a valid d64 image\n");
            return 0;
        }
    }
    return copyTracks(transfer);
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
