#include "images/D64Extractor.h"
#include "ImageFixtures.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

TEST(D64Reader, NameCoding) {
    EXPECT_EQ(D64Layout::sector(QByteArray(1000, 'z'), 18, 0), QByteArray(256, '\0'));
    EXPECT_EQ(D64Layout::decodeName(QByteArray("HELLO\xA0\xA0\xA0"), 0, 8), "HELLO");
    EXPECT_EQ(D64Layout::decodeName(QByteArray("  AB \0CD", 8), 0, 8), "AB");
    EXPECT_EQ(D64Layout::decodeName(QByteArray("AB\xC1"
                                               "CD"),
                                    0, 5),
              "");
    EXPECT_EQ(D64Layout::decodeName(QByteArray("AB\xA0\xC1"), 0, 4), "AB");
    EXPECT_EQ(D64Layout::encodeName("a\u00e4b"), QByteArray("A\xA0"
                                                            "B")
                                                     .leftJustified(16, char(0xA0)));
    EXPECT_EQ(D64Layout::encodeName("abcdefghijklmnopqrstuvwxyz"), QByteArray("ABCDEFGHIJKLMNOP"));
}

TEST(D64Reader, SizesFreeBlocksAndBiggerImages) {
    RawImage image;
    QByteArray bam("\x12\x01\x41", 3);
    bam = bam.leftJustified(256, '\0');
    for (int t = 1; t <= 35; ++t) {
        bam[4 * t] = char(t == 18 ? 17 : D64Layout::sectorsPerTrack(t));
    }
    bam.replace(0x90, 18, QByteArray("DISK").leftJustified(18, char(0xA0)));
    bam.replace(0xA2, 2, "AB");
    image.put(18, 0, bam);
    image.putEntry(1, 0, 0x82, "GAME", 1, 0, 1);
    image.putLastSector(1, 0, 0x10);
    image.putEntry(1, 1, 0x82, "FAR", 2, 0);
    image.put(2, 0, QByteArray("\x23\x11", 2)); // track 35 has no sector 17: the chain ends

    const DiskDirectory directory = D64Extractor::readDirectory(image.bytes);
    EXPECT_EQ(directory.diskName, "DISK");
    EXPECT_EQ(directory.diskID, "AB");
    EXPECT_EQ(directory.blocksFree, 664); // track 18 left out, as the drive counts
    ASSERT_EQ(directory.entries.size(), 2);
    EXPECT_EQ(directory.entries[0].byteSize, 15);
    EXPECT_EQ(directory.entries[1].byteSize, 254);

    // Error bytes after the sectors, and a 40-track image, list the same.
    for (const QByteArray& bigger :
         {image.bytes + QByteArray(683, '\x01'), image.bytes + QByteArray(85 * 256, 'U')}) {
        DiskDirectory other = D64Extractor::readDirectory(bigger);
        other.entries[0].id = directory.entries[0].id;
        other.entries[1].id = directory.entries[1].id;
        EXPECT_EQ(other, directory);
    }
    const QString tooSmall = "This D64 image is too small to be valid.";
    EXPECT_EQ(messageOf([&] { D64Extractor::readDirectory(image.bytes.left(174847)); }), tooSmall);
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFiles(QByteArray(), "x.d64"); }), tooSmall);
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFile(QByteArray(), "x.d64", 0); }), tooSmall);
}

TEST(D64Reader, TypeBytesAndTokens) {
    RawImage image;
    const quint8 types[] = {0x82, 0x02, 0xC2, 0x42, 0x85, 0x80, 0x00, 0x81};
    for (int slot = 0; slot < 8; ++slot) {
        image.putEntry(1, slot, types[slot], QByteArray("F") + char('0' + slot), 1, 0);
    }
    QStringList listed;
    for (const auto& file : D64Extractor::files(image.bytes)) {
        listed << file.name + " " + file.typeToken + " " + rawValue(file.type);
    }
    EXPECT_EQ(listed, QStringList({"F0 PRG PRG", "F1 *PRG PRG", "F2 PRG< PRG", "F3 *PRG< PRG",
                                   "F4 ??? other", "F7 SEQ SEQ"}));
    const DirectoryEntry locked = D64Extractor::readDirectory(image.bytes).entries[3];
    EXPECT_FALSE(locked.isSplat || locked.isLocked); // the marks travel in the token
}

TEST(D64Reader, NamesSizesAndExtraction) {
    RawImage image;
    image.putEntry(1, 0, 0x82, "ABCDE", 1, 0); // stored blocks 0: counted
    image.putEntry(1, 1, 0x82,
                   "A\xC1"
                   "B",
                   1, 1, 7);              // undecodable name
    image.putEntry(1, 2, 0x82, "", 1, 2); // empty name
    image.putEntry(1, 3, 0x81, "TWO", 2, 0);
    image.putEntry(1, 4, 0x82, "NOCHAIN", 0, 0);
    image.putLastSector(1, 0, 0x10);
    image.putLastSector(1, 1, 0x00);
    image.putLastSector(1, 2, 0x01);
    image.putLastSector(2, 5, 0xFF);
    image.setLink(2, 0, 2, 5);

    QStringList listed;
    for (const auto& file : D64Extractor::files(image.bytes)) {
        listed << QStringLiteral("%1 %2 %3").arg(file.name).arg(file.blocks).arg(file.byteSize);
    }
    EXPECT_EQ(listed,
              QStringList({"ABCDE 1 15", "FILE 7 1", "FILE 1 1", "TWO 2 508", "NOCHAIN 0 0"}));
    EXPECT_EQ(D64Extractor::readDirectory(image.bytes).entries[4].byteSize, std::nullopt);

    // Only files with a load address are taken.
    const QList<ParsedFile> parsed = D64Extractor::parsedFiles(image.bytes, "disk.d64");
    ASSERT_EQ(parsed.size(), 2);
    EXPECT_EQ(parsed[0], (ParsedFile{"ABCDE", 0x7878, QByteArray(13, 'x')}));
    EXPECT_EQ(parsed[1].payload.size(), 506);
    EXPECT_EQ(D64Extractor::parsedFile(image.bytes, "disk.d64", 3), parsed[1]);
    for (qint64 index : {-1, 5}) {
        EXPECT_EQ(messageOf([&] { D64Extractor::parsedFile(image.bytes, "disk.d64", index); }),
                  "That file is not in disk.d64.");
    }

    RawImage tiny;
    tiny.putEntry(1, 0, 0x82, "ONE", 1, 0);
    tiny.putLastSector(1, 0, 0x02); // exactly one byte
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFiles(tiny.bytes, "tiny.d64"); }),
              "No files found in tiny.d64.");
}

TEST(D64Reader, DamagedDirectoriesEndCleanly) {
    // File chains that loop or leave the disk are in DamagedFilesSayWhatIsMissing.
    RawImage image;
    image.putEntry(1, 0, 0x82, "FIRST", 3, 0);
    image.setLink(18, 1, 18, 4);
    image.putEntry(4, 0, 0x82, "SECOND", 3, 0);
    image.setLink(18, 4, 18, 1); // the directory loops back
    image.putLastSector(3, 0, 0x10);
    EXPECT_EQ(D64Extractor::files(image.bytes).size(), 2);
    image.setLink(18, 1, 40, 0); // the directory leaves the disk
    EXPECT_EQ(D64Extractor::files(image.bytes).size(), 1);
    // A sector past the end of the data reads as zeros: one byte, then the end.
    EXPECT_EQ(D64Layout::chainSize(image.bytes.left(1000), 3, 0),
              (D64Layout::ChainSize{1, 1, std::nullopt}));
    EXPECT_TRUE(D64Layout::readChain(image.bytes, 36, 0).isEmpty());
}

TEST(D64Reader, DamagedFilesSayWhatIsMissing) {
    RawImage image;
    image.put(3, 0, QByteArray("\x03\x01", 2) + QByteArray(254, 'a'));
    image.put(3, 1, QByteArray("\x03\x00", 2) + QByteArray(254, 'b')); // back to 3/0
    image.put(4, 0, QByteArray("\x24\x00", 2) + QByteArray(254, 'c')); // track 36
    image.put(5, 0, QByteArray("\xFF\x07", 2) + QByteArray(254, 'd')); // track 255
    image.put(6, 0, QByteArray("\x06\x15", 2) + QByteArray(254, 'e')); // track 6 has 21
    image.putLastSector(7, 0, 0x02, 'f');                              // one byte
    image.putLastSector(8, 0, 0x04, 'g');
    struct Case {
        QByteArray name;
        quint8 track, sector;
        qint64 byteSize;
        QString problem;
    };
    const QList<Case> cases = {
        {"LOOP", 3, 0, 508,
         "“LOOP” was cut short after 508 bytes: its chain comes back to track 3 sector 0."},
        {"FAR", 4, 0, 254,
         "“FAR” was cut short after 254 bytes: its chain links to track 36 sector 0, which is "
         "not on the disk."},
        {"FARTHER", 5, 0, 254,
         "“FARTHER” was cut short after 254 bytes: its chain links to track 255 sector 7, which "
         "is not on the disk."},
        {"NO SECTOR", 6, 0, 254,
         "“NO SECTOR” was cut short after 254 bytes: its chain links to track 6 sector 21, which "
         "is not on the disk."},
        {"NOWHERE", 0, 0, 0,
         "“NOWHERE” was left out: its first block, track 0 sector 0, is not on the disk."},
        {"OUTSIDE", 36, 1, 0,
         "“OUTSIDE” was left out: its first block, track 36 sector 1, is not on the disk."},
        {"TINY", 7, 0, 1, "“TINY” was left out: it holds 1 byte, too few for a load address."},
        {"SOUND", 8, 0, 3, ""},
    };
    for (qsizetype i = 0; i < cases.size(); ++i) {
        image.putEntry(1 + (i / 8) * 3, int(i % 8), 0x82, cases[i].name, cases[i].track,
                       cases[i].sector);
    }
    const auto files = D64Extractor::files(image.bytes);
    ASSERT_EQ(files.size(), cases.size());
    for (qsizetype i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name.toStdString());
        EXPECT_EQ(files[i].byteSize, cases[i].byteSize);
        EXPECT_EQ(D64Extractor::readProblem(files[i]).value_or(""), cases[i].problem);
        // A file that cannot be read at all says why when it is asked for alone.
        const QString alone = messageOf([&] { D64Extractor::parsedFile(image.bytes, "d.d64", i); });
        EXPECT_EQ(alone, cases[i].byteSize < 2 ? cases[i].problem : "<no error>");
    }
}
