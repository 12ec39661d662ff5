#include "images/DiskMap.h"

#include "images/D64Extractor.h"
#include "images/D64Layout.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <bitset>
#include <limits>

namespace vellum {

QString DiskMap::fileNameAt(qint64 track, qint64 sector) const {
    if (!contains(track, sector)) {
        return {};
    }
    const qint16 file = at(track, sector).file;
    return file >= 0 && file < fileNames.size() ? fileNames[file] : QString();
}

qint64 DiskMap::count(SectorClass kind) const {
    return std::count_if(sectors.cbegin(), sectors.cend(),
                         [kind](const SectorState& state) { return state.kind == kind; });
}

DiskMap emptyDiskMap(const DiskGeometry& geometry) {
    DiskMap map;
    map.geometry = geometry;
    map.sectors.resize(geometry.sectorCount());
    return map;
}

namespace {

// The header, the BAM sectors and the directory chain, walked until it leaves the track
// list or comes back to a sector it has passed.
QList<std::pair<qint64, qint64>> directorySectors(const DiskGeometry& geometry,
                                                  const QByteArray& image) {
    QList<std::pair<qint64, qint64>> result{{geometry.directoryTrack, geometry.headerSector}};
    if (geometry.format == DiskImageFormat::d81) {
        result.append({{40, 1}, {40, 2}});
    }
    if (geometry.otherReservedTrack != 0) {
        result.append({geometry.otherReservedTrack, 0});
    }
    std::bitset<82 * 256> seen;
    qint64 track = geometry.directoryTrack;
    qint64 sector = geometry.firstDirectorySector;
    while (D64Layout::isValidSector(geometry, track, sector) &&
           !seen.test(D64Layout::sectorKey(track, sector))) {
        seen.set(D64Layout::sectorKey(track, sector));
        result.append({track, sector});
        const char* bytes = D64Layout::sectorData(image, track, sector);
        track = quint8(bytes[0]);
        sector = quint8(bytes[1]);
    }
    return result;
}

bool hasErrorBytes(const DiskGeometry& geometry, const QByteArray& image) {
    return image.size() == geometry.dataSize() + geometry.sectorCount();
}

} // namespace

DiskMap diskMapOfImage(const QByteArray& image) {
    const DiskGeometry& geometry = geometryOfImage(image);
    DiskMap map = emptyDiskMap(geometry);
    // Whole sectors only: a cut-off image says nothing of the sector it ends in.
    const qint64 sectorsHeld = std::min(geometry.sectorCount(), qint64(image.size()) / 256);
    for (qint64 track = 1; track <= geometry.tracks; ++track) {
        // Tracks past the free map (a 40-track D64's 36-40) are never allocated by a DOS.
        const quint64 freeBits = track <= geometry.mapTracks
                                     ? FreeMap::storedSectors(geometry, image, track)
                                     : ~quint64(0);
        for (qint64 sector = 0; sector < geometry.sectorsOnTrack[track]; ++sector) {
            if (geometry.sectorsBefore[track] + sector < sectorsHeld) {
                map.at(track, sector).kind =
                    (freeBits >> sector) & 1 ? SectorClass::free : SectorClass::used;
            }
        }
    }
    const auto claim = [&](qint64 track, qint64 sector, SectorClass kind, qint16 file) {
        if (!map.contains(track, sector)) {
            return;
        }
        SectorState& state = map.at(track, sector);
        // The first claim holds: a damaged chain that runs into the directory or another
        // file's sectors does not take them over.
        if (state.kind == SectorClass::notRead || state.kind == SectorClass::directory ||
            state.file >= 0) {
            return;
        }
        state.kind = kind;
        state.file = file;
    };
    for (const auto& [track, sector] : directorySectors(geometry, image)) {
        claim(track, sector, SectorClass::directory, -1);
    }
    for (const D64Extractor::File& file : D64Extractor::files(image)) {
        if (map.fileNames.size() >= std::numeric_limits<qint16>::max()) {
            break;
        }
        const auto index = qint16(map.fileNames.size());
        map.fileNames.append(file.name);
        const auto sectors =
            file.isPartition ? D64Layout::partitionSectors(geometry, file.startTrack,
                                                           file.startSector, file.blocks)
                             : D64Layout::chainSectors(image, file.startTrack, file.startSector);
        for (const auto& [track, sector] : sectors) {
            claim(track, sector, SectorClass::fileData, index);
        }
    }
    if (hasErrorBytes(geometry, image)) {
        const char* codes = image.constData() + geometry.dataSize();
        for (qint64 i = 0; i < geometry.sectorCount(); ++i) {
            const auto code = quint8(codes[i]);
            if (code > 1) {
                map.sectors[i].kind = SectorClass::error;
                map.sectors[i].errorCode = code;
            }
        }
    }
    return map;
}

namespace {

bool setSector(DiskMap& map, qint64 track, qint64 sector, SectorState state) {
    if (!map.contains(track, sector) || map.at(track, sector) == state) {
        return false;
    }
    map.at(track, sector) = state;
    return true;
}

bool applyTrackRow(DiskMap& map, qint64 track, QStringView row) {
    bool changed = false;
    for (qint64 sector = 0; sector < qint64(row.size()); ++sector) {
        SectorState state;
        switch (row[sector].unicode()) {
        case '*':
            state.kind = SectorClass::copied;
            break;
        case '.':
            state.kind = SectorClass::free;
            break;
        case '?':
            state.kind = SectorClass::error;
            // A warning line may have named the code before the row showed the mark.
            if (map.contains(track, sector) && map.at(track, sector).kind == SectorClass::error) {
                state.errorCode = map.at(track, sector).errorCode;
            }
            break;
        default:
            break;
        }
        changed |= setSector(map, track, sector, state);
    }
    return changed;
}

} // namespace

bool applyTransferLine(DiskMap& map, const QString& line) {
    static const QRegularExpression row(QStringLiteral("^\\s*(\\d{1,2}): ?([-.*?]+)"));
    // Not anchored: the tool's two streams share one line buffer, so a warning can follow
    // a redraw that had no line break yet.
    static const QRegularExpression warning(QStringLiteral(
        "\\[Warning\\]\\s*(?:read|write) error:\\s*([0-9a-fA-F]{1,2})/([0-9a-fA-F]{1,2}):"
        "\\s*(\\d{1,3})"));
    const QString trimmed = line.trimmed();
    bool changed = false;
    if (const QRegularExpressionMatch match = row.match(trimmed); match.hasMatch()) {
        const qint64 track = match.captured(1).toLongLong();
        if (track >= 1 && track <= map.tracks()) {
            changed = applyTrackRow(map, track, match.capturedView(2));
        }
    }
    if (const QRegularExpressionMatch match = warning.match(trimmed); match.hasMatch()) {
        const qint64 track = match.captured(1).toLongLong(nullptr, 16);
        const qint64 sector = match.captured(2).toLongLong(nullptr, 16);
        const int code = match.captured(3).toInt();
        const SectorState state{SectorClass::error, quint8(code <= 255 ? code : 0), -1};
        changed |= setSector(map, track, sector, state);
    }
    return changed;
}

QString sectorErrorText(quint8 code) {
    // The job codes count from 1 (all is well) where the DOS numbers count from 20.
    int dos = code;
    if (code >= 2 && code <= 11) {
        dos = code + 18;
    } else if (code == 15) {
        dos = 74;
    }
    const char* text = nullptr;
    switch (dos) {
    case 20:
        text = QT_TRANSLATE_NOOP("DiskMap", "Sector header not found");
        break;
    case 21:
        text = QT_TRANSLATE_NOOP("DiskMap", "No sync mark on the track");
        break;
    case 22:
        text = QT_TRANSLATE_NOOP("DiskMap", "Data block not found");
        break;
    case 23:
        text = QT_TRANSLATE_NOOP("DiskMap", "Checksum error in the data");
        break;
    case 24:
        text = QT_TRANSLATE_NOOP("DiskMap", "Byte decoding error");
        break;
    case 25:
        text = QT_TRANSLATE_NOOP("DiskMap", "Verify error after writing");
        break;
    case 26:
        text = QT_TRANSLATE_NOOP("DiskMap", "Write-protected");
        break;
    case 27:
        text = QT_TRANSLATE_NOOP("DiskMap", "Checksum error in the header");
        break;
    case 28:
        text = QT_TRANSLATE_NOOP("DiskMap", "Data block too long");
        break;
    case 29:
        text = QT_TRANSLATE_NOOP("DiskMap", "Disk ID mismatch");
        break;
    case 74:
        text = QT_TRANSLATE_NOOP("DiskMap", "Drive not ready");
        break;
    default:
        break;
    }
    if (code == 0) {
        return QCoreApplication::translate("DiskMap", "Read error");
    }
    const QString phrase = text ? QCoreApplication::translate("DiskMap", text)
                                : QCoreApplication::translate("DiskMap", "Read error");
    return QCoreApplication::translate("DiskMap", "%1 (code %2)").arg(phrase).arg(code);
}

} // namespace vellum
