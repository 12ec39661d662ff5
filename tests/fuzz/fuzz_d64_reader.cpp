#include "FuzzInput.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <cstdlib>

using namespace vellum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The raw input: almost always too small, which must fail cleanly.
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        D64Extractor::readDirectory(raw);
    } catch (const OpenCBMError&) {
    }

    const QByteArray image = fuzzing::imageFromInput(data, size);
    const DiskDirectory directory = D64Extractor::readDirectory(image);
    const QList<D64Extractor::File> files = D64Extractor::files(image);
    if (directory.entries.size() != files.size())
        std::abort();
    // A directory chain has at most 683 sectors of 8 entries.
    if (files.size() > 683 * 8)
        std::abort();
    for (const D64Extractor::File& file : files) {
        const D64Layout::ChainSize size =
            D64Layout::chainSize(image, file.startTrack, file.startSector);
        if (D64Layout::readChain(image, file.startTrack, file.startSector).size() != size.bytes)
            std::abort();
    }
    try {
        D64Extractor::parsedFiles(image, QStringLiteral("fuzz.d64"));
    } catch (const OpenCBMError&) {
    }
    for (qint64 index = -1; index <= files.size(); ++index) {
        try {
            D64Extractor::parsedFile(image, QStringLiteral("fuzz.d64"), index);
        } catch (const OpenCBMError&) {
        }
    }
    return 0;
}
