#include "images/D64Builder.h"

#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <QSet>

namespace vellum {

using namespace D64Layout;

namespace {

OpenCBMError builderError(const QString& message) {
    return OpenCBMError::parseError(message);
}

} // namespace

D64Builder::D64Builder(QByteArray bytes) : image(std::move(bytes)) {
    free.resize(trackCount + 1);
    for (qint64 t = 1; t <= trackCount; ++t)
        free[t] = QList<bool>(sectorsPerTrack(t), false);
}

D64Builder D64Builder::create(const QString& diskName, const std::optional<QString>& diskID) {
    D64Builder builder(QByteArray(imageSize, '\0'));
    for (qint64 t = 1; t <= trackCount; ++t)
        builder.free[t].fill(true);
    builder.setFree(directoryTrack, bamSector, false);
    builder.writeFirstDirectorySector();
    builder.writeBAM(diskName, diskID.value_or(QStringLiteral("00")));
    return builder;
}

D64Builder D64Builder::open(QByteArray image) {
    checkImageSize(image);
    if (tracksOf(image) > trackCount)
        throw builderError(QStringLiteral("Files cannot yet be added to or deleted from a "
                                          "40-track D64 image; its files can be listed and "
                                          "extracted."));
    return openDosTracks(std::move(image));
}

D64Builder D64Builder::openDosTracks(QByteArray image) {
    checkImageSize(image);
    D64Builder builder(std::move(image));
    builder.loadBAM();
    builder.findDirectoryEnd();
    builder.markListedChainsUsed();
    return builder;
}

bool D64Builder::isFree(qint64 track, qint64 sectorNumber) const {
    return isValidSector(track, sectorNumber) && free[track][sectorNumber];
}

void D64Builder::setFree(qint64 track, qint64 sectorNumber, bool flag) {
    if (isValidSector(track, sectorNumber))
        free[track][sectorNumber] = flag;
}

qint64 D64Builder::freeBlockCount() const {
    qint64 count = 0;
    for (const QList<bool>& flags : free)
        count += flags.count(true);
    return count;
}

QByteArray D64Builder::readSector(qint64 track, qint64 sectorNumber) const {
    return sector(image, track, sectorNumber);
}

void D64Builder::writeSector(qint64 track, qint64 sectorNumber, const QByteArray& bytes) {
    const qint64 offset = sectorOffset(track, sectorNumber);
    if (offset < 0 || offset + sectorSize > image.size())
        return;
    if (undoLog)
        undoLog->append({offset, image.mid(offset, sectorSize)});
    image.replace(offset, sectorSize, bytes.left(sectorSize));
}

void D64Builder::loadBAM() {
    const QByteArray bam = readSector(directoryTrack, bamSector);
    for (qint64 t = 1; t <= trackCount; ++t) {
        for (qint64 s = 0; s < sectorsPerTrack(t); ++s) {
            const quint8 bitmap = quint8(bam[4 * t + 1 + s / 8]);
            free[t][s] = (bitmap >> (s % 8)) & 1;
        }
    }
    setFree(directoryTrack, bamSector, false);
}

void D64Builder::markListedChainsUsed() {
    // A free map that a damaged or hand-edited disk got wrong must never let an add
    // overwrite a file that is still listed.
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        for (const auto& [t, s] : chainSectors(image, quint8(entry[3]), quint8(entry[4])))
            setFree(t, s, false);
        return true;
    });
}

void D64Builder::findDirectoryEnd() {
    QSet<qint64> visited;
    qint64 track = directoryTrack;
    qint64 sectorNumber = firstDirectorySector;
    // A link to a sector the track does not have would make entries land on another
    // track's data, so such a link ends the chain like a link to a track past 35.
    while (isValidSector(track, sectorNumber) &&
           !visited.contains(sectorKey(track, sectorNumber))) {
        visited.insert(sectorKey(track, sectorNumber));
        setFree(track, sectorNumber, false);
        dirTrack = track;
        dirSector = sectorNumber;
        const QByteArray bytes = readSector(track, sectorNumber);
        for (qint64 slot = 0; slot < entriesPerSector; ++slot) {
            if (bytes[slot * entrySize + 2] == 0) {
                dirIndex = slot;
                return;
            }
        }
        track = quint8(bytes[0]);
        sectorNumber = quint8(bytes[1]);
        if (track == 0)
            break;
    }
    dirIndex = entriesPerSector;
}

std::optional<qint64> D64Builder::findFreeSector(qint64 track, qint64 previousSector,
                                                 bool fromStart) const {
    const qint64 n = sectorsPerTrack(track);
    if (n == 0)
        return std::nullopt;
    const qint64 start = fromStart ? 0 : ((previousSector + 10) % n + n) % n;
    for (qint64 probe = 0; probe < n; ++probe) {
        const qint64 candidate = (start + probe) % n;
        if (free[track][candidate])
            return candidate;
    }
    return std::nullopt;
}

std::optional<D64Builder::Block> D64Builder::allocateBlock(std::optional<Block> previous) {
    QList<qint64> tracks;
    const qint64 firstTrack = previous ? previous->track : 1;
    for (qint64 t = firstTrack; t <= trackCount; ++t)
        tracks.append(t);
    for (qint64 t = 1; t < firstTrack; ++t)
        tracks.append(t);
    for (qint64 track : tracks) {
        if (track == directoryTrack)
            continue;
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
    QByteArray bytes(sectorSize, '\0');
    bytes[1] = char(0xFF);
    writeSector(directoryTrack, firstDirectorySector, bytes);
    setFree(directoryTrack, firstDirectorySector, false);
}

void D64Builder::writeBAM(const std::optional<QString>& diskName,
                          const std::optional<QString>& diskID) {
    QByteArray bam = readSector(directoryTrack, bamSector);
    if (bam[0] == 0 && bam[1] == 0) {
        bam[0] = char(directoryTrack);
        bam[1] = char(firstDirectorySector);
        bam[2] = 0x41;
        bam[3] = 0x00;
    }
    for (qint64 t = 1; t <= trackCount; ++t) {
        quint8 bitmap[3] = {0, 0, 0};
        qint64 count = 0;
        for (qint64 s = 0; s < sectorsPerTrack(t); ++s) {
            if (free[t][s]) {
                ++count;
                bitmap[s / 8] |= quint8(1 << (s % 8));
            }
        }
        bam[4 * t] = char(count);
        for (int i = 0; i < 3; ++i)
            bam[4 * t + 1 + i] = char(bitmap[i]);
    }
    if (diskName) {
        bam.replace(0x90, nameLength, encodeName(*diskName));
        bam[0xA0] = padding;
        bam[0xA1] = padding;
        bam.replace(0xA2, 2, encodeName(diskID.value_or(QStringLiteral("00"))).left(2));
        bam[0xA4] = padding;
        bam[0xA5] = '2';
        bam[0xA6] = 'A';
        for (int i = 0xA7; i <= 0xAA; ++i)
            bam[i] = padding;
    }
    writeSector(directoryTrack, bamSector, bam);
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

QString D64Builder::uniqueName(const QString& name) const {
    QString base = name.trimmed().left(nameLength);
    QSet<QString> taken;
    for (const QString& existing : existingNames())
        taken.insert(existing.toLower());
    const bool mustSuffix = base.isEmpty();
    if (mustSuffix)
        base = QStringLiteral("FILE");
    else if (!taken.contains(base.toLower()))
        return base;
    for (int n = 2; n <= 99; ++n) {
        const QString suffix = QStringLiteral("-%1").arg(n);
        const QString candidate =
            base.left(std::max<qsizetype>(1, nameLength - suffix.size())) + suffix;
        if (!taken.contains(candidate.toLower()))
            return candidate;
    }
    return base.left(12);
}

void D64Builder::writeDirectoryEntry(const QString& name, quint8 type, qint64 track,
                                     qint64 sectorNumber, qint64 blocks) {
    findDirectoryEnd();
    if (dirIndex >= entriesPerSector) {
        const auto newSector = findFreeSector(directoryTrack, dirSector, false);
        if (!newSector)
            throw builderError(QStringLiteral("Directory is full."));
        setFree(directoryTrack, *newSector, false);
        QByteArray last = readSector(dirTrack, dirSector);
        last[0] = char(directoryTrack);
        last[1] = char(*newSector);
        writeSector(dirTrack, dirSector, last);
        QByteArray fresh(sectorSize, '\0');
        fresh[1] = char(0xFF);
        writeSector(directoryTrack, *newSector, fresh);
        dirTrack = directoryTrack;
        dirSector = *newSector;
        dirIndex = 0;
    }
    QByteArray bytes = readSector(dirTrack, dirSector);
    const qint64 base = dirIndex * entrySize;
    bytes[base + 2] = char(type);
    bytes[base + 3] = char(track);
    bytes[base + 4] = char(sectorNumber);
    bytes.replace(base + 5, nameLength, encodeName(name));
    bytes[base + 30] = char(blocks & 0xFF);
    bytes[base + 31] = char((blocks >> 8) & 0xFF);
    writeSector(dirTrack, dirSector, bytes);
    ++dirIndex;
}

QString D64Builder::addFile(const QString& name, CBMFileType type, const QByteArray& contents) {
    if (type == CBMFileType::rel)
        throw builderError(QStringLiteral("REL files cannot be added to a D64 in this version."));
    const qint64 needed = contents.isEmpty() ? 1 : (contents.size() + 253) / 254;
    const qint64 available = freeBlockCount();
    if (available < needed)
        throw builderError(
            QStringLiteral("Not enough space on this D64. Need %1 blocks, only %2 free.")
                .arg(needed)
                .arg(available));

    // A failed add restores everything, so what the caller may save never depends on
    // how far a failed add got.
    QList<std::pair<qint64, QByteArray>> undo;
    undoLog = &undo;
    const QList<QList<bool>> savedFree = free;
    const qint64 savedCursor[3] = {dirTrack, dirSector, dirIndex};
    try {
        QList<Block> blocks;
        std::optional<Block> previous;
        for (qint64 k = 0; k < needed; ++k) {
            previous = allocateBlock(previous);
            if (!previous)
                throw builderError(QStringLiteral("Not enough space on the D64 image."));
            blocks.append(*previous);
        }
        for (qint64 k = 0; k < needed; ++k) {
            const QByteArray carried = contents.mid(254 * k, 254);
            QByteArray bytes(sectorSize, '\0');
            if (k + 1 < needed) {
                bytes[0] = char(blocks[k + 1].track);
                bytes[1] = char(blocks[k + 1].sector);
            } else {
                bytes[0] = 0;
                bytes[1] = char(carried.size() + 1);
            }
            bytes.replace(2, carried.size(), carried);
            writeSector(blocks[k].track, blocks[k].sector, bytes);
        }
        const QString stored = uniqueName(name);
        writeDirectoryEntry(stored, typeByte(type), blocks[0].track, blocks[0].sector, needed);
        writeBAM();
        undoLog = nullptr;
        const QString listed = decodeName(encodeName(stored), 0, nameLength);
        return listed.isEmpty() ? QStringLiteral("FILE") : listed;
    } catch (...) {
        undoLog = nullptr;
        for (auto it = undo.crbegin(); it != undo.crend(); ++it)
            image.replace(it->first, sectorSize, it->second);
        free = savedFree;
        dirTrack = savedCursor[0];
        dirSector = savedCursor[1];
        dirIndex = savedCursor[2];
        throw;
    }
}

void D64Builder::freeChain(qint64 track, qint64 sectorNumber, const QSet<qint64>& keep) {
    for (const auto& [t, s] : chainSectors(image, track, sectorNumber)) {
        if (t != directoryTrack && !keep.contains(sectorKey(t, s)))
            setFree(t, s, true);
    }
}

QSet<qint64> D64Builder::sectorsOfOtherFiles(qint64 index) const {
    // On a damaged disk two entries can share sectors; freeing those would let the next
    // add overwrite a file that is still listed.
    QSet<qint64> used;
    qint64 listed = 0;
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        if (listed++ != index) {
            for (const auto& [t, s] : chainSectors(image, quint8(entry[3]), quint8(entry[4])))
                used.insert(sectorKey(t, s));
        }
        return true;
    });
    return used;
}

void D64Builder::rebuildBAM() {
    for (qint64 t = 1; t <= trackCount; ++t)
        free[t].fill(true);
    setFree(directoryTrack, bamSector, false);
    for (const auto& [t, s] : chainSectors(image, directoryTrack, firstDirectorySector))
        setFree(t, s, false);
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        for (const auto& [t, s] : chainSectors(image, quint8(entry[3]), quint8(entry[4])))
            setFree(t, s, false);
        return true;
    });
    writeBAM();
    findDirectoryEnd();
}

void D64Builder::deleteFile(qint64 index) {
    qint64 listed = 0;
    std::optional<std::pair<qint64, qint64>> directorySector;
    qint64 slot = 0;
    forEachListedEntry(image,
                       [&](qint64 track, qint64 sectorNumber, qint64 entrySlot, const char*) {
                           if (listed++ != index)
                               return true;
                           directorySector = {track, sectorNumber};
                           slot = entrySlot;
                           return false;
                       });
    if (!directorySector)
        throw builderError(QStringLiteral("That file is not in this D64 image."));
    QByteArray bytes = readSector(directorySector->first, directorySector->second);
    const qint64 base = slot * entrySize;
    freeChain(quint8(bytes[base + 3]), quint8(bytes[base + 4]), sectorsOfOtherFiles(index));
    const qint64 from = slot == 0 ? 2 : 0;
    bytes.replace(base + from, entrySize - from, QByteArray(entrySize - from, '\0'));
    writeSector(directorySector->first, directorySector->second, bytes);
}

} // namespace vellum
