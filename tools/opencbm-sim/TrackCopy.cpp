#include "TrackCopy.h"

#include "ToolSupport.h"

#include <algorithm>

namespace vellum::sim {

namespace {

QByteArray progressLine(int track, const QByteArray& map, int done, int total) {
    return QStringLiteral("\r%1: %2%3%%4/%5")
        .arg(track, 2)
        .arg(QString::fromLatin1(map), -24)
        .arg(done * 100 / total, 3)
        .arg(done, 6)
        .arg(total)
        .toLatin1();
}

QByteArray trackDoneLine(int track, const QByteArray& map) {
    return QStringLiteral("\r%1: %2%3\n")
        .arg(track, 2)
        .arg(QString::fromLatin1(map), -24)
        .arg(QString(), 14)
        .toLatin1();
}

// The tools name sectors in hexadecimal ("0c/05").
QByteArray sectorText(int track, int sector) {
    return QByteArray::number(track, 16).rightJustified(2, '0') + '/' +
           QByteArray::number(sector, 16).rightJustified(2, '0');
}

enum class SectorResult { copied, diskError, imageWriteError };

SectorResult copySector(TrackCopy& copy, int track, int sector) {
    const qint64 offset = sectorOffset(copy.kind, track, sector);
    if (copy.intoImage) {
        const std::optional<QByteArray> bytes = readSector(copy.disk, track, sector);
        if (!bytes) {
            return SectorResult::diskError;
        }
        if (copy.imageSpace && offset + sectorSize > *copy.imageSpace) {
            return SectorResult::imageWriteError;
        }
        return copy.image.seek(offset) && copy.image.write(*bytes) == sectorSize
                   ? SectorResult::copied
                   : SectorResult::imageWriteError;
    }
    writeSector(copy.disk, track, sector, copy.source.mid(offset, sectorSize));
    return SectorResult::copied;
}

QByteArray blocksText(qint64 blocks) {
    return QByteArray::number(blocks);
}

} // namespace

bool openImage(TrackCopy& copy, const QByteArray& notAnImageLine) {
    const qint64 wholeImage = imageSize(copy.kind);
    const QIODevice::OpenMode mode = copy.intoImage ? QIODevice::ReadWrite : QIODevice::ReadOnly;
    if (!copy.image.open(mode)) {
        writeErr("[Fatal] could not open " + copy.image.fileName().toLocal8Bit() + ": " +
                 copy.image.errorString().toLocal8Bit() + '\n');
        return false;
    }
    if (!copy.intoImage) {
        copy.source = copy.image.readAll();
        if (copy.source.size() < wholeImage) {
            writeErr(notAnImageLine);
            return false;
        }
        // Side two of a single-sided disk gets written as well: the disk is double-sided.
        if (copy.disk.size() < wholeImage) {
            copy.disk = copy.disk.left(imageSize(dosTracks)).leftJustified(wholeImage, '\0');
        }
        return true;
    }
    if (copy.image.size() < wholeImage) {
        writeErr("[Warning] growing image file to " +
                 blocksText(sectorsUpToTrack(copy.kind, trackCount(copy.kind))) + " blocks\n");
        copy.image.resize(std::min(wholeImage, copy.imageSpace.value_or(wholeImage)));
    }
    return true;
}

void copyTracks(TrackCopy& copy, bool verbose) {
    int total = 0;
    for (const int track : copy.tracks) {
        total += sectorsOnTrack(copy.kind, track);
    }
    if (verbose) {
        writeErr(QStringLiteral("[Info] copying tracks %1-%2 (%3 sectors)\n")
                     .arg(*std::min_element(copy.tracks.begin(), copy.tracks.end()))
                     .arg(*std::max_element(copy.tracks.begin(), copy.tracks.end()))
                     .arg(total)
                     .toLatin1());
    }
    const std::optional<int> failing = failingTrack(copy.bus);
    const QByteArray failure = copy.intoImage ? "read error" : "write error";
    int processed = 0;
    int copied = 0;
    QString verdict = QString::fromLatin1(dosStatus::ok);
    for (qsizetype index = 0; index < copy.tracks.size(); ++index) {
        const int track = copy.tracks.at(index);
        const int sectors = sectorsOnTrack(copy.kind, track);
        QByteArray map(sectors, '-');
        bool trackFailed = false;
        for (int sector = 0; sector < sectors; ++sector) {
            spendTrackTime(copy.bus, 1.0 / sectors);
            const SectorResult result =
                track == failing ? SectorResult::diskError : copySector(copy, track, sector);
            map[sector] = result == SectorResult::copied ? '*' : '?';
            ++processed;
            if (result == SectorResult::copied) {
                ++copied;
            } else if (result == SectorResult::imageWriteError) {
                // The drive did its part: only the file on the computer is short.
                writeErr("[Warning] write error: " + sectorText(track, sector) + ": 1\n");
            } else {
                trackFailed = true;
                verdict = dosStatus::readError(track, sector);
                writeErr("[Warning] " + failure + ": " + sectorText(track, sector) + ": 5\n");
            }
            writeOut(progressLine(track, map, processed, total));
        }
        if (trackFailed) {
            writeErr(QByteArrayLiteral("[Warning] giving up...\n"));
        }
        if (!copy.intoImage) {
            copy.bus.setDisk(copy.device, copy.disk);
        }
        if (index + 1 < copy.tracks.size()) {
            writeOut(trackDoneLine(track, map));
        }
    }
    copy.bus.setStatus(copy.device, verdict);
    writeOut("\n" + blocksText(copied) + " blocks copied.\n");
}

} // namespace vellum::sim
