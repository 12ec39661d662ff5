#include "ToolSupport.h"

#include "DiskGeometry.h"

#include "model/TextUtil.h"

#include <QFileInfo>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace vellum::sim {

namespace {

void writeAll(int descriptor, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        data += written;
        left -= written;
    }
}

extern "C" void resetBusAndExit(int) {
    static const char message[] = "\nSIGINT caught X-(  Resetting IEC bus...\n";
    [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(1);
}

void setDisposition(int signalNumber, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, nullptr);
}

std::optional<BusState> busFromEnvironment() {
    const QString folder = qEnvironmentVariable("OPENCBM_SIM_BUS");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return std::nullopt;
    }
    return BusState(folder);
}

void installSignalBehaviour(const std::optional<BusState>& bus, bool resetOnSigint) {
    const bool ignoreBoth = bus && bus->hasFault(QString::fromLatin1(fault::ignoreSigintSigterm));
    const bool ignoreInterrupt =
        ignoreBoth || (bus && bus->hasFault(QString::fromLatin1(fault::ignoreSigint)));
    // Set every disposition explicitly: an ignored signal would otherwise be inherited from
    // whoever started the tool.
    if (ignoreInterrupt) {
        setDisposition(SIGINT, SIG_IGN);
    } else {
        setDisposition(SIGINT, resetOnSigint ? resetBusAndExit : SIG_DFL);
    }
    setDisposition(SIGTERM, ignoreBoth ? SIG_IGN : SIG_DFL);
}

} // namespace

void writeOut(const QByteArray& bytes) {
    writeAll(STDOUT_FILENO, bytes);
}

void writeErr(const QByteArray& bytes) {
    writeAll(STDERR_FILENO, bytes);
}

std::optional<BusState> startRun(bool resetOnSigint) {
    std::optional<BusState> bus = busFromEnvironment();
    installSignalBehaviour(bus, resetOnSigint);
    return bus;
}

void hangIfAsked(const BusState& bus) {
    if (!bus.hasFault(QString::fromLatin1(fault::hang))) {
        return;
    }
    for (;;) {
        ::pause();
    }
}

void spendTrackTime(const BusState& bus, double shareOfTrack) {
    const double seconds =
        bus.faultNumber(QString::fromLatin1(fault::secondsPerTrack), 0) * shareOfTrack;
    if (seconds > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
}

std::optional<int> failingTrack(const BusState& bus) {
    const std::optional<QString> value = bus.faultValue(QString::fromLatin1(fault::failAtTrack));
    if (!value) {
        return std::nullopt;
    }
    const std::optional<qint64> track = readInt64(*value);
    if (!track || *track < 1 || *track > 80) {
        return std::nullopt;
    }
    return static_cast<int>(*track);
}

std::optional<qint64> imageSpace(const BusState& bus) {
    const std::optional<QString> value = bus.faultValue(QString::fromLatin1(fault::imageSpace));
    if (!value) {
        return std::nullopt;
    }
    const std::optional<qint64> bytes = readInt64(*value);
    if (!bytes || *bytes < 0) {
        return std::nullopt;
    }
    return bytes;
}

void finishOutput(const BusState& bus) {
    if (bus.hasFault(QString::fromLatin1(fault::nonUtf8))) {
        writeOut(QByteArrayLiteral("caf\xe9 \xff\n"));
    }
}

bool openAdapter(const std::optional<BusState>& bus) {
    if (!bus || !bus->adapterPresent()) {
        writeErr(QByteArrayLiteral("error: no xum1541 device found\n"
                                   "error: no xum1541 device found\n"
                                   "An error occurred opening OpenCBM, aborting...\n"));
        return false;
    }
    hangIfAsked(*bus);
    return true;
}

bool driveAnswers(const BusState& bus, qint64 device) {
    return bus.hasDrive(device) && !bus.hasFault(QString::fromLatin1(fault::noDrive));
}

bool driveTakesDisk(const QString& model, const QByteArray& disk) {
    return is1581(model) == (diskKindOf(disk) == DiskKind::d81);
}

std::optional<qint64> parseDevice(const QString& text) {
    const std::optional<qint64> device = readInt64(text);
    if (!device || *device < 0 || *device > 30) {
        return std::nullopt;
    }
    return device;
}

QByteArray rawStatus(const QString& statusLine) {
    return statusLine.toUpper().toLatin1();
}

namespace dosStatus {

QString filesScratched(int count) {
    return QStringLiteral("01, files scratched,%1,00").arg(count, 2, 10, QLatin1Char('0'));
}

QString readError(int track, int sector) {
    return QStringLiteral("21,read error,%1,%2")
        .arg(track, 2, 10, QLatin1Char('0'))
        .arg(sector, 2, 10, QLatin1Char('0'));
}

} // namespace dosStatus

} // namespace vellum::sim
