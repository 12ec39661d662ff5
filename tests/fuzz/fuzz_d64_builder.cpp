#include "FuzzInput.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <cstdlib>

using namespace vellum;

// The last bytes of the input are a short script of edits on the damaged image.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t scriptLength = std::min<size_t>(size, 8);
    const uint8_t* script = data + size - scriptLength;
    const QByteArray image = fuzzing::imageFromInput(data, size - scriptLength);
    const QByteArray tail = image.right(fuzzing::errorBytes);

    D64Builder builder = D64Builder::open(image);
    for (size_t i = 0; i < scriptLength; ++i) {
        const uint8_t op = script[i];
        try {
            if (op < 0x80) {
                const QByteArray contents(qsizetype(op) * 37, char(op));
                const QByteArray before = builder.data();
                const qint64 freeBefore = builder.freeBlockCount();
                try {
                    builder.addFile(QStringLiteral("ADD %1").arg(op), CBMFileType::prg, contents);
                } catch (const OpenCBMError&) {
                    // A failed add leaves everything as it was.
                    if (builder.data() != before || builder.freeBlockCount() != freeBefore)
                        std::abort();
                    throw;
                }
            } else if (op < 0xF0) {
                builder.deleteFile(op & 0x3F);
            } else if (op < 0xF8) {
                builder.writeBAM();
            } else {
                builder.rebuildBAM();
            }
        } catch (const OpenCBMError&) {
        }
        if (builder.data().size() != image.size() ||
            builder.data().right(fuzzing::errorBytes) != tail)
            std::abort();
    }
    builder.writeBAM();
    // What the builder leaves must open and list again.
    D64Builder::open(builder.data());
    D64Extractor::readDirectory(builder.data());
    return 0;
}
