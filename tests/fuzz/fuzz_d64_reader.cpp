#include "FuzzInput.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <cstdlib>

using namespace vellum;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The raw input: almost always too small, which must fail cleanly.
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        D64Extractor::readDirectory(raw);
    } catch (const OpenCBMError&) {
    }

    const QByteArray image = fuzzing::imageFromInput(data, size);
    DiskDirectory directory;
    try {
        directory = D64Extractor::readDirectory(image);
    } catch (const OpenCBMError&) {
        require(image.size() < D64Layout::imageSize);
        return 0;
    }
    const QList<D64Extractor::File> files = D64Extractor::files(image);
    require(directory.entries.size() == files.size());
    // A directory chain passes each of the image's sectors at most once, 8 entries each.
    const qint64 sectors = geometryOfImage(image).sectorCount();
    require(files.size() <= sectors * 8);
    for (const D64Extractor::File& file : files) {
        const D64Layout::ChainSize size =
            D64Layout::chainSize(image, file.startTrack, file.startSector);
        require(D64Layout::readChain(image, file.startTrack, file.startSector).size() ==
                size.bytes);
        if (file.isPartition) {
            require(!D64Extractor::parsedFile(image, file) && D64Extractor::readProblem(file));
            continue;
        }
        require(size.sectors <= sectors);
        require(file.fault == size.fault);
        // A file that cannot be read whole always says why; a sound one never does.
        const std::optional<ParsedFile> parsed = D64Extractor::parsedFile(image, file);
        const bool whole = !file.fault && file.byteSize >= 2;
        require(D64Extractor::readProblem(file).has_value() == !whole);
        require(parsed.has_value() == (file.byteSize >= 2));
        if (parsed) {
            require(parsed->payload.size() + 2 == file.byteSize);
        }
    }
    try {
        D64Extractor::parsedFiles(image, QStringLiteral("fuzz.d64"));
    } catch (const OpenCBMError&) {
    }
    // A damaged directory may list thousands of files; the ends and a few between will do.
    for (qint64 index : {qint64(-1), qint64(0), files.size() / 2, files.size() - 1, files.size()}) {
        try {
            D64Extractor::parsedFile(image, QStringLiteral("fuzz.d64"), index);
        } catch (const OpenCBMError& error) {
            require(!error.errorDescription().isEmpty());
        }
    }
    return 0;
}
