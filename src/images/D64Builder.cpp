#include "images/D64Builder.h"

#include "images/D64Layout.h"
#include "model/FileNames.h"
#include "model/OpenCBMError.h"

#include <QCoreApplication>
#include <bit>
#include <bitset>
#include <cstring>

namespace vellum {

using namespace D64Layout;

namespace {

OpenCBMError builderError(const QString& message) {
    return OpenCBMError::parseError(message);
}

quint64 allSectorsOf(const DiskGeometry& geometry, qint64 track) {
    return (quint64(1) << geometry.sectorsOnTrack[track]) - 1;
}

using SectorSet = std::bitset<81 * 256>;

// The name as a directory lists it once written: upper case, printable ASCII up to the first
// character that the name bytes cannot hold, trimmed.
QString listedForm(const QString& name) {
    const QByteArray bytes = encodeName(name);
    return decodeName(bytes.constData(), nameLength);
}

} // namespace

D64Builder::D64Builder(QByteArray bytes, const DiskGeometry& geometry)
    : image(std::move(bytes)), layout(&geometry) {}

D64Builder D64Builder::create(const QString& diskName, const std::optional<QString>& diskID,
                              DiskImageFormat format) {
    const DiskGeometry& geometry = geometryOf(format);
    D64Builder builder(QByteArray(geometry.dataSize(), '\0'), geometry);
    for (qint64 t = 1; t <= geometry.mapTracks; ++t) {
        builder.freeSectors[t] = allSectorsOf(geometry, t);
    }
    builder.markSystemSectorsUsed();
    builder.writeFirstDirectorySector();
    builder.writeBAM(diskName, diskID.value_or(QStringLiteral("00")));
    return builder;
}

D64Builder D64Builder::open(QByteArray image) {
    checkImageSize(image);
    if (geometryOfImage(image).format == DiskImageFormat::d64 && tracksOf(image) > trackCount) {
        throw builderError(QCoreApplication::translate(
            "D64Builder", "Files cannot yet be added to or deleted from a "
                          "40-track D64 image; its files can be listed and "
                          "extracted."));
    }
    return openDosTracks(std::move(image));
}

D64Builder D64Builder::openDosTracks(QByteArray image) {
    checkImageSize(image);
    const DiskGeometry& geometry = geometryOfImage(image);
    D64Builder builder(std::move(image), geometry);
    builder.loadBAM();
    builder.findDirectoryEnd();
    builder.markListedChainsUsed();
    return builder;
}

bool D64Builder::isFree(qint64 track, qint64 sectorNumber) const {
    return track <= layout->mapTracks && isValidSector(*layout, track, sectorNumber) &&
           ((freeSectors[track] >> sectorNumber) & 1);
}

void D64Builder::setFree(qint64 track, qint64 sectorNumber, bool flag) {
    if (track > layout->mapTracks || !isValidSector(*layout, track, sectorNumber)) {
        return;
    }
    if (flag) {
        freeSectors[track] |= quint64(1) << sectorNumber;
    } else {
        freeSectors[track] &= ~(quint64(1) << sectorNumber);
    }
}

qint64 D64Builder::freeBlockCount() const {
    qint64 count = 0;
    for (qint64 t = 1; t <= layout->mapTracks; ++t) {
        count += layout->isReserved(t) ? 0 : std::popcount(freeSectors[t]);
    }
    return count;
}

QString D64Builder::formatName() const {
    return displayName(layout->format);
}

void D64Builder::markSystemSectorsUsed() {
    // The header and the free map: 18/0 (and 53/0 of a D71, whose track the drive keeps
    // whole), or 40/0-40/2 of a D81.
    setFree(layout->directoryTrack, layout->headerSector, false);
    if (layout->otherReservedTrack != 0) {
        freeSectors[layout->otherReservedTrack] = 0;
    }
    if (layout->format == DiskImageFormat::d81) {
        setFree(layout->directoryTrack, 1, false);
        setFree(layout->directoryTrack, 2, false);
    }
}

QList<std::pair<qint64, qint64>> D64Builder::sectorsOfEntry(const char* entry) const {
    if (isPartition(*layout, quint8(entry[2]))) {
        return partitionSectors(*layout, quint8(entry[3]), quint8(entry[4]),
                                quint8(entry[30]) + 256 * qint64(quint8(entry[31])));
    }
    return chainSectors(image, quint8(entry[3]), quint8(entry[4]));
}

char* D64Builder::sectorBytes(qint64 track, qint64 sectorNumber) {
    const qint64 offset = sectorOffset(*layout, track, sectorNumber);
    if (offset < 0 || offset + sectorSize > image.size()) {
        return nullptr;
    }
    return image.data() + offset;
}

void D64Builder::loadBAM() {
    for (qint64 t = 1; t <= layout->mapTracks; ++t) {
        freeSectors[t] = FreeMap::storedSectors(*layout, image, t);
    }
    markSystemSectorsUsed();
}

void D64Builder::markListedChainsUsed() {
    // A free map that a damaged or hand-edited disk got wrong must never let an add
    // overwrite a file that is still listed, nor the directory that lists it, wherever
    // its chain runs.
    SectorSet directory;
    const qint64 dirTrackNumber = layout->directoryTrack;
    for (qint64 s = 0; s < layout->firstDirectorySector; ++s) {
        directory.set(sectorKey(dirTrackNumber, s));
    }
    if (layout->otherReservedTrack != 0) {
        directory.set(sectorKey(layout->otherReservedTrack, 0));
    }
    for (const auto& [t, s] : chainSectors(image, dirTrackNumber, layout->firstDirectorySector)) {
        if (directory.test(sectorKey(t, s))) {
            throw builderError(QCoreApplication::translate(
                                   "D64Builder", "This %1 image is damaged: its directory runs "
                                                 "through the BAM, which every edit rewrites.")
                                   .arg(formatName()));
        }
        directory.set(sectorKey(t, s));
        setFree(t, s, false);
    }
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        for (const auto& [t, s] : sectorsOfEntry(entry)) {
            if (directory.test(sectorKey(t, s))) {
                const QString name = decodeName(entry + 5, nameLength);
                throw builderError(
                    QCoreApplication::translate("D64Builder",
                                                "This %1 image is damaged: its directory shares "
                                                "a block with “%2”, which adding or deleting "
                                                "files would change.")
                        .arg(formatName(), name.isEmpty() ? QStringLiteral("FILE") : name));
            }
            setFree(t, s, false);
        }
        return true;
    });
}

void D64Builder::findDirectoryEnd() {
    // The walk is the reader's, so that an entry goes where the listing will find it.
    SectorSet visited;
    qint64 track = layout->directoryTrack;
    qint64 sectorNumber = layout->firstDirectorySector;
    // A link to a sector the track does not have would make entries land on another
    // track's data, so such a link ends the chain like a link to a track past the last.
    while (isValidSector(*layout, track, sectorNumber) &&
           !visited.test(sectorKey(track, sectorNumber))) {
        visited.set(sectorKey(track, sectorNumber));
        setFree(track, sectorNumber, false);
        dirTrack = track;
        dirSector = sectorNumber;
        const char* bytes = sectorData(image, track, sectorNumber);
        for (qint64 slot = 0; slot < entriesPerSector; ++slot) {
            if (bytes[slot * entrySize + 2] == 0) {
                dirIndex = slot;
                return;
            }
        }
        track = quint8(bytes[0]);
        sectorNumber = quint8(bytes[1]);
        if (track == 0) {
            break;
        }
    }
    dirIndex = entriesPerSector;
}

std::optional<qint64> D64Builder::findFreeSector(qint64 track, qint64 previousSector,
                                                 bool fromStart) const {
    if (track < 1 || track > layout->mapTracks || freeSectors[track] == 0) {
        return std::nullopt;
    }
    const qint64 n = layout->sectorsOnTrack[track];
    const qint64 start = fromStart ? 0 : ((previousSector + layout->interleave) % n + n) % n;
    for (qint64 probe = 0; probe < n; ++probe) {
        const qint64 candidate = (start + probe) % n;
        if ((freeSectors[track] >> candidate) & 1) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<D64Builder::Block> D64Builder::allocateBlock(std::optional<Block> previous) {
    // From the previous block's track up to the last, then from track 1 up to it.
    const qint64 firstTrack = previous ? previous->track : 1;
    const qint64 tracks = layout->mapTracks;
    for (qint64 i = 0; i < tracks; ++i) {
        const qint64 track = (firstTrack - 1 + i) % tracks + 1;
        if (layout->isReserved(track)) {
            continue;
        }
        const bool onPreviousTrack = previous && previous->track == track;
        const auto found =
            findFreeSector(track, onPreviousTrack ? previous->sector : 0, !onPreviousTrack);
        if (found) {
            setFree(track, *found, false);
            return Block{track, *found};
        }
    }
    return std::nullopt;
}

void D64Builder::writeFirstDirectorySector() {
    if (char* bytes = sectorBytes(layout->directoryTrack, layout->firstDirectorySector)) {
        std::memset(bytes, 0, sectorSize);
        bytes[1] = char(0xFF);
    }
    setFree(layout->directoryTrack, layout->firstDirectorySector, false);
}

void D64Builder::writeBAM(const std::optional<QString>& diskName,
                          const std::optional<QString>& diskID) {
    const qint64 dirTrackNumber = layout->directoryTrack;
    char* header = sectorBytes(dirTrackNumber, layout->headerSector);
    const bool isD81 = layout->format == DiskImageFormat::d81;
    if (header[0] == 0 && header[1] == 0) {
        header[0] = char(dirTrackNumber);
        header[1] = char(layout->firstDirectorySector);
        header[2] = layout->dosVersion;
        header[3] = char(layout->format == DiskImageFormat::d71 ? 0x80 : 0x00);
        if (isD81) {
            // The two BAM sectors, 40/1 linked to 40/2, each with the version, its
            // complement and the I/O byte.
            for (qint64 s = 1; s <= 2; ++s) {
                char* bam = sectorBytes(dirTrackNumber, s);
                bam[0] = char(s == 1 ? dirTrackNumber : 0);
                bam[1] = char(s == 1 ? 2 : 0xFF);
                bam[2] = layout->dosVersion;
                bam[3] = char(~quint8(layout->dosVersion));
                bam[6] = char(0xC0);
            }
        }
    }
    for (qint64 t = 1; t <= layout->mapTracks; ++t) {
        FreeMap::store(*layout, image, t, freeSectors[t]);
    }
    if (diskName) {
        const QByteArray id = encodeName(diskID.value_or(QStringLiteral("00"))).left(2);
        char* name = header + layout->nameOffset;
        std::memcpy(name, encodeName(*diskName).constData(), nameLength);
        name[16] = padding;
        name[17] = padding;
        std::memcpy(header + layout->idOffset, id.constData(), 2);
        header[layout->idOffset + 2] = padding;
        header[layout->dosTypeOffset] = layout->dosType[0];
        header[layout->dosTypeOffset + 1] = layout->dosType[1];
        // Padding up to 0xAA on a D64 or D71, 0x1C on a D81.
        const qint64 end = isD81 ? 0x1C : 0xAA;
        for (qint64 i = layout->dosTypeOffset + 2; i <= end; ++i) {
            header[i] = padding;
        }
        if (isD81) {
            for (qint64 s = 1; s <= 2; ++s) {
                std::memcpy(sectorBytes(dirTrackNumber, s) + 4, id.constData(), 2);
            }
        }
    }
}

quint8 D64Builder::typeByte(CBMFileType type) {
    switch (type) {
    case CBMFileType::seq:
        return 0x81;
    case CBMFileType::usr:
        return 0x83;
    case CBMFileType::rel:
        return 0x84;
    case CBMFileType::del:
        return 0x80;
    case CBMFileType::prg:
    case CBMFileType::other:
        break;
    }
    return 0x82;
}

QStringList D64Builder::existingNames() const {
    QStringList names;
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        const QString name = decodeName(entry + 5, nameLength);
        names.append(name.isEmpty() ? QStringLiteral("FILE") : name);
        return true;
    });
    return names;
}

QHash<QString, int>& D64Builder::takenNames() const {
    if (!taken) {
        taken.emplace();
        for (const QString& name : existingNames()) {
            ++(*taken)[name.toLower()];
        }
    }
    return *taken;
}

QString D64Builder::uniqueName(const QString& name) const {
    const QHash<QString, int>& names = takenNames();
    const auto isTaken = [&](const QString& candidate) {
        return names.value(candidate.toLower()) > 0;
    };
    QString base = listedForm(name.trimmed().left(nameLength));
    const bool mustSuffix = base.isEmpty();
    if (mustSuffix) {
        base = QStringLiteral("FILE");
    } else if (!isTaken(base)) {
        return base;
    }
    if (const auto free = suffixedFreeName(base, nameLength, isTaken)) {
        return *free;
    }
    throw builderError(
        QCoreApplication::translate("D64Builder", "No free name is left for “%1” on this %2.")
            .arg(base, formatName()));
}

void D64Builder::writeDataChain(const QList<Block>& blocks, const QByteArray& contents) {
    for (qsizetype k = 0; k < blocks.size(); ++k) {
        char* bytes = sectorBytes(blocks[k].track, blocks[k].sector);
        const qsizetype carried = std::min<qsizetype>(254, contents.size() - 254 * k);
        std::memset(bytes, 0, sectorSize);
        if (k + 1 < blocks.size()) {
            bytes[0] = char(blocks[k + 1].track);
            bytes[1] = char(blocks[k + 1].sector);
        } else {
            bytes[1] = char(std::max<qsizetype>(carried, 0) + 1);
        }
        if (carried > 0) {
            std::memcpy(bytes + 2, contents.constData() + 254 * k, size_t(carried));
        }
    }
}

void D64Builder::writeDirectoryEntry(const QString& name, quint8 type, Block first, qint64 blocks) {
    char* entry = sectorBytes(dirTrack, dirSector) + dirIndex * entrySize;
    entry[2] = char(type);
    entry[3] = char(first.track);
    entry[4] = char(first.sector);
    std::memcpy(entry + 5, encodeName(name).constData(), nameLength);
    entry[30] = char(blocks & 0xFF);
    entry[31] = char((blocks >> 8) & 0xFF);
    ++dirIndex;
}

QString D64Builder::addFile(const QString& name, CBMFileType type, const QByteArray& contents) {
    if (type == CBMFileType::rel) {
        throw builderError(QCoreApplication::translate(
                               "D64Builder", "REL files cannot be added to a %1 in this version.")
                               .arg(formatName()));
    }
    const qint64 needed = contents.isEmpty() ? 1 : (contents.size() + 253) / 254;
    const qint64 available = freeBlockCount();
    if (available < needed) {
        throw builderError(
            QCoreApplication::translate(
                "D64Builder", "Not enough space on this %1. Need %2 blocks, only %3 free.")
                .arg(formatName())
                .arg(needed)
                .arg(available));
    }

    // Everything that can fail is settled before the first byte is written, so a failed
    // add only has the free map and the cursor to put back.
    const auto savedFree = freeSectors;
    const Block savedCursor{dirTrack, dirSector};
    const qint64 savedIndex = dirIndex;
    const auto fail = [&](const OpenCBMError& error) {
        freeSectors = savedFree;
        dirTrack = savedCursor.track;
        dirSector = savedCursor.sector;
        dirIndex = savedIndex;
        return error;
    };
    QList<Block> blocks;
    blocks.reserve(needed);
    std::optional<Block> previous;
    for (qint64 k = 0; k < needed; ++k) {
        previous = allocateBlock(previous);
        if (!previous) {
            throw fail(builderError(
                QCoreApplication::translate("D64Builder", "Not enough space on the %1 image.")
                    .arg(formatName())));
        }
        blocks.append(*previous);
    }
    QString stored;
    try {
        stored = uniqueName(name);
    } catch (const OpenCBMError& error) {
        throw fail(error);
    }
    findDirectoryEnd();
    std::optional<qint64> newDirectorySector;
    if (dirIndex >= entriesPerSector) {
        newDirectorySector = findFreeSector(layout->directoryTrack, dirSector, false);
        if (!newDirectorySector) {
            throw fail(
                builderError(QCoreApplication::translate("D64Builder", "Directory is full.")));
        }
        setFree(layout->directoryTrack, *newDirectorySector, false);
    }

    writeDataChain(blocks, contents);
    if (newDirectorySector) {
        char* last = sectorBytes(dirTrack, dirSector);
        last[0] = char(layout->directoryTrack);
        last[1] = char(*newDirectorySector);
        char* fresh = sectorBytes(layout->directoryTrack, *newDirectorySector);
        std::memset(fresh, 0, sectorSize);
        fresh[1] = char(0xFF);
        dirTrack = layout->directoryTrack;
        dirSector = *newDirectorySector;
        dirIndex = 0;
    }
    writeDirectoryEntry(stored, typeByte(type), blocks[0], needed);
    writeBAM();
    ++takenNames()[stored.toLower()];
    return stored;
}

void D64Builder::freeChain(const char* entry, const QSet<qint64>& keep) {
    for (const auto& [t, s] : sectorsOfEntry(entry)) {
        if (!layout->isReserved(t) && !keep.contains(sectorKey(t, s))) {
            setFree(t, s, true);
        }
    }
}

QSet<qint64> D64Builder::sectorsOfOtherFiles(qint64 index) const {
    // On a damaged disk two entries can share sectors; freeing those would let the next
    // add overwrite a file that is still listed.
    QSet<qint64> used;
    qint64 listed = 0;
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        if (listed++ != index) {
            for (const auto& [t, s] : sectorsOfEntry(entry)) {
                used.insert(sectorKey(t, s));
            }
        }
        return true;
    });
    return used;
}

void D64Builder::rebuildBAM() {
    for (qint64 t = 1; t <= layout->mapTracks; ++t) {
        freeSectors[t] = allSectorsOf(*layout, t);
    }
    markSystemSectorsUsed();
    for (const auto& [t, s] :
         chainSectors(image, layout->directoryTrack, layout->firstDirectorySector)) {
        setFree(t, s, false);
    }
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        for (const auto& [t, s] : sectorsOfEntry(entry)) {
            setFree(t, s, false);
        }
        return true;
    });
    writeBAM();
    findDirectoryEnd();
}

void D64Builder::deleteFile(qint64 index) {
    qint64 listed = 0;
    char* entry = nullptr;
    qint64 slot = 0;
    forEachListedEntry(image,
                       [&](qint64 track, qint64 sectorNumber, qint64 entrySlot, const char*) {
                           if (listed++ != index) {
                               return true;
                           }
                           entry = sectorBytes(track, sectorNumber) + entrySlot * entrySize;
                           slot = entrySlot;
                           return false;
                       });
    if (!entry) {
        throw builderError(
            QCoreApplication::translate("D64Builder", "That file is not in this %1 image.")
                .arg(formatName()));
    }
    freeChain(entry, sectorsOfOtherFiles(index));
    if (taken) {
        const QString name = decodeName(entry + 5, nameLength);
        --(*taken)[(name.isEmpty() ? QStringLiteral("FILE") : name).toLower()];
    }
    // In the first slot, bytes 0-1 are the sector's link and stay.
    const qint64 from = slot == 0 ? 2 : 0;
    std::memset(entry + from, 0, size_t(entrySize - from));
}

} // namespace vellum
