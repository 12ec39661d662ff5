#include "FuzzInput.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <QHash>
#include <QSet>
#include <cstdlib>

using namespace vellum;
using fuzzing::require;

namespace {

// The bytes of every listed file, by the slot that lists it: neither an add nor a delete
// of another file may change them.
QHash<qint64, QByteArray> listedFiles(const QByteArray& image) {
    QHash<qint64, QByteArray> files;
    D64Layout::forEachListedEntry(
        image, [&](qint64 track, qint64 sector, qint64 slot, const char* entry) {
            files[D64Layout::sectorKey(track, sector) * 8 + slot] =
                D64Layout::readChain(image, quint8(entry[3]), quint8(entry[4]));
            return true;
        });
    return files;
}

// How many of the files listed before are gone now; those still listed must read the same.
qsizetype filesGone(const QHash<qint64, QByteArray>& kept, const QByteArray& image) {
    const QHash<qint64, QByteArray> now = listedFiles(image);
    qsizetype gone = 0;
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (!now.contains(it.key())) {
            ++gone;
        } else {
            require(now.value(it.key()) == it.value());
        }
    }
    return gone;
}

qsizetype entriesNamed(const QByteArray& image, const QString& name) {
    qsizetype count = 0;
    for (const D64Extractor::File& file : D64Extractor::files(image)) {
        count += file.name.compare(name, Qt::CaseInsensitive) == 0;
    }
    return count;
}

// The added file lies on tracks that hold file data only.
void requireOffReservedTracks(const QByteArray& image, const QString& name) {
    const DiskGeometry& geometry = geometryOfImage(image);
    for (const D64Extractor::File& file : D64Extractor::files(image)) {
        if (file.name.compare(name, Qt::CaseInsensitive) == 0) {
            for (const auto& [track, sector] :
                 D64Layout::chainSectors(image, file.startTrack, file.startSector)) {
                require(!geometry.isReserved(track));
            }
        }
    }
}

} // namespace

// The last bytes of the input are a short script of edits on the damaged image.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t scriptLength = std::min<size_t>(size, 8);
    const uint8_t* script = data + size - scriptLength;
    const QByteArray image = fuzzing::imageFromInput(data, size - scriptLength);
    const QByteArray tail = image.mid(fuzzing::sectorBytesOf(image));

    // An image that is too short, damaged beyond editing, or a D64 of 40 tracks is refused;
    // the drive's own view still edits the last.
    const DiskGeometry& geometry = geometryOfImage(image);
    const bool extendedD64 =
        geometry.format == DiskImageFormat::d64 && geometry.tracks > D64Layout::trackCount;
    std::optional<D64Builder> opened;
    try {
        opened = D64Builder::open(image);
        require(!extendedD64);
    } catch (const OpenCBMError&) {
        if (!extendedD64) {
            return 0;
        }
        try {
            opened = D64Builder::openDosTracks(image);
        } catch (const OpenCBMError&) {
            return 0;
        }
    }
    D64Builder& builder = *opened;
    for (size_t i = 0; i < scriptLength; ++i) {
        const uint8_t op = script[i];
        // A hash, not a copy: a copy would make the builder copy the whole image on its
        // next write, and large copies are most of the cost of a run under the sanitizers.
        const size_t before = qHash(builder.data());
        const QHash<qint64, QByteArray> kept = listedFiles(builder.data());
        try {
            if (op < 0x80) {
                const QByteArray contents(qsizetype(op) * 37, char(op));
                const qint64 freeBefore = builder.freeBlockCount();
                QString stored;
                try {
                    stored =
                        builder.addFile(op & 1 ? QStringLiteral("ADD") : QStringLiteral("a\u00e4"),
                                        CBMFileType::prg, contents);
                } catch (const OpenCBMError&) {
                    // A failed add leaves everything as it was.
                    require(qHash(builder.data()) == before &&
                            builder.freeBlockCount() == freeBefore);
                    throw;
                }
                // What was listed reads as before, and no other entry has the new name.
                require(filesGone(kept, builder.data()) == 0);
                require(entriesNamed(builder.data(), stored) == 1);
                requireOffReservedTracks(builder.data(), stored);
            } else if (op < 0xF0) {
                builder.deleteFile(op & 0x3F);
                require(filesGone(kept, builder.data()) <= 1);
            } else if (op < 0xF8) {
                builder.writeBAM();
            } else {
                builder.rebuildBAM();
            }
        } catch (const OpenCBMError&) {
        }
        require(builder.data().size() == image.size());
        require(builder.data().mid(fuzzing::sectorBytesOf(image)) == tail);
    }
    builder.writeBAM();
    // What the builder leaves must open and list again.
    D64Builder::openDosTracks(builder.data());
    D64Extractor::readDirectory(builder.data());
    return 0;
}
