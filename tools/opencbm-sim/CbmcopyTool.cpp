#include "DiskEditing.h"
#include "Petscii.h"
#include "RawDirectory.h"
#include "ToolSupport.h"
#include "Tools.h"

#include "images/T64Converter.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <expected>
#include <functional>

namespace vellum::sim {

namespace {

constexpr int blocksPerTrack = 19;

struct CopyRequest {
    bool reading = false;
    bool verbose = false;
    bool raw = false;
    std::optional<QString> driveType;
    QChar typeLetter = QLatin1Char('P');
    std::optional<QString> outputName;
    qint64 device = 8;
    QStringList files;
};

int usage(const QString& problem) {
    writeErr("cbmcopy: " + problem.toLocal8Bit() +
             "\nusage: cbmcopy -r|-w [-v] [-d 1541|1570|1571|1581] [-f D|P|S|U] [-o NAME] [-R]"
             " DRIVE FILE...\n");
    return 1;
}

std::expected<CopyRequest, QString> parseRequest(const QStringList& arguments) {
    CopyRequest request;
    std::optional<bool> reading;
    QStringList positional;
    const auto value = [&](qsizetype& i) -> std::optional<QString> {
        if (i + 1 >= arguments.size()) {
            return std::nullopt;
        }
        return arguments.at(++i);
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-'))) {
            positional << argument;
        } else if (argument == QLatin1String("-r") || argument == QLatin1String("-w")) {
            if (reading) {
                return std::unexpected(QStringLiteral("give -r or -w once"));
            }
            reading = argument == QLatin1String("-r");
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--verbose")) {
            request.verbose = true;
        } else if (argument == QLatin1String("-q") || argument == QLatin1String("--quiet")) {
        } else if (argument == QLatin1String("-R") || argument == QLatin1String("--raw")) {
            request.raw = true;
        } else if (argument == QLatin1String("-d")) {
            request.driveType = value(i);
            static const QStringList types = {QStringLiteral("1541"), QStringLiteral("1570"),
                                              QStringLiteral("1571"), QStringLiteral("1581")};
            if (!request.driveType || !types.contains(*request.driveType)) {
                return std::unexpected(QStringLiteral("-d needs one of 1541, 1570, 1571, 1581"));
            }
        } else if (argument == QLatin1String("-f")) {
            const std::optional<QString> letter = value(i);
            if (!letter || letter->size() != 1 ||
                !QStringLiteral("DPSU").contains(letter->at(0).toUpper())) {
                return std::unexpected(QStringLiteral("-f needs one of D, P, S, U"));
            }
            request.typeLetter = letter->at(0).toUpper();
        } else if (argument == QLatin1String("-o")) {
            request.outputName = value(i);
            if (!request.outputName) {
                return std::unexpected(QStringLiteral("-o needs a name"));
            }
        } else {
            return std::unexpected(QStringLiteral("invalid option ") + argument);
        }
    }
    if (!reading) {
        return std::unexpected(QStringLiteral("give -r or -w"));
    }
    request.reading = *reading;
    const std::optional<qint64> device =
        positional.isEmpty() ? std::nullopt : parseDevice(positional.first());
    if (!device || positional.size() < 2) {
        return std::unexpected(QStringLiteral("a drive and at least one file are needed"));
    }
    request.device = *device;
    request.files = positional.mid(1);
    if (request.outputName && request.files.size() > 1) {
        return std::unexpected(QStringLiteral("-o takes one file only"));
    }
    return request;
}

CBMFileType typeOfLetter(QChar letter) {
    switch (letter.unicode()) {
    case u'D':
        return CBMFileType::del;
    case u'S':
        return CBMFileType::seq;
    case u'U':
        return CBMFileType::usr;
    default:
        return CBMFileType::prg;
    }
}

// One spinner step per block; the first steps are the ones the real tool prints.
class Spinner {
public:
    void step() {
        static const char* const turns[] = {"\b|", "\b/", "\b-", "\b\\"};
        if (steps == 0) {
            writeOut(QByteArrayLiteral("\b."));
        } else if (steps == 1) {
            writeOut(QByteArrayLiteral("\\"));
        } else {
            writeOut(QByteArray(turns[(steps - 2) % 4]));
        }
        ++steps;
    }

private:
    int steps = 0;
};

void reportFatal(const QByteArray& what, const QString& status) {
    writeErr("[Fatal] " + what + ": " + rawStatus(status) + "\r\n");
}

void reportEndStatus(const QString& status) {
    writeErr("file copy ended with error status: " + rawStatus(status) + "\r\n");
}

int blocksOf(qint64 bytes) {
    return std::max<int>(1, static_cast<int>((bytes + 253) / 254));
}

// Spends the bus time of `blocks` blocks; `received`, when given, is called after each one
// and returns false when the block could not be kept.
bool transferBlocks(const BusState& bus, const CopyRequest& request, int blocks,
                    const std::function<bool(int block)>& received = {}) {
    Spinner spinner;
    for (int block = 0; block < blocks; ++block) {
        spendTrackTime(bus, 1.0 / blocksPerTrack);
        if (request.verbose) {
            writeErr(QStringLiteral("[Debug] sending block %1\n").arg(block + 1).toLatin1());
        }
        if (received && !received(block)) {
            return false;
        }
        spinner.step();
    }
    return true;
}

// The sector of the chain that the failing track stops, if it lies on it.
std::optional<QPair<int, int>> firstFailingSector(const BusState& bus,
                                                  const QList<QPair<int, int>>& sectors) {
    const std::optional<int> track = failingTrack(bus);
    if (!track) {
        return std::nullopt;
    }
    const auto hit =
        std::find_if(sectors.begin(), sectors.end(),
                     [&](const QPair<int, int>& sector) { return sector.first == *track; });
    if (hit == sectors.end()) {
        return std::nullopt;
    }
    return *hit;
}

// The bytes a file on the computer puts on the disk, and the name it brings along. Without
// -R the tool looks inside P00 and T64 containers, as the real one does.
struct Upload {
    QByteArray contents;
    QString name;
};

Upload uploadOf(const QString& path, const QByteArray& file, bool raw) {
    const Upload plain{file, QFileInfo(path).completeBaseName().toLower()};
    if (raw) {
        return plain;
    }
    try {
        if (file.startsWith(QByteArray("C64File\0", 8))) {
            const AddableFile inner = T64Converter::parseP00(file);
            return {inner.contents, inner.name.toLower()};
        }
        if (file.startsWith("C64")) {
            const T64Converter::Tape tape = T64Converter::parseT64(file);
            if (!tape.files.isEmpty()) {
                return {tape.files.first().contents(), tape.files.first().name.toLower()};
            }
        }
    } catch (const OpenCBMError&) {
        // Not a container after all: the file goes over as it is.
    }
    return plain;
}

void announceDrive(const BusState& bus, const CopyRequest& request, bool& announced) {
    if (!announced && !request.driveType && request.verbose) {
        writeErr("[Info] identified a " + bus.model(request.device).toUtf8() + " drive\n");
    }
    // The tool switches a 1570/1571 to 1571 mode before it sends its drive code.
    const QString type = request.driveType.value_or(bus.model(request.device));
    if (!announced && bus.hasDrive(request.device) &&
        (type.contains(QLatin1String("1570")) || is1571(type))) {
        bus.setDoubleSidedMode(request.device, true);
    }
    announced = true;
}

void writeFile(const BusState& bus, const CopyRequest& request, const QString& path,
               bool& announced) {
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        writeErr("[Fatal] could not open " + path.toLocal8Bit() + ": " +
                 source.errorString().toLocal8Bit() + '\n');
        return;
    }
    const Upload upload = uploadOf(path, source.readAll(), request.raw);
    const QString name = request.outputName.value_or(upload.name);
    const QByteArray driveName = asciiToPetscii(name).left(16);
    if (request.verbose) {
        writeErr("[Info] writing " + path.toLocal8Bit() + " -> " + name.toLocal8Bit() + ',' +
                 QString(request.typeLetter.toLower()).toLatin1() + ",w\n");
    }
    announceDrive(bus, request, announced);

    const std::optional<QByteArray> disk = bus.disk(request.device);
    QString verdict = QString::fromLatin1(dosStatus::ok);
    if (!disk) {
        verdict = QString::fromLatin1(dosStatus::driveNotReady);
    } else if (!isReadableDisk(*disk)) {
        verdict = dosStatus::readError(18, 0);
    } else if (driveName.isEmpty()) {
        verdict = QString::fromLatin1(dosStatus::noName);
    } else if (driveName.contains('*') || driveName.contains('?') || driveName.contains(':') ||
               driveName.contains('=') || driveName.contains(',')) {
        verdict = QString::fromLatin1(dosStatus::invalidName);
    } else if (const QList<RawEntry> entries = directoryEntries(*disk);
               std::any_of(entries.begin(), entries.end(),
                           [&](const RawEntry& entry) { return entry.plainName() == driveName; })) {
        verdict = QString::fromLatin1(dosStatus::fileExists);
    }
    bus.setStatus(request.device, verdict);
    if (verdict != QLatin1String(dosStatus::ok)) {
        reportFatal("could not open file for writing", verdict);
        return;
    }

    QByteArray written;
    try {
        written =
            withFileAdded(*disk, driveName, typeOfLetter(request.typeLetter), upload.contents);
    } catch (const OpenCBMError&) {
        transferBlocks(bus, request, blocksOf(upload.contents.size()));
        verdict = QString::fromLatin1(dosStatus::diskFull);
        bus.setStatus(request.device, verdict);
        writeOut(QByteArrayLiteral("\n"));
        reportEndStatus(verdict);
        return;
    }
    const QList<RawEntry> entries = directoryEntries(written);
    const auto added = std::find_if(entries.begin(), entries.end(), [&](const RawEntry& entry) {
        return entry.plainName() == driveName;
    });
    const QList<QPair<int, int>> sectors =
        added == entries.end() ? QList<QPair<int, int>>()
                               : readChain(written, added->startTrack, added->startSector).sectors;
    if (const std::optional<QPair<int, int>> failing = firstFailingSector(bus, sectors)) {
        transferBlocks(bus, request, static_cast<int>(sectors.indexOf(*failing)));
        verdict = QStringLiteral("25,write error,%1,%2")
                      .arg(failing->first, 2, 10, QLatin1Char('0'))
                      .arg(failing->second, 2, 10, QLatin1Char('0'));
        bus.setStatus(request.device, verdict);
        writeOut(QByteArrayLiteral("\n"));
        reportEndStatus(verdict);
        return;
    }
    transferBlocks(bus, request, static_cast<int>(sectors.size()));
    bus.setDisk(request.device, written);
    if (request.verbose) {
        writeErr("[Info] " + rawStatus(verdict) + "\r\n");
    }
    writeOut(QByteArrayLiteral("\n"));
}

void readFile(const BusState& bus, const CopyRequest& request, const QString& name,
              bool& announced) {
    const QString destination = request.outputName.value_or(name + QStringLiteral(".prg"));
    if (request.verbose) {
        writeErr("[Info] reading " + name.toLocal8Bit() + " -> " + destination.toLocal8Bit() +
                 '\n');
    }
    announceDrive(bus, request, announced);

    const QByteArray pattern = asciiToPetscii(name);
    const std::optional<QByteArray> disk = bus.disk(request.device);
    QString verdict = QString::fromLatin1(dosStatus::ok);
    std::optional<RawEntry> found;
    if (!disk) {
        verdict = QString::fromLatin1(dosStatus::driveNotReady);
    } else if (!isReadableDisk(*disk)) {
        verdict = dosStatus::readError(18, 0);
    } else {
        for (const RawEntry& entry : directoryEntries(*disk)) {
            if (entry.isClosed() && entry.fileKind() != 0 &&
                nameMatches(pattern, entry.plainName())) {
                found = entry;
                break;
            }
        }
        if (!found) {
            verdict = QString::fromLatin1(dosStatus::fileNotFound);
        }
    }
    bus.setStatus(request.device, verdict);
    if (!found) {
        reportFatal("could not open file for reading", verdict);
        return;
    }

    ChainRead chain = readChain(*disk, found->startTrack, found->startSector);
    if (const std::optional<QPair<int, int>> failing = firstFailingSector(bus, chain.sectors)) {
        const qsizetype good = chain.sectors.indexOf(*failing);
        chain.bytes = chain.bytes.left(254 * good);
        chain.sectors = chain.sectors.mid(0, good);
        verdict = dosStatus::readError(failing->first, failing->second);
    } else if (chain.broken) {
        verdict = QStringLiteral("66,illegal track or sector,00,00");
    }
    // Like the real tool, the destination is made first and grows block by block, so a run
    // that is killed leaves what it had so far.
    QFile output(destination);
    const bool written =
        output.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        transferBlocks(bus, request, static_cast<int>(chain.sectors.size()), [&](int block) {
            const QByteArray bytes = chain.bytes.mid(qsizetype(block) * 254, 254);
            return output.write(bytes) == bytes.size() && output.flush();
        });
    if (!written) {
        writeErr("[Fatal] could not write " + destination.toLocal8Bit() + ": " +
                 output.errorString().toLocal8Bit() + '\n');
        return;
    }
    bus.setStatus(request.device, verdict);
    if (verdict != QLatin1String(dosStatus::ok)) {
        writeErr("[Warning] error reading " + name.toLocal8Bit() + '\n');
        reportEndStatus(verdict);
    } else if (request.verbose) {
        writeErr("[Info] " + rawStatus(verdict) + "\r\n");
    }
}

} // namespace

int runCbmcopy(const QStringList& arguments) {
    const std::optional<BusState> bus = startRun(true);
    const std::expected<CopyRequest, QString> request = parseRequest(arguments);
    if (!request) {
        return usage(request.error());
    }
    if (!openAdapter(bus)) {
        return 255;
    }
    if (!driveAnswers(*bus, request->device)) {
        reportFatal("drive " + QByteArray::number(request->device) + " does not answer",
                    QString::fromLatin1(dosStatus::driverError));
        finishOutput(*bus);
        return 0;
    }
    bool announced = false;
    for (const QString& file : request->files) {
        if (request->reading) {
            readFile(*bus, *request, file, announced);
        } else {
            writeFile(*bus, *request, file, announced);
        }
    }
    finishOutput(*bus);
    return 0;
}

} // namespace vellum::sim
