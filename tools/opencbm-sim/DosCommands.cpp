#include "DosCommands.h"

#include "DiskBam.h"
#include "DiskEditing.h"
#include "DiskGeometry.h"
#include "RawDirectory.h"
#include "ToolSupport.h"

#include <QSet>
#include <algorithm>

namespace vellum::sim {

namespace {

constexpr char shiftedBlank = static_cast<char>(0xA0);

struct Verdict {
    QString status;
    std::optional<QByteArray> changedDisk;
};

Verdict ok(std::optional<QByteArray> disk = std::nullopt) {
    return {QString::fromLatin1(dosStatus::ok), std::move(disk)};
}

Verdict failed(const QString& status) {
    return {status, std::nullopt};
}
Verdict failed(const char* status) {
    return {QString::fromLatin1(status), std::nullopt};
}

bool holdsPatternCharacters(const QByteArray& name) {
    return name.contains('*') || name.contains('?') || name.contains(',') || name.contains('=') ||
           name.contains(':');
}

QByteArray paddedName(const QByteArray& name) {
    return name.left(16).leftJustified(16, shiftedBlank);
}

// The text after the first colon, or nothing when the command has none.
std::optional<QByteArray> parameter(const QByteArray& command) {
    const qsizetype colon = command.indexOf(':');
    if (colon < 0) {
        return std::nullopt;
    }
    return command.mid(colon + 1);
}

// The sectors a file takes as the drive follows it: the data chain and, for a REL file, the
// side-sector chain. Reaching past `lastTrack` is reported as the link that does.
struct FileSectors {
    QList<QPair<int, int>> sectors;
    std::optional<QPair<int, int>> linkOffDisk;
};

FileSectors fileSectors(const QByteArray& disk, const RawEntry& entry, int lastTrack) {
    FileSectors found;
    QList<QPair<int, int>> starts = {{entry.startTrack, entry.startSector}};
    if (entry.fileKind() == 4) {
        const qint64 sideSector = entry.slotOffset() + 21;
        starts << qMakePair(int(static_cast<quint8>(disk.at(sideSector))),
                            int(static_cast<quint8>(disk.at(sideSector + 1))));
    }
    for (const auto& [track, sector] : starts) {
        const ChainRead chain = readChain(disk, track, sector, lastTrack);
        found.sectors << chain.sectors;
        if (chain.broken && !chain.sectors.isEmpty() && !found.linkOffDisk) {
            const QByteArray last =
                *readSector(disk, chain.sectors.last().first, chain.sectors.last().second);
            const int nextTrack = static_cast<quint8>(last.at(0));
            if (nextTrack > lastTrack) {
                found.linkOffDisk = qMakePair(nextTrack, int(static_cast<quint8>(last.at(1))));
            }
        }
    }
    return found;
}

// `bothSides` false is a 1571 still in 1541 mode: it knows tracks 1-35 only, stops at the
// first file that leads onto side two and writes the map of side one as far as it got, so
// the blocks of every later file are given away.
Verdict validate(QByteArray disk, bool bothSides) {
    const DiskKind kind = diskKindOf(disk);
    const int lastTrack = kind == DiskKind::d71 && !bothSides ? dosTracks : trackCount(kind);
    QSet<QPair<int, int>> used = {qMakePair(directoryTrackOf(kind), 0)};
    if (kind == DiskKind::d81) {
        used << qMakePair(40, 1) << qMakePair(40, 2);
    }
    for (const QPair<int, int>& sector : directorySectors(disk)) {
        used.insert(sector);
    }
    QString verdict = QString::fromLatin1(dosStatus::ok);
    for (const RawEntry& entry : directoryEntries(disk)) {
        if (!entry.isClosed()) {
            // An unclosed file is dropped, its blocks given back.
            disk[entry.slotOffset() + 2] = 0;
            continue;
        }
        const FileSectors file = fileSectors(disk, entry, lastTrack);
        for (const QPair<int, int>& sector : file.sectors) {
            used.insert(sector);
        }
        if (file.linkOffDisk) {
            verdict = QStringLiteral("66,illegal track or sector,%1,%2")
                          .arg(file.linkOffDisk->first, 2, 10, QLatin1Char('0'))
                          .arg(file.linkOffDisk->second, 2, 10, QLatin1Char('0'));
            break;
        }
    }
    if (kind == DiskKind::d64) {
        writeBamFromUsedSectors(disk, used);
    } else {
        rewriteBam(disk, used, lastTrack);
    }
    return {verdict, disk};
}

Verdict rename(QByteArray disk, const QByteArray& argument) {
    const qsizetype equals = argument.indexOf('=');
    if (equals < 0) {
        return failed(dosStatus::noName);
    }
    const QByteArray newName = argument.left(equals).left(16);
    const QByteArray oldName = argument.mid(equals + 1);
    if (newName.isEmpty() || oldName.isEmpty()) {
        return failed(dosStatus::noName);
    }
    if (holdsPatternCharacters(newName)) {
        return failed(dosStatus::invalidName);
    }
    const QList<RawEntry> entries = directoryEntries(disk);
    const auto named = [&](const QByteArray& pattern) {
        return std::find_if(entries.begin(), entries.end(), [&](const RawEntry& entry) {
            return nameMatches(pattern, entry.plainName());
        });
    };
    if (named(newName) != entries.end()) {
        return failed(dosStatus::fileExists);
    }
    const auto old = named(oldName);
    if (old == entries.end()) {
        return failed(dosStatus::fileNotFound);
    }
    disk.replace(old->slotOffset() + 5, 16, paddedName(newName));
    return ok(disk);
}

Verdict scratch(QByteArray disk, const QByteArray& argument) {
    QList<RawEntry> doomed;
    for (const RawEntry& entry : directoryEntries(disk)) {
        if (entry.isLocked()) {
            continue;
        }
        for (const QByteArray& pattern : argument.split(',')) {
            if (!pattern.isEmpty() && nameMatches(pattern, entry.plainName())) {
                doomed << entry;
                break;
            }
        }
    }
    if (!doomed.isEmpty() && diskKindOf(disk) == DiskKind::d64) {
        disk = withoutEntries(disk, doomed);
    } else {
        for (const RawEntry& entry : doomed) {
            for (const auto& [track, sector] : fileSectors(disk, entry, 0).sectors) {
                setSectorFree(disk, track, sector, true);
            }
            disk[entry.slotOffset() + 2] = 0;
        }
    }
    return {dosStatus::filesScratched(static_cast<int>(doomed.size())), disk};
}

// The disk a full format leaves: a 1571 in 1571 mode formats both sides, a 1581 its own.
QByteArray formattedFor(const BusState& bus, qint64 device, const QByteArray& name,
                        const QByteArray& id) {
    if (is1581(bus.model(device))) {
        return formattedDisk(DiskKind::d81, name, id);
    }
    if (bus.readsBothSides(device)) {
        return formattedDisk(DiskKind::d71, name, id);
    }
    return {};
}

Verdict newDisk(const BusState& bus, qint64 device, QByteArray disk, const QByteArray& argument) {
    const qsizetype comma = argument.indexOf(',');
    const QByteArray name = argument.left(comma < 0 ? argument.size() : comma).left(16);
    if (name.isEmpty()) {
        return failed(dosStatus::noName);
    }
    if (comma < 0) {
        if (!isReadableDisk(disk)) {
            return failed(dosStatus::readError(18, 0));
        }
        spendTrackTime(bus, 1);
        if (const DiskKind kind = diskKindOf(disk); kind != DiskKind::d64) {
            // Sectors outside the directory track are not kept here as a drive would.
            const qint64 idAt = sectorOffset(kind, directoryTrackOf(kind), 0) +
                                (kind == DiskKind::d81 ? 0x16 : 0xA2);
            return ok(formattedDisk(kind, name, disk.mid(idAt, 2)));
        }
        return ok(quicklyCleared(disk, name));
    }
    const QByteArray id = argument.mid(comma + 1, 2);
    if (const std::optional<int> track = failingTrack(bus); track && *track <= dosTracks) {
        spendTrackTime(bus, *track - 1);
        erasePartlyFormattedTracks(disk, *track);
        return {dosStatus::readError(*track, 0), disk};
    }
    if (const QByteArray own = formattedFor(bus, device, name, id); !own.isEmpty()) {
        spendTrackTime(bus, trackCount(diskKindOf(own)));
        return ok(own);
    }
    spendTrackTime(bus, dosTracks);
    // A single-sided format of a D71 leaves a 35-track disk behind.
    const QByteArray beyond =
        diskKindOf(disk) == DiskKind::d64 ? disk.mid(imageSize(dosTracks)) : QByteArray();
    return ok(freshlyFormatted(name, id, dosTracks) + beyond);
}

Verdict carryOut(const BusState& bus, qint64 device, const std::optional<QByteArray>& disk,
                 QByteArray command) {
    while (command.endsWith('\r') || command.endsWith('\n')) {
        command.chop(1);
    }
    if (command.isEmpty()) {
        return failed(dosStatus::syntaxError);
    }
    // "U0>M1" and "U0>M0" switch a 1571 between its own mode and 1541 mode; other drives
    // take the command and carry on as they were.
    if (command == "U0>M1" || command == "U0>M0") {
        if (is1571(bus.model(device))) {
            bus.setDoubleSidedMode(device, command.endsWith('1'));
        }
        return ok();
    }
    const char letter = command.at(0);
    if (letter != 'I' && letter != 'V' && letter != 'R' && letter != 'S' && letter != 'N') {
        return failed(dosStatus::syntaxError);
    }
    if (!disk) {
        return failed(dosStatus::driveNotReady);
    }
    if (letter == 'I') {
        return isReadableDisk(*disk) ? ok() : failed(dosStatus::readError(18, 0));
    }

    const std::optional<QByteArray> argument = parameter(command);
    if (letter == 'N') {
        return argument ? newDisk(bus, device, *disk, *argument) : failed(dosStatus::noName);
    }
    if (!isReadableDisk(*disk) || !driveTakesDisk(bus.model(device), *disk)) {
        return failed(dosStatus::readError(directoryTrackOf(diskKindOf(*disk)), 0));
    }
    if (letter == 'V') {
        spendTrackTime(bus, 2);
        return validate(*disk, diskKindOf(*disk) != DiskKind::d71 || bus.readsBothSides(device));
    }
    if (!argument) {
        return failed(dosStatus::noName);
    }
    return letter == 'R' ? rename(*disk, *argument) : scratch(*disk, *argument);
}

} // namespace

void executeDosCommand(const BusState& bus, qint64 device, const QByteArray& command) {
    const Verdict verdict = carryOut(bus, device, bus.disk(device), command);
    if (verdict.changedDisk) {
        bus.setDisk(device, verdict.changedDisk);
    }
    bus.setStatus(device, verdict.status);
}

void erasePartlyFormattedTracks(QByteArray& disk, int failedTrack) {
    for (int track = 1; track < failedTrack; ++track) {
        for (int sector = 0; sector < sectorsOnTrack(track); ++sector) {
            writeSector(disk, track, sector, QByteArray(sectorSize, '\0'));
        }
    }
}

} // namespace vellum::sim
