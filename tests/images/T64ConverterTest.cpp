#include "images/T64Converter.h"
#include "ImageFixtures.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

TEST(T64Reader, HeaderChecks) {
    const TapeEntry one{"ONE", "abc"};
    auto parse = [](const QByteArray& bytes) {
        return messageOf([&] { T64Converter::parseT64(bytes); });
    };
    EXPECT_EQ(parse(QByteArray(63, 'C')), "This T64 file is too small to be valid.");
    EXPECT_EQ(parse(makeTape({}, "X", 0)), "T64 directory is truncated.");
    EXPECT_EQ(parse(makeTape({one}, "X", 1, "C128 DISK")), "Not a T64 tape image.");
    EXPECT_EQ(parse(makeTape({one}, "X", 1,
                             "\xC3"
                             "C64")),
              "Not a T64 tape image.");
    for (const QByteArray& signature :
         {QByteArray("c64s tape file"), QByteArray("\0\0 Tape\0", 8)}) {
        EXPECT_EQ(T64Converter::parseT64(makeTape({one}, "X", 1, signature)).files.size(), 1);
    }

    // Thirty slots must all be present even when one is used, and so must the used count.
    const QByteArray thirty = makeTape({one}, "X", 30);
    EXPECT_EQ(T64Converter::parseT64(thirty).files.size(), 1);
    EXPECT_EQ(parse(thirty.left(64 + 32 * 29)), "T64 directory is truncated.");
    QByteArray moreUsed = makeTape({one}, "X", 1);
    moreUsed[0x24] = char(200);
    EXPECT_EQ(parse(moreUsed), "T64 directory is truncated.");

    // Entries that all run from one offset to the end take the file's bytes again and again:
    // 70 of a megabyte each would ask for far more memory than any tape needs.
    QList<TapeEntry> overlapping(70, TapeEntry{"ALL", {}, 0x0801, 0x0801, 1, 64 + 32 * 70});
    overlapping[0].offset.reset();
    overlapping[0].data = QByteArray(1 << 20, 'x');
    EXPECT_EQ(parse(makeTape(overlapping)),
              "T64 directory is damaged: its entries add up to more than 64 MB.");
    overlapping.resize(60);
    overlapping[0].offset = 64 + 32 * 60;
    EXPECT_EQ(T64Converter::parseT64(makeTape(overlapping) + QByteArray(1 << 20, 'x')).files.size(),
              60);
}

TEST(T64Reader, EntriesSizesAndNames) {
    const QByteArray tape = makeTape({{"", sequence(100, 1)},
                                      {"FREE", sequence(5, 2), 0x0801, 0, 0},
                                      {"NAMED", sequence(50, 3), 0xC000},
                                      {"", sequence(10, 4), 0x1000},
                                      {"BEYOND", {}, 0x2000, 0, 1, 1u << 30}},
                                     "  MY TAPE   ");
    const T64Converter::Tape parsed = T64Converter::parseT64(tape);
    EXPECT_EQ(parsed.name, "MY TAPE");
    EXPECT_EQ(parsed.files, QList<ParsedFile>({{"FILE 1", 0x0801, sequence(100, 1)},
                                               {"NAMED", 0xC000, sequence(50, 3)},
                                               {"FILE 3", 0x1000, sequence(10, 4)}}));
    // An end far beyond the data stops at the end of the file; an end equal to the start
    // takes everything from the offset on.
    EXPECT_EQ(
        T64Converter::parseT64(makeTape({{"LONG", sequence(20), 0x0801, 0xFFFF}})).files[0].payload,
        sequence(20));
    const QByteArray same =
        makeTape({{"SAME", sequence(20), 0x0801, 0x0801}, {"NEXT", sequence(7, 9)}});
    EXPECT_EQ(T64Converter::parseT64(same).files[0].payload, sequence(20) + sequence(7, 9));

    const DiskDirectory directory = T64Converter::readDirectory(tape);
    EXPECT_EQ(directory.diskName, "MY TAPE");
    EXPECT_EQ(directory.blocksFree, std::nullopt);
    EXPECT_EQ(directory.entries.value(0).typeToken, "PRG");
    EXPECT_EQ(directory.entries.value(0).blocks, 1);
    EXPECT_EQ(T64Converter::readDirectory(makeTape({{"B", sequence(253)}})).entries[0].blocks, 2);

    const QByteArray noFiles = makeTape({{"GONE", "abc", 0x0801, 0, 0}});
    EXPECT_TRUE(T64Converter::readDirectory(noFiles).entries.isEmpty());
    EXPECT_EQ(messageOf([&] { T64Converter::parsedFiles(noFiles, "gone.t64"); }),
              "No files found in gone.t64.");
}

TEST(T64Converter, ConvertWritesWholeImagesOnly) {
    ImageFolder folder;
    const auto url = [&](const QString& name) { return folder.url(name); };
    QList<TapeEntry> entries;
    for (int i = 0; i < 3; ++i) {
        entries.append({"PROG", sequence(300 * (i + 1), i), quint16(0x0801 + i)});
    }
    writeFileAtomically(url("My Collection.t64"), makeTape(entries, "   "));
    writeFileAtomically(url("out.d64"), "old contents");
    T64Converter::convert(url("My Collection.t64"), url("out.d64"));
    const DiskDirectory directory = D64Extractor::readDirectory(url("out.d64"));
    EXPECT_EQ(directory.diskName + " " + directory.diskID, "MY COLLECTION 00");
    const auto files = D64Extractor::parsedFiles(url("out.d64"));
    ASSERT_EQ(files.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(files[i], (ParsedFile{i ? QStringLiteral("PROG-%1").arg(i + 1) : "PROG",
                                        quint16(0x0801 + i), sequence(300 * (i + 1), i)}));
    }

    QList<TapeEntry> tooMany(145, TapeEntry{"X", "y"});
    writeFileAtomically(url("crowded.t64"), makeTape(tooMany));
    EXPECT_EQ(messageOf([&] { T64Converter::convert(url("crowded.t64"), url("c.d64")); }),
              "Directory is full.");
    EXPECT_FALSE(QFile::exists(folder.dir.filePath("c.d64")));
    EXPECT_TRUE(messageOf([&] {
                    T64Converter::convert(url("missing.t64"), url("c.d64"));
                }).startsWith("platform: "));
    EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files).size(), 3); // no temporary files left
}

TEST(T64Converter, P00AndDroppedFiles) {
    EXPECT_EQ(T64Converter::parseP00(p00("", {})), (AddableFile{"FILE", CBMFileType::prg, {}}));
    EXPECT_EQ(messageOf([&] { T64Converter::parseP00(p00("X", {}).left(25)); }),
              "This P00 file is too small to be valid.");
    EXPECT_EQ(messageOf([&] { T64Converter::parseP00("c64file" + p00("X", "ab").mid(7)); }),
              "Not a P00 file.");

    ImageFolder folder;
    const QList<std::pair<QString, QByteArray>> files = {
        {"Hello World.P00", p00("HELLO", sequence(40))},
        {"notes.seq", sequence(20)},
        {"data.rel", sequence(20)},
        {"disk.d64", sequence(20)},
        {"Readme.txt", sequence(20)},
        {"tape.T64", makeTape({{"A", sequence(5)}, {"B", sequence(6), 0x1234}})}};
    for (const auto& [name, bytes] : files) {
        folder.write(name, bytes);
    }
    auto load = [&](const QString& name) { return T64Converter::loadFiles(folder.url(name)); };
    EXPECT_EQ(load("Hello World.P00"),
              QList<AddableFile>({{"HELLO", CBMFileType::prg, sequence(40)}}));
    EXPECT_EQ(load("notes.seq"), QList<AddableFile>({{"notes", CBMFileType::seq, sequence(20)}}));
    EXPECT_EQ(load("Readme.txt"),
              QList<AddableFile>({{"readme-txt", CBMFileType::prg, sequence(20)}}));
    EXPECT_TRUE(load("data.rel").isEmpty());
    EXPECT_TRUE(load("disk.d64").isEmpty());
    EXPECT_EQ(load("tape.T64").value(1),
              (AddableFile{"B", CBMFileType::prg, "\x34\x12" + sequence(6)}));
    EXPECT_THROW(readWholeFile(QUrl::fromLocalFile(folder.dir.path())), PlatformError);
    EXPECT_THROW(writeFileAtomically(folder.url("no/dir/x.d64"), "x"), PlatformError);
}
