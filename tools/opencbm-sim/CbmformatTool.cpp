#include "DiskEditing.h"
#include "DiskGeometry.h"
#include "DosCommands.h"
#include "Petscii.h"
#include "ToolSupport.h"
#include "Tools.h"

#include <expected>

namespace vellum::sim {

namespace {

struct FormatRequest {
    bool progress = false;
    bool printStatus = false;
    bool extended = false;
    qint64 device = 8;
    QByteArray name;
    QByteArray id;
};

int usage(const QString& problem) {
    writeErr("cbmformat: " + problem.toLocal8Bit() +
             "\nusage: cbmformat [-n] [-x] [-c] [-v] [-o] [-p] [-s] DRIVE NAME,ID\n");
    return 1;
}

std::expected<FormatRequest, QString> parseRequest(const QStringList& arguments) {
    FormatRequest request;
    QStringList positional;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() < 2) {
            positional << argument;
            continue;
        }
        for (const QChar option : argument.mid(1)) {
            if (option == QLatin1Char('p')) {
                request.progress = true;
            } else if (option == QLatin1Char('s')) {
                request.printStatus = true;
            } else if (option == QLatin1Char('x')) {
                request.extended = true;
            } else if (!QStringLiteral("ncvob").contains(option)) {
                return std::unexpected(QStringLiteral("invalid option -") + option);
            }
        }
    }
    const std::optional<qint64> device =
        positional.size() == 2 ? parseDevice(positional.first()) : std::nullopt;
    const qsizetype comma =
        positional.size() == 2 ? positional.last().indexOf(QLatin1Char(',')) : -1;
    if (!device || comma < 1) {
        return std::unexpected(QStringLiteral("a drive and NAME,ID are needed"));
    }
    request.device = *device;
    request.name = asciiToPetscii(positional.last().left(comma)).left(16);
    request.id = asciiToPetscii(positional.last().mid(comma + 1)).left(2);
    return request;
}

QString format(const BusState& bus, const FormatRequest& request) {
    if (!driveAnswers(bus, request.device)) {
        return QString::fromLatin1(dosStatus::driverError);
    }
    const std::optional<QByteArray> disk = bus.disk(request.device);
    if (!disk) {
        bus.setStatus(request.device, QString::fromLatin1(dosStatus::driveNotReady));
        return QString::fromLatin1(dosStatus::driveNotReady);
    }
    const int tracks = request.extended ? extendedTracks : dosTracks;
    const std::optional<int> failing = failingTrack(bus);
    for (int track = 1; track <= tracks; ++track) {
        spendTrackTime(bus, 1);
        if (track == failing) {
            QByteArray damaged = *disk;
            erasePartlyFormattedTracks(damaged, track);
            bus.setDisk(request.device, damaged);
            const QString verdict = dosStatus::readError(track, 0);
            bus.setStatus(request.device, verdict);
            return verdict;
        }
        if (request.progress) {
            writeOut(QByteArrayLiteral("#"));
        }
    }
    bus.setDisk(request.device, freshlyFormatted(request.name, request.id, tracks));
    bus.setStatus(request.device, QString::fromLatin1(dosStatus::ok));
    return QString::fromLatin1(dosStatus::ok);
}

} // namespace

int runCbmformat(const QStringList& arguments) {
    const std::optional<BusState> bus = startRun(false);
    const std::expected<FormatRequest, QString> request = parseRequest(arguments);
    if (!request) {
        return usage(request.error());
    }
    if (!openAdapter(bus)) {
        return 1;
    }
    const QString verdict = format(*bus, *request);
    if (request->progress) {
        writeOut(QByteArrayLiteral("\n"));
    }
    if (request->printStatus) {
        writeOut(rawStatus(verdict) + '\r');
    }
    finishOutput(*bus);
    return 0;
}

} // namespace vellum::sim
