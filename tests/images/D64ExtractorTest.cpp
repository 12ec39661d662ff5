#include "images/D64Extractor.h"
#include "ImageFixtures.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <gtest/gtest.h>

using namespace vellum;
using vellum::testing::RawImage;

namespace {

QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const OpenCBMError& error) {
        return error.errorDescription();
    }
    return QStringLiteral("<no error>");
}

// Free counts of a freshly formatted disk, with 18/0 and 18/1 in use.
void putFreshBAM(RawImage& image, const QByteArray& name, const QByteArray& id) {
    QByteArray bam(256, '\0');
    bam[0] = 18;
    bam[1] = 1;
    bam[2] = 0x41;
    for (int t = 1; t <= 35; ++t)
        bam[4 * t] = char(t == 18 ? 17 : D64Layout::sectorsPerTrack(t));
    bam.replace(0x90, 16, name.leftJustified(16, char(0xA0)));
    bam.replace(0xA2, 2, id);
    image.put(18, 0, bam);
}

} // namespace

TEST(D64Layout, ZonesAndOffsets) {
    EXPECT_EQ(D64Layout::sectorsPerTrack(0), 0);
    EXPECT_EQ(D64Layout::sectorsPerTrack(17), 21);
    EXPECT_EQ(D64Layout::sectorsPerTrack(18), 19);
    EXPECT_EQ(D64Layout::sectorsPerTrack(24), 19);
    EXPECT_EQ(D64Layout::sectorsPerTrack(25), 18);
    EXPECT_EQ(D64Layout::sectorsPerTrack(30), 18);
    EXPECT_EQ(D64Layout::sectorsPerTrack(31), 17);
    EXPECT_EQ(D64Layout::sectorsPerTrack(35), 17);
    EXPECT_EQ(D64Layout::sectorsPerTrack(36), 0);
    EXPECT_EQ(D64Layout::sectorOffset(1, 0), 0);
    EXPECT_EQ(D64Layout::sectorOffset(18, 0), 0x16500);
    EXPECT_EQ(D64Layout::sectorOffset(35, 16), 174848 - 256);
    // An out-of-range sector number lands in the following track.
    EXPECT_EQ(D64Layout::sectorOffset(1, 21), D64Layout::sectorOffset(2, 0));

    const QByteArray tiny(1000, 'z');
    EXPECT_EQ(D64Layout::sector(tiny, 18, 0), QByteArray(256, '\0'));
}

TEST(D64Layout, NameDecodingAndEncoding) {
    QByteArray name = QByteArray("HELLO").leftJustified(16, char(0xA0));
    EXPECT_EQ(D64Layout::decodeName(name, 0, 16), "HELLO");
    EXPECT_EQ(D64Layout::decodeName(QByteArray("  AB \0CD", 8), 0, 8), "AB");
    EXPECT_EQ(D64Layout::decodeName(QByteArray("AB\xC1"
                                               "CD"),
                                    0, 5),
              "");
    // A high byte after the padding does not matter.
    EXPECT_EQ(D64Layout::decodeName(QByteArray("AB\xA0\xC1"), 0, 4), "AB");
    EXPECT_EQ(D64Layout::decodeName(QByteArray("ABCDEF"), 2, 2), "CD");

    EXPECT_EQ(D64Layout::encodeName("game"), QByteArray("GAME").leftJustified(16, char(0xA0)));
    EXPECT_EQ(D64Layout::encodeName("a\u00e4b"), QByteArray("A\xA0"
                                                            "B")
                                                     .leftJustified(16, char(0xA0)));
    EXPECT_EQ(D64Layout::encodeName("abcdefghijklmnopqrstuvwxyz"), QByteArray("ABCDEFGHIJKLMNOP"));
}

TEST(D64Reader, ImageSizesAndFreeBlocks) {
    RawImage image;
    putFreshBAM(image, "DISK", "AB");
    image.putEntry(18, 1, 0, 0x82, "GAME", 1, 0, 1);
    image.putLastSector(1, 0, 0x10);

    const DiskDirectory directory = D64Extractor::readDirectory(image.bytes);
    EXPECT_EQ(directory.diskName, "DISK");
    EXPECT_EQ(directory.diskID, "AB");
    EXPECT_EQ(directory.blocksFree, 681);
    ASSERT_EQ(directory.entries.size(), 1);
    EXPECT_EQ(directory.entries[0].name, "GAME");
    EXPECT_EQ(directory.entries[0].byteSize, 15);

    // Error bytes after the sectors, and a 40-track image, list the same.
    QByteArray withErrors = image.bytes + QByteArray(683, char(0x01));
    QByteArray fortyTracks = image.bytes + QByteArray(85 * 256, char(0x55));
    for (const QByteArray& bigger : {withErrors, fortyTracks}) {
        DiskDirectory other = D64Extractor::readDirectory(bigger);
        other.entries[0].id = directory.entries[0].id;
        EXPECT_EQ(other, directory);
    }

    EXPECT_EQ(messageOf([&] { D64Extractor::readDirectory(image.bytes.left(174847)); }),
              "This D64 image is too small to be valid.");
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFiles(image.bytes.left(100), "x.d64"); }),
              "This D64 image is too small to be valid.");
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFile(QByteArray(), "x.d64", 0); }),
              "This D64 image is too small to be valid.");
}

TEST(D64Reader, TypeBytesAndTokens) {
    RawImage image;
    const quint8 types[] = {0x82, 0x02, 0xC2, 0x42, 0x85, 0x80, 0x00, 0x81};
    for (int slot = 0; slot < 8; ++slot)
        image.putEntry(18, 1, slot, types[slot], QByteArray("F") + char('0' + slot), 1, 0, 1);
    image.putLastSector(1, 0, 0x05);

    const QList<D64Extractor::File> files = D64Extractor::files(image.bytes);
    ASSERT_EQ(files.size(), 6);
    QStringList tokens;
    QStringList names;
    for (const auto& file : files) {
        tokens << file.typeToken;
        names << file.name;
    }
    EXPECT_EQ(tokens, QStringList({"PRG", "*PRG", "PRG<", "*PRG<", "???", "SEQ"}));
    EXPECT_EQ(names, QStringList({"F0", "F1", "F2", "F3", "F4", "F7"}));
    EXPECT_EQ(files[0].type, CBMFileType::prg);
    EXPECT_EQ(files[4].type, CBMFileType::other);
    EXPECT_EQ(files[5].type, CBMFileType::seq);

    const DiskDirectory directory = D64Extractor::readDirectory(image.bytes);
    EXPECT_EQ(directory.entries[3].typeToken, "*PRG<");
    EXPECT_FALSE(directory.entries[3].isSplat);
    EXPECT_FALSE(directory.entries[3].isLocked);
}

TEST(D64Reader, NamesSizesAndBlocks) {
    RawImage image;
    image.putEntry(18, 1, 0, 0x82, "ABCDE", 1, 0); // stored blocks 0
    image.putEntry(18, 1, 1, 0x82,
                   "A\xC1"
                   "B",
                   1, 1, 7);                         // undecodable name
    image.putEntry(18, 1, 2, 0x82, "", 1, 2);        // empty name
    image.putEntry(18, 1, 3, 0x81, "TWO", 2, 0);     // two sectors
    image.putEntry(18, 1, 4, 0x82, "NOCHAIN", 0, 0); // start track 0
    image.putLastSector(1, 0, 0x10);
    image.putLastSector(1, 1, 0x00);
    image.putLastSector(1, 2, 0x01);
    image.setLink(2, 0, 2, 5);
    image.putLastSector(2, 5, 0xFF);
    image.setLink(2, 0, 2, 5);

    const QList<D64Extractor::File> files = D64Extractor::files(image.bytes);
    ASSERT_EQ(files.size(), 5);
    EXPECT_EQ(files[0].name, "ABCDE");
    EXPECT_EQ(files[0].blocks, 1);
    EXPECT_EQ(files[0].byteSize, 15);
    EXPECT_EQ(files[1].name, "FILE");
    EXPECT_EQ(files[1].blocks, 7);
    EXPECT_EQ(files[1].byteSize, 1);
    EXPECT_EQ(files[2].name, "FILE");
    EXPECT_EQ(files[2].byteSize, 1);
    EXPECT_EQ(files[3].blocks, 2);
    EXPECT_EQ(files[3].byteSize, 254 + 254);
    EXPECT_EQ(files[3].startTrack, 2);
    EXPECT_EQ(files[4].byteSize, 0);
    EXPECT_EQ(files[4].blocks, 0);

    const DiskDirectory directory = D64Extractor::readDirectory(image.bytes);
    EXPECT_EQ(directory.entries[4].byteSize, std::nullopt);
    EXPECT_EQ(directory.entries[3].byteSize, 508);

    // parsedFiles keeps only files with a load address, with their payloads.
    const QList<ParsedFile> parsed = D64Extractor::parsedFiles(image.bytes, "disk.d64");
    ASSERT_EQ(parsed.size(), 2);
    EXPECT_EQ(parsed[0].name, "ABCDE");
    EXPECT_EQ(parsed[0].startAddress, 0x7878);
    EXPECT_EQ(parsed[0].payload, QByteArray(13, 'x'));
    EXPECT_EQ(parsed[1].name, "TWO");
    EXPECT_EQ(parsed[1].payload.size(), 506);

    EXPECT_EQ(D64Extractor::parsedFile(image.bytes, "disk.d64", 3), parsed[1]);
    for (qint64 index : {-1, 1, 4, 5})
        EXPECT_EQ(messageOf([&] { D64Extractor::parsedFile(image.bytes, "disk.d64", index); }),
                  "That file is not in disk.d64.")
            << index;
}

TEST(D64Reader, DamagedChains) {
    RawImage image;
    // Directory: 18/1 -> 18/4 -> back to 18/1.
    image.putEntry(18, 1, 0, 0x82, "LOOP", 3, 0);
    image.setLink(18, 1, 18, 4);
    image.putEntry(18, 4, 0, 0x82, "FAR", 4, 0);
    image.setLink(18, 4, 18, 1);
    // File LOOP: 3/0 -> 3/1 -> 3/0 again.
    image.put(3, 0,
              QByteArray("\x03\x01"
                         "AB",
                         4));
    image.put(3, 1,
              QByteArray("\x03\x00"
                         "CD",
                         4));
    // File FAR: 4/0 links to track 36, so it ends after that sector's 254 bytes.
    image.put(4, 0,
              QByteArray("\x24\x00"
                         "EF",
                         4));

    const QList<D64Extractor::File> files = D64Extractor::files(image.bytes);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].blocks, 2);
    EXPECT_EQ(files[0].byteSize, 508);
    EXPECT_EQ(files[1].byteSize, 254);
    const QByteArray loop = D64Layout::readChain(image.bytes, 3, 0);
    EXPECT_EQ(loop.size(), 508);
    EXPECT_EQ(loop.left(2), "AB");
    EXPECT_EQ(loop.mid(254, 2), "CD");

    // A directory link past track 35 ends the listing.
    image.setLink(18, 1, 40, 0);
    EXPECT_EQ(D64Extractor::files(image.bytes).size(), 1);

    // A file sector past the end of the data reads as zeros: one byte, then the end.
    QByteArray shortImage = image.bytes;
    EXPECT_EQ(D64Layout::chainSize(shortImage.left(1000), 3, 0), (D64Layout::ChainSize{1, 1}));
    EXPECT_TRUE(D64Layout::readChain(image.bytes, 0, 0).isEmpty());
    EXPECT_TRUE(D64Layout::readChain(image.bytes, 36, 0).isEmpty());
}

TEST(D64Reader, NoUsableFiles) {
    RawImage image;
    image.putEntry(18, 1, 0, 0x82, "ONE", 1, 0);
    image.putLastSector(1, 0, 0x02); // exactly one byte
    EXPECT_EQ(D64Extractor::files(image.bytes).size(), 1);
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFiles(image.bytes, "empty.d64"); }),
              "No files found in empty.d64.");
    EXPECT_EQ(messageOf([&] { D64Extractor::parsedFile(image.bytes, "empty.d64", 0); }),
              "That file is not in empty.d64.");
}
