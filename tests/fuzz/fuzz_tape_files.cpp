#include "FuzzInput.h"
#include "images/D64Extractor.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"

using namespace vellum;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const T64Converter::Tape tape = T64Converter::parseT64(bytes);
        const DiskDirectory directory = T64Converter::readDirectory(bytes);
        require(directory.entries.size() == tape.files.size());
        qint64 total = 0;
        for (const ParsedFile& file : tape.files) {
            total += file.payload.size();
        }
        require(total <= qint64(size) * qint64(tape.files.size()));
        const QByteArray image = T64Converter::convertToImage(bytes, QStringLiteral("fuzz.t64"));
        // Every tape file lands on the disk unchanged.
        const QList<ParsedFile> onDisk =
            D64Extractor::parsedFiles(image, QStringLiteral("fuzz.d64"));
        require(onDisk.size() == tape.files.size());
        for (qsizetype i = 0; i < onDisk.size(); ++i) {
            require(onDisk[i].payload == tape.files[i].payload &&
                    onDisk[i].startAddress == tape.files[i].startAddress);
        }
    } catch (const OpenCBMError&) {
    }
    try {
        T64Converter::parseP00(bytes);
    } catch (const OpenCBMError&) {
    }
    return 0;
}
