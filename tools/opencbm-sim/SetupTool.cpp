#include "BusState.h"
#include "DiskBam.h"
#include "ToolSupport.h"
#include "Tools.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QDir>
#include <QFile>

namespace vellum::sim {

namespace {

const char helpText[] =
    "usage: opencbm-sim init BUS [--drive DEV:MODEL[:DISK]]... [--no-adapter]\n"
    "       opencbm-sim insert BUS DEV DISK|--none\n"
    "       opencbm-sim fault BUS NAME[=VALUE]\n"
    "       opencbm-sim fault BUS --clear NAME\n"
    "       opencbm-sim make-disk d71|d81 FILE\n"
    "       opencbm-sim --help\n"
    "\n"
    "Keeps a simulated IEC bus in the folder BUS for the substitute tools cbmctrl, d64copy,\n"
    "imgcopy, cbmcopy, cbmformat and xum1541cfg (links to this program), which find it\n"
    "through the environment variable OPENCBM_SIM_BUS.\n"
    "\n"
    "init       starts a bus afresh: the adapter plugged in, each --drive switched on with\n"
    "           its model text (\"1541-II\", \"1571\", ...) and a copy of DISK inserted\n"
    "           (no disk when none is given)\n"
    "insert     puts a copy of DISK into drive DEV, or takes the disk out (--none)\n"
    "fault      sets or clears a fault switch:\n"
    "  no-adapter             no adapter is found\n"
    "  no-drive               no drive answers\n"
    "  hang                   every tool hangs before it does its work\n"
    "  ignore-sigint          tools ignore SIGINT\n"
    "  ignore-sigint-sigterm  tools ignore SIGINT and SIGTERM\n"
    "  fail-at-track=N        transfers and formats fail on track N\n"
    "  non-utf8               tools print bytes that are not UTF-8\n"
    "  seconds-per-track=S    time a track takes (0 by default; about 0.7 is a real 1541)\n"
    "  image-space=B          d64copy and imgcopy find room for only B bytes of the image\n"
    "                         they read\n"
    "make-disk  writes a demo disk for a 1571 (d71, files on both sides) or a 1581 (d81)\n"
    "\n"
    "A disk is a D64, D71 or D81 image; a 1571 reads one side of a D71 until it is sent\n"
    "\"U0>M1\" and again after a reset.\n";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const QString& problem) {
    throw UsageError(problem.toStdString());
}

qint64 deviceOf(const QString& text) {
    const std::optional<qint64> device = parseDevice(text);
    if (!device) {
        fail(QStringLiteral("invalid device number \"%1\"").arg(text));
    }
    return *device;
}

QByteArray diskFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw PlatformError(QStringLiteral("Could not read %1: %2").arg(path, file.errorString()));
    }
    return file.readAll();
}

void removeFolder(const QString& path) {
    QDir folder(path);
    if (folder.exists() && !folder.removeRecursively()) {
        throw PlatformError(QStringLiteral("Could not remove %1.").arg(path));
    }
}

void init(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        fail(QStringLiteral("init needs a bus folder"));
    }
    const BusState bus(arguments.first());
    struct DriveSetting {
        qint64 device;
        QString model;
        std::optional<QByteArray> disk;
    };
    QList<DriveSetting> drives;
    bool adapter = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--no-adapter")) {
            adapter = false;
            continue;
        }
        if (argument != QLatin1String("--drive") || i + 1 >= arguments.size()) {
            fail(QStringLiteral("unexpected argument \"%1\"").arg(argument));
        }
        const QString setting = arguments.at(++i);
        const QStringList parts = setting.split(QLatin1Char(':'));
        if (parts.size() < 2 || parts.at(1).trimmed().isEmpty()) {
            fail(QStringLiteral("a drive is given as DEV:MODEL[:DISK], not \"%1\"").arg(setting));
        }
        DriveSetting drive{deviceOf(parts.at(0)), parts.at(1).trimmed(), std::nullopt};
        if (parts.size() > 2) {
            drive.disk = diskFile(parts.mid(2).join(QLatin1Char(':')));
        }
        drives << drive;
    }
    removeFolder(bus.folder() + QStringLiteral("/drives"));
    removeFolder(bus.folder() + QStringLiteral("/faults"));
    bus.create();
    bus.setAdapterPresent(adapter);
    for (const DriveSetting& drive : drives) {
        bus.addDrive(drive.device, drive.model);
        bus.setDisk(drive.device, drive.disk);
    }
}

void insert(const QStringList& arguments) {
    if (arguments.size() != 3) {
        fail(QStringLiteral("insert needs a bus folder, a device and a disk (or --none)"));
    }
    const BusState bus(arguments.at(0));
    const qint64 device = deviceOf(arguments.at(1));
    if (!bus.hasDrive(device)) {
        fail(QStringLiteral("there is no drive %1 on this bus").arg(device));
    }
    const bool none = arguments.at(2) == QLatin1String("--none");
    bus.setDisk(device, none ? std::nullopt : std::optional(diskFile(arguments.at(2))));
}

void checkFaultValue(const QString& name, const QString& value) {
    bool ok = true;
    if (name == QLatin1String(fault::failAtTrack)) {
        const std::optional<qint64> track = readInt64(value);
        ok = track && *track >= 1 && *track <= 80;
    } else if (name == QLatin1String(fault::secondsPerTrack)) {
        ok = readDecimal(value).has_value();
    }
    if (!ok) {
        fail(QStringLiteral("invalid value \"%1\" for %2").arg(value, name));
    }
}

void setFault(const QStringList& arguments) {
    const bool clearing = arguments.size() == 3 && arguments.at(1) == QLatin1String("--clear");
    if (arguments.size() != 2 && !clearing) {
        fail(QStringLiteral("fault needs a bus folder and NAME[=VALUE] or --clear NAME"));
    }
    const BusState bus(arguments.at(0));
    if (!QDir(bus.folder()).exists()) {
        fail(QStringLiteral("there is no bus in %1; run init first").arg(bus.folder()));
    }
    const QString setting = arguments.last();
    const qsizetype equals = setting.indexOf(QLatin1Char('='));
    const QString name = clearing || equals < 0 ? setting : setting.left(equals);
    if (!knownFaults().contains(name)) {
        fail(QStringLiteral("unknown fault \"%1\"").arg(name));
    }
    if (clearing) {
        bus.clearFault(name);
        return;
    }
    const QString value = equals < 0 ? QStringLiteral("1") : setting.mid(equals + 1);
    checkFaultValue(name, value);
    bus.setFault(name, value);
}

void makeDisk(const QStringList& arguments) {
    if (arguments.size() != 2 ||
        (arguments.first() != QLatin1String("d71") && arguments.first() != QLatin1String("d81"))) {
        fail(QStringLiteral("make-disk needs d71 or d81 and a file"));
    }
    const DiskKind kind = arguments.first() == QLatin1String("d71") ? DiskKind::d71 : DiskKind::d81;
    writeFileAtomically(arguments.at(1), demoDisk(kind));
}

} // namespace

int runSetup(const QStringList& arguments) {
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help") ||
        arguments.first() == QLatin1String("-h")) {
        (arguments.isEmpty() ? writeErr : writeOut)(QByteArray(helpText));
        return arguments.isEmpty() ? 2 : 0;
    }
    try {
        const QString& command = arguments.first();
        if (command == QLatin1String("init")) {
            init(arguments.mid(1));
        } else if (command == QLatin1String("insert")) {
            insert(arguments.mid(1));
        } else if (command == QLatin1String("fault")) {
            setFault(arguments.mid(1));
        } else if (command == QLatin1String("make-disk")) {
            makeDisk(arguments.mid(1));
        } else {
            fail(QStringLiteral("unknown command \"%1\"").arg(command));
        }
    } catch (const UsageError& error) {
        writeErr("opencbm-sim: " + QByteArray(error.what()) + "\n" + helpText);
        return 2;
    }
    return 0;
}

} // namespace vellum::sim
