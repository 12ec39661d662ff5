#include "DosCommands.h"

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

Verdict validate(QByteArray disk) {
    QSet<QPair<int, int>> used = {qMakePair(18, 0)};
    for (const QPair<int, int>& sector : directorySectors(disk)) {
        used.insert(sector);
    }
    for (const RawEntry& entry : directoryEntries(disk)) {
        if (!entry.isClosed()) {
            // An unclosed file is dropped, its blocks given back.
            disk[entry.slotOffset() + 2] = 0;
            continue;
        }
        for (const QPair<int, int>& sector :
             readChain(disk, entry.startTrack, entry.startSector).sectors) {
            used.insert(sector);
        }
        if (entry.fileKind() == 4) {
            const qint64 sideSector = entry.slotOffset() + 21;
            const auto track = static_cast<quint8>(disk.at(sideSector));
            const auto sector = static_cast<quint8>(disk.at(sideSector + 1));
            for (const QPair<int, int>& side : readChain(disk, track, sector).sectors) {
                used.insert(side);
            }
        }
    }
    writeBamFromUsedSectors(disk, used);
    return ok(disk);
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
    if (!doomed.isEmpty()) {
        disk = withoutEntries(disk, doomed);
    }
    return {dosStatus::filesScratched(static_cast<int>(doomed.size())), disk};
}

Verdict newDisk(const BusState& bus, QByteArray disk, const QByteArray& argument) {
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
        return ok(quicklyCleared(disk, name));
    }
    const QByteArray id = argument.mid(comma + 1, 2);
    if (const std::optional<int> track = failingTrack(bus); track && *track <= dosTracks) {
        spendTrackTime(bus, *track - 1);
        erasePartlyFormattedTracks(disk, *track);
        return {dosStatus::readError(*track, 0), disk};
    }
    spendTrackTime(bus, dosTracks);
    return ok(freshlyFormatted(name, id, dosTracks) + disk.mid(imageSize(dosTracks)));
}

Verdict carryOut(const BusState& bus, const std::optional<QByteArray>& disk, QByteArray command) {
    while (command.endsWith('\r') || command.endsWith('\n')) {
        command.chop(1);
    }
    if (command.isEmpty()) {
        return failed(dosStatus::syntaxError);
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
        return argument ? newDisk(bus, *disk, *argument) : failed(dosStatus::noName);
    }
    if (!isReadableDisk(*disk)) {
        return failed(dosStatus::readError(18, 0));
    }
    if (letter == 'V') {
        spendTrackTime(bus, 2);
        return validate(*disk);
    }
    if (!argument) {
        return failed(dosStatus::noName);
    }
    return letter == 'R' ? rename(*disk, *argument) : scratch(*disk, *argument);
}

} // namespace

void executeDosCommand(const BusState& bus, qint64 device, const QByteArray& command) {
    const Verdict verdict = carryOut(bus, bus.disk(device), command);
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
