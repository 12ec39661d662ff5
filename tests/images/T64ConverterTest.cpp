#include "images/T64Converter.h"
#include "ImageFixtures.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "model/OpenCBMError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using vellum::testing::sequence;

namespace {

QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const OpenCBMError& error) {
        return error.errorDescription();
    } catch (const PlatformError& error) {
        return QStringLiteral("platform: ") + error.errorDescription();
    }
    return QStringLiteral("<no error>");
}

struct TapeEntry {
    quint8 type = 1;
    quint16 start = 0x0801;
    quint16 end = 0;
    QByteArray name;
    QByteArray data;
    std::optional<quint32> offset; // where the data sits; appended in order when absent
};

void putLittle(QByteArray& bytes, qint64 offset, quint32 value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

// A tape with `directorySlots` directory entries (maximum and used both set unless overridden).
QByteArray makeTape(const QList<TapeEntry>& entries, const QByteArray& tapeName = "TAPE NAME",
                    std::optional<int> directorySlots = std::nullopt,
                    const QByteArray& signature = "C64 tape image file") {
    const int count = directorySlots.value_or(int(entries.size()));
    QByteArray bytes(64 + 32 * count, '\0');
    bytes.replace(0, 32, signature.leftJustified(32, '\0', true));
    putLittle(bytes, 0x22, count, 2);
    putLittle(bytes, 0x24, quint32(entries.size()), 2);
    bytes.replace(0x28, 24, tapeName.leftJustified(24, ' ', true));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const TapeEntry& entry = entries[i];
        const qint64 base = 64 + 32 * i;
        const quint32 offset = entry.offset.value_or(quint32(bytes.size()));
        if (!entry.offset)
            bytes.append(entry.data);
        bytes[base] = char(entry.type);
        bytes[base + 1] = char(0x82);
        putLittle(bytes, base + 2, entry.start, 2);
        putLittle(bytes, base + 4, entry.end ? entry.end : quint16(entry.start + entry.data.size()),
                  2);
        putLittle(bytes, base + 8, offset, 4);
        bytes.replace(base + 16, 16, entry.name.leftJustified(16, ' ', true));
    }
    return bytes;
}

QByteArray makeP00(const QByteArray& name, const QByteArray& file) {
    QByteArray bytes("C64File");
    bytes.append('\0');
    bytes.append(name.leftJustified(16, '\0', true));
    bytes.append(2, '\0');
    bytes.append(file);
    return bytes;
}

QUrl writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QUrl url = QUrl::fromLocalFile(dir.filePath(name));
    writeFileAtomically(url, bytes);
    return url;
}

} // namespace

TEST(T64Reader, HeaderChecks) {
    EXPECT_EQ(messageOf([] { T64Converter::parseT64(QByteArray(63, 'C')); }),
              "This T64 file is too small to be valid.");
    QByteArray empty = makeTape({}, "X", 0);
    ASSERT_EQ(empty.size(), 64);
    EXPECT_EQ(messageOf([&] { T64Converter::parseT64(empty); }), "T64 directory is truncated.");
    EXPECT_EQ(messageOf([] { T64Converter::parseT64(makeTape({}, "X", 1, "C128 DISK")); }),
              "Not a T64 tape image.");
    EXPECT_EQ(messageOf([] {
                  T64Converter::parseT64(makeTape({}, "X", 1,
                                                  "\xC3"
                                                  "C64"));
              }),
              "Not a T64 tape image.");

    const TapeEntry one{1, 0x0801, 0, "ONE", "abc", {}};
    for (const QByteArray& signature :
         {QByteArray("c64s tape file   "), QByteArray("\0\0 Tape\0\0", 9),
          QByteArray("t64 image by c64 tools")}) {
        EXPECT_EQ(
            T64Converter::parseT64(makeTape({one}, "X", std::nullopt, signature)).files.size(), 1)
            << signature.toStdString();
    }

    // Thirty slots must all be present even when one is used.
    QByteArray thirty = makeTape({one}, "X", 30);
    EXPECT_EQ(T64Converter::parseT64(thirty).files.size(), 1);
    QByteArray shortDirectory = thirty.left(64 + 32 * 29);
    EXPECT_EQ(messageOf([&] { T64Converter::parseT64(shortDirectory); }),
              "T64 directory is truncated.");
    // The used count alone may also demand more directory than there is.
    QByteArray moreUsed = makeTape({one}, "X", 1);
    putLittle(moreUsed, 0x24, 200, 2);
    EXPECT_EQ(messageOf([&] { T64Converter::parseT64(moreUsed); }), "T64 directory is truncated.");
}

TEST(T64Reader, EntriesSizesAndNames) {
    QList<TapeEntry> entries;
    entries.append({1, 0x0801, 0, "", sequence(100, 1), {}});   // FILE 1
    entries.append({0, 0x0801, 0, "FREE", sequence(5, 2), {}}); // free slot
    entries.append({1, 0xC000, 0, "NAMED", sequence(50, 3), {}});
    entries.append({1, 0x1000, 0, "", sequence(10, 4), {}});         // FILE 2
    entries.append({1, 0x2000, 0, "BEYOND", {}, quint32(1u << 30)}); // offset past end
    QByteArray tape = makeTape(entries, "  MY TAPE   ");
    const T64Converter::Tape parsed = T64Converter::parseT64(tape);
    EXPECT_EQ(parsed.name, "MY TAPE");
    ASSERT_EQ(parsed.files.size(), 3);
    EXPECT_EQ(parsed.files[0], (ParsedFile{"FILE 1", 0x0801, sequence(100, 1)}));
    EXPECT_EQ(parsed.files[1], (ParsedFile{"NAMED", 0xC000, sequence(50, 3)}));
    EXPECT_EQ(parsed.files[2], (ParsedFile{"FILE 3", 0x1000, sequence(10, 4)}));

    // An end address far beyond the data yields only what the file holds; an end equal to
    // the start takes everything to the end of the file.
    QByteArray last = makeTape({{1, 0x0801, 0xFFFF, "LONG", sequence(20), {}}});
    EXPECT_EQ(T64Converter::parseT64(last).files[0].payload, sequence(20));
    QByteArray same = makeTape({{1, 0x0801, 0x0801, "SAME", sequence(20), {}},
                                {1, 0x0801, 0, "NEXT", sequence(7, 9), {}}});
    EXPECT_EQ(T64Converter::parseT64(same).files[0].payload, sequence(20) + sequence(7, 9));

    const DiskDirectory directory = T64Converter::readDirectory(tape);
    EXPECT_EQ(directory.diskName, "MY TAPE");
    EXPECT_EQ(directory.diskID, "");
    EXPECT_EQ(directory.blocksFree, std::nullopt);
    ASSERT_EQ(directory.entries.size(), 3);
    EXPECT_EQ(directory.entries[0].blocks, 1); // 102 bytes
    EXPECT_EQ(directory.entries[0].typeToken, "PRG");
    EXPECT_EQ(directory.entries[0].byteSize, std::nullopt);
    QByteArray twoBlocks = makeTape({{1, 0x0801, 0, "B", sequence(253), {}}});
    EXPECT_EQ(T64Converter::readDirectory(twoBlocks).entries[0].blocks, 2); // 255 bytes

    QByteArray noFiles = makeTape({{0, 0x0801, 0, "GONE", sequence(3), {}}});
    EXPECT_TRUE(T64Converter::readDirectory(noFiles).entries.isEmpty());
    EXPECT_EQ(messageOf([&] { T64Converter::parsedFiles(noFiles, "gone.t64"); }),
              "No files found in gone.t64.");
}

TEST(T64Converter, ConvertToD64) {
    QTemporaryDir dir;
    QList<TapeEntry> entries;
    for (int i = 0; i < 3; ++i)
        entries.append({1, quint16(0x0801 + i), 0, "PROG", sequence(300 * (i + 1), i), {}});
    const QUrl tape = writeFile(dir, "My Collection.t64", makeTape(entries, "   "));
    const QUrl image = QUrl::fromLocalFile(dir.filePath("out.d64"));
    writeFile(dir, "out.d64", "old contents");
    T64Converter::convert(tape, image);

    const DiskDirectory directory = D64Extractor::readDirectory(image);
    EXPECT_EQ(directory.diskName, "MY COLLECTION");
    EXPECT_EQ(directory.diskID, "00");
    QStringList names;
    for (const auto& entry : directory.entries)
        names << entry.name;
    EXPECT_EQ(names, QStringList({"PROG", "PROG-2", "PROG-3"}));
    const auto files = D64Extractor::parsedFiles(image);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(files[i].startAddress, 0x0801 + i);
        EXPECT_EQ(files[i].payload, sequence(300 * (i + 1), i));
    }

    // A tape that does not fit writes nothing.
    QList<TapeEntry> tooMany;
    for (int i = 0; i < 145; ++i)
        tooMany.append({1, 0x0801, 0, "X", sequence(1), {}});
    const QUrl crowded = writeFile(dir, "crowded.t64", makeTape(tooMany));
    const QUrl target = QUrl::fromLocalFile(dir.filePath("crowded.d64"));
    EXPECT_EQ(messageOf([&] { T64Converter::convert(crowded, target); }), "Directory is full.");
    EXPECT_FALSE(QFile::exists(target.toLocalFile()));

    const QUrl empty = writeFile(dir, "empty.t64", makeTape({{0, 1, 0, "", "", {}}}));
    EXPECT_EQ(messageOf([&] { T64Converter::convert(empty, target); }),
              "No files found in empty.t64.");
    EXPECT_TRUE(messageOf([&] {
                    T64Converter::convert(QUrl::fromLocalFile(dir.filePath("missing.t64")), target);
                }).startsWith("platform: "));
}

TEST(T64Converter, P00AndDroppedFiles) {
    const AddableFile p00 = T64Converter::parseP00(makeP00("HELLO", sequence(40)));
    EXPECT_EQ(p00, (AddableFile{"HELLO", CBMFileType::prg, sequence(40)}));
    EXPECT_EQ(T64Converter::parseP00(makeP00("", {})), (AddableFile{"FILE", CBMFileType::prg, {}}));
    EXPECT_EQ(messageOf([] { T64Converter::parseP00(makeP00("X", {}).left(25)); }),
              "This P00 file is too small to be valid.");
    QByteArray lower = makeP00("X", "ab");
    lower.replace(0, 7, "c64file");
    EXPECT_EQ(messageOf([&] { T64Converter::parseP00(lower); }), "Not a P00 file.");

    QTemporaryDir dir;
    writeFile(dir, "Hello World.P00", makeP00("HELLO", sequence(40)));
    writeFile(dir, "notes.seq", sequence(20));
    writeFile(dir, "data.rel", sequence(20));
    writeFile(dir, "disk.d64", sequence(20));
    writeFile(dir, "Readme.txt", sequence(20));
    writeFile(
        dir, "tape.T64",
        makeTape({{1, 0x0801, 0, "A", sequence(5), {}}, {1, 0x1234, 0, "B", sequence(6), {}}}));
    auto load = [&](const QString& name) {
        return T64Converter::loadFiles(QUrl::fromLocalFile(dir.filePath(name)));
    };
    EXPECT_EQ(load("Hello World.P00"),
              QList<AddableFile>({{"HELLO", CBMFileType::prg, sequence(40)}}));
    EXPECT_EQ(load("notes.seq"), QList<AddableFile>({{"notes", CBMFileType::seq, sequence(20)}}));
    EXPECT_EQ(load("Readme.txt"),
              QList<AddableFile>({{"readme-txt", CBMFileType::prg, sequence(20)}}));
    EXPECT_TRUE(load("data.rel").isEmpty());
    EXPECT_TRUE(load("disk.d64").isEmpty());
    const QList<AddableFile> fromTape = load("tape.T64");
    ASSERT_EQ(fromTape.size(), 2);
    EXPECT_EQ(fromTape[1],
              (AddableFile{"B", CBMFileType::prg, QByteArray("\x34\x12") + sequence(6)}));
}

TEST(ImageFiles, ReadAndAtomicWrite) {
    QTemporaryDir dir;
    const QUrl url = QUrl::fromLocalFile(dir.filePath("image.d64"));
    writeFileAtomically(url, "first");
    writeFileAtomically(url, "second");
    EXPECT_EQ(readWholeFile(url), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"image.d64"}));

    EXPECT_THROW(readWholeFile(QUrl::fromLocalFile(dir.filePath("missing"))), PlatformError);
    EXPECT_THROW(readWholeFile(QUrl::fromLocalFile(dir.path())), PlatformError);
    EXPECT_THROW(writeFileAtomically(QUrl::fromLocalFile(dir.filePath("no/such/dir/x.d64")), "x"),
                 PlatformError);
}
