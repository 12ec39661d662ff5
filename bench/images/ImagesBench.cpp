#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/T64Converter.h"

#include <benchmark/benchmark.h>

using namespace vellum;

namespace {

QByteArray smallFile(int i) {
    QByteArray bytes(2 + 100 + i % 50, char(i));
    bytes[0] = 0x01;
    bytes[1] = 0x08;
    return bytes;
}

// 144 files fill all 18 directory sectors; sizes vary so chains differ.
const QByteArray& fullImage() {
    static const QByteArray image = [] {
        D64Builder builder = D64Builder::create("BENCH", "BE");
        for (int i = 0; i < 144; ++i) {
            builder.addFile(QStringLiteral("FILE %1").arg(i), CBMFileType::prg,
                            QByteArray(2 + (i % 4) * 254, char(i)));
        }
        return builder.data();
    }();
    return image;
}

// 296 files fill all 37 directory sectors of a D81.
const QByteArray& fullD81() {
    static const QByteArray image = [] {
        D64Builder builder = D64Builder::create("BENCH", "BE", DiskImageFormat::d81);
        for (int i = 0; i < 296; ++i) {
            builder.addFile(QStringLiteral("FILE %1").arg(i), CBMFileType::prg,
                            QByteArray(2 + (i % 4) * 254, char(i)));
        }
        return builder.data();
    }();
    return image;
}

QByteArray tape(int files, int fileSize) {
    QByteArray bytes = QByteArray("C64S tape image file").leftJustified(32, '\0');
    bytes += QByteArray(8, '\0') + QByteArray("BENCH TAPE").leftJustified(24, ' ');
    bytes[0x22] = char(files);
    bytes[0x24] = char(files);
    bytes += QByteArray(32 * files, '\0');
    for (int i = 0; i < files; ++i) {
        const int entry = 64 + 32 * i;
        const quint32 offset = quint32(bytes.size());
        const quint16 start = 0x0801;
        const quint16 end = quint16(start + fileSize);
        bytes[entry] = 1;
        bytes[entry + 2] = char(start & 0xFF);
        bytes[entry + 3] = char(start >> 8);
        bytes[entry + 4] = char(end & 0xFF);
        bytes[entry + 5] = char(end >> 8);
        for (int b = 0; b < 4; ++b) {
            bytes[entry + 8 + b] = char((offset >> (8 * b)) & 0xFF);
        }
        bytes.replace(
            entry + 16, 16,
            QByteArray("TAPE FILE ").append(QByteArray::number(i)).leftJustified(16, ' '));
        bytes += QByteArray(fileSize, char(i));
    }
    return bytes;
}

void listFullImage(benchmark::State& state) {
    const QByteArray& image = fullImage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(D64Extractor::readDirectory(image));
    }
}
BENCHMARK(listFullImage);

void listFullD81(benchmark::State& state) {
    const QByteArray& image = fullD81();
    for (auto _ : state) {
        benchmark::DoNotOptimize(D64Extractor::readDirectory(image));
    }
}
BENCHMARK(listFullD81);

void extractAllFiles(benchmark::State& state) {
    const QByteArray& image = fullImage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(D64Extractor::parsedFiles(image, QStringLiteral("bench.d64")));
    }
}
BENCHMARK(extractAllFiles);

void add144SmallFiles(benchmark::State& state) {
    QList<QByteArray> files;
    for (int i = 0; i < 144; ++i) {
        files.append(smallFile(i));
    }
    for (auto _ : state) {
        D64Builder builder = D64Builder::create("BENCH");
        for (int i = 0; i < 144; ++i) {
            builder.addFile(QStringLiteral("SMALL %1").arg(i), CBMFileType::prg, files[i]);
        }
        benchmark::DoNotOptimize(builder.data());
    }
}
BENCHMARK(add144SmallFiles)->Unit(benchmark::kMillisecond);

void add144SmallFilesToD81(benchmark::State& state) {
    QList<QByteArray> files;
    for (int i = 0; i < 144; ++i) {
        files.append(smallFile(i));
    }
    for (auto _ : state) {
        D64Builder builder = D64Builder::create("BENCH", std::nullopt, DiskImageFormat::d81);
        for (int i = 0; i < 144; ++i) {
            builder.addFile(QStringLiteral("SMALL %1").arg(i), CBMFileType::prg, files[i]);
        }
        benchmark::DoNotOptimize(builder.data());
    }
}
BENCHMARK(add144SmallFilesToD81)->Unit(benchmark::kMillisecond);

void convert30FileTape(benchmark::State& state) {
    const QByteArray bytes = tape(30, 4000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(T64Converter::convertToImage(bytes, QStringLiteral("bench.t64")));
    }
}
BENCHMARK(convert30FileTape)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
