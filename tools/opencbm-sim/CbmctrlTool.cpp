#include "DirectoryListing.h"
#include "DosCommands.h"
#include "Petscii.h"
#include "RawDirectory.h"
#include "ToolSupport.h"
#include "Tools.h"

namespace vellum::sim {

namespace {

int usage(const QString& problem) {
    writeErr("cbmctrl: " + problem.toLocal8Bit() +
             "\nusage: cbmctrl [-p|--petscii] [-r|--raw] detect | status DEV | dir DEV | reset"
             " | command DEV CMDSTR\n");
    return 1;
}

int detect(const BusState& bus) {
    if (bus.hasFault(QString::fromLatin1(fault::noDrive))) {
        return 1;
    }
    QByteArray lines;
    for (const qint64 device : bus.devices()) {
        if (bus.hasDrive(device)) {
            lines += QStringLiteral("%1: %2 \n").arg(device, 2).arg(bus.model(device)).toUtf8();
        }
    }
    if (lines.isEmpty()) {
        return 1;
    }
    writeOut(lines);
    finishOutput(bus);
    return 0;
}

int status(const BusState& bus, qint64 device) {
    if (!driveAnswers(bus, device)) {
        writeOut(QByteArray(dosStatus::driverError) + '\n');
        return 1;
    }
    writeOut(bus.status(device).toLower().toLatin1() + '\n');
    // Reading the error channel clears it, as on the drive.
    bus.setStatus(device, QString::fromLatin1(dosStatus::ok));
    finishOutput(bus);
    return 0;
}

int directory(const BusState& bus, qint64 device) {
    if (!driveAnswers(bus, device)) {
        writeErr(QByteArray(dosStatus::driverError) + '\n');
        return 1;
    }
    spendTrackTime(bus, 1);
    const std::optional<QByteArray> disk = bus.disk(device);
    QString verdict = QString::fromLatin1(dosStatus::ok);
    if (!disk) {
        verdict = QString::fromLatin1(dosStatus::driveNotReady);
    } else if (!isReadableDisk(*disk) || !driveTakesDisk(bus.model(device), *disk)) {
        verdict = dosStatus::readError(directoryTrackOf(diskKindOf(*disk)), 0);
    } else {
        writeOut(directoryListing(*disk, bus.hasFault(QString::fromLatin1(fault::nonUtf8)),
                                  bus.readsBothSides(device)));
    }
    bus.setStatus(device, verdict);
    writeOut(verdict.toLatin1() + '\n');
    finishOutput(bus);
    return 0;
}

int reset(const BusState& bus) {
    for (const qint64 device : bus.devices()) {
        if (bus.hasDrive(device)) {
            bus.setStatus(device, powerOnStatus(bus.model(device)));
            bus.setDoubleSidedMode(device, false);
        }
    }
    return 0;
}

int command(const BusState& bus, qint64 device, const QString& text, bool petscii) {
    if (!driveAnswers(bus, device)) {
        return 1;
    }
    executeDosCommand(bus, device, petscii ? asciiToPetscii(text) : text.toLatin1());
    return 0;
}

} // namespace

int runCbmctrl(const QStringList& arguments) {
    const std::optional<BusState> bus = startRun(false);

    bool petscii = false;
    qsizetype next = 0;
    for (; next < arguments.size() && arguments.at(next).startsWith(QLatin1Char('-')); ++next) {
        const QString& option = arguments.at(next);
        if (option == QLatin1String("-p") || option == QLatin1String("--petscii")) {
            petscii = true;
        } else if (option != QLatin1String("-r") && option != QLatin1String("--raw")) {
            return usage(QStringLiteral("unknown option ") + option);
        }
    }
    const QStringList rest = arguments.mid(next);
    if (rest.isEmpty()) {
        return usage(QStringLiteral("no action given"));
    }

    const QString& action = rest.first();
    const qsizetype wanted =
        action == QLatin1String("command")                                      ? 3
        : action == QLatin1String("status") || action == QLatin1String("dir")   ? 2
        : action == QLatin1String("detect") || action == QLatin1String("reset") ? 1
                                                                                : -1;
    if (wanted < 0) {
        return usage(QStringLiteral("unknown action ") + action);
    }
    if (rest.size() != wanted) {
        return usage(QStringLiteral("wrong number of arguments for ") + action);
    }
    std::optional<qint64> device;
    if (wanted > 1) {
        device = parseDevice(rest.at(1));
        if (!device) {
            return usage(QStringLiteral("invalid device ") + rest.at(1));
        }
    }

    if (!openAdapter(bus)) {
        return 255;
    }

    if (action == QLatin1String("detect")) {
        return detect(*bus);
    }
    if (action == QLatin1String("reset")) {
        return reset(*bus);
    }
    if (action == QLatin1String("status")) {
        return status(*bus, *device);
    }
    if (action == QLatin1String("dir")) {
        return directory(*bus, *device);
    }
    return command(*bus, *device, rest.at(2), petscii);
}

} // namespace vellum::sim
