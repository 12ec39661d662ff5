#include "images/D64Builder.h"
#include "ImageFixtures.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <gtest/gtest.h>

using namespace vellum;
using vellum::testing::sequence;

namespace {

QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const OpenCBMError& error) {
        return error.errorDescription();
    }
    return QStringLiteral("<no error>");
}

quint8 byteAt(const QByteArray& image, qint64 track, qint64 sector, qint64 offset) {
    return quint8(D64Layout::sector(image, track, sector)[offset]);
}

QList<std::pair<qint64, qint64>> chainOf(const QByteArray& image, qint64 index) {
    const auto file = D64Extractor::files(image).at(index);
    return D64Layout::chainSectors(image, file.startTrack, file.startSector);
}

QStringList listedNames(const QByteArray& image) {
    QStringList names;
    for (const auto& file : D64Extractor::files(image))
        names << file.name;
    return names;
}

} // namespace

TEST(D64Builder, NewImageLayout) {
    D64Builder builder = D64Builder::create("test", "ab");
    const QByteArray image = builder.data();
    ASSERT_EQ(image.size(), 174848);
    const QByteArray bam = D64Layout::sector(image, 18, 0);
    EXPECT_EQ(bam.left(4), QByteArray("\x12\x01\x41\x00", 4));
    EXPECT_EQ(quint8(bam[4 * 18]), 17);
    EXPECT_EQ(quint8(bam[4 * 1]), 21);
    EXPECT_EQ(quint8(bam[4 * 35]), 17);
    EXPECT_EQ(bam.mid(4 * 18 + 1, 3), QByteArray("\xFC\xFF\x07", 3));
    EXPECT_EQ(bam.mid(0x90, 27), QByteArray("TEST\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0"
                                            "\xA0\xA0"
                                            "AB\xA0"
                                            "2A\xA0\xA0\xA0\xA0"));
    EXPECT_EQ(bam.mid(0xAB), QByteArray(256 - 0xAB, '\0'));
    EXPECT_EQ(D64Layout::sector(image, 18, 1).left(2), QByteArray("\x00\xFF", 2));

    const DiskDirectory directory = D64Extractor::readDirectory(image);
    EXPECT_TRUE(directory.entries.isEmpty());
    EXPECT_EQ(directory.blocksFree, 681);
    EXPECT_EQ(directory.diskName, "TEST");
    EXPECT_EQ(builder.freeBlockCount(), 681);

    EXPECT_EQ(D64Extractor::readDirectory(D64Builder::create("X").data()).diskID, "00");
    EXPECT_EQ(D64Layout::sector(D64Builder::create("X", "7").data(), 18, 0).mid(0xA2, 2),
              QByteArray("7\xA0"));
}

TEST(D64Builder, BlockBoundariesAndAllocationOrder) {
    D64Builder builder = D64Builder::create("SIZES");
    builder.addFile("exact", CBMFileType::prg, sequence(254));
    builder.addFile("over", CBMFileType::seq, sequence(255));
    builder.addFile("empty", CBMFileType::usr, QByteArray());
    const QByteArray image = builder.data();

    EXPECT_EQ(chainOf(image, 0), (QList<std::pair<qint64, qint64>>{{1, 0}}));
    EXPECT_EQ(byteAt(image, 1, 0, 1), 0xFF);
    // Each file's first block is searched from sector 0; later blocks 10 sectors on.
    EXPECT_EQ(chainOf(image, 1), (QList<std::pair<qint64, qint64>>{{1, 1}, {1, 11}}));
    EXPECT_EQ(byteAt(image, 1, 11, 0), 0);
    EXPECT_EQ(byteAt(image, 1, 11, 1), 0x02);
    EXPECT_EQ(chainOf(image, 2), (QList<std::pair<qint64, qint64>>{{1, 2}}));
    EXPECT_EQ(byteAt(image, 1, 2, 1), 0x01);

    const auto files = D64Extractor::files(image);
    EXPECT_EQ(files[0].typeToken, "PRG");
    EXPECT_EQ(files[1].typeToken, "SEQ");
    EXPECT_EQ(files[2].typeToken, "USR");
    EXPECT_EQ(files[1].blocks, 2);
    EXPECT_EQ(D64Layout::readChain(image, 1, 1), sequence(255));

    // A long file on an empty image walks track 1 with interleave 10, then track 2 from 0.
    D64Builder fresh = D64Builder::create("ORDER");
    fresh.addFile("long", CBMFileType::prg, sequence(254 * 23));
    const auto chain = chainOf(fresh.data(), 0);
    const QList<qint64> expectedTrack1 = {0, 10, 20, 9,  19, 8,  18, 7,  17, 6, 16,
                                          5, 15, 4,  14, 3,  13, 2,  12, 1,  11};
    ASSERT_EQ(chain.size(), 23);
    for (qsizetype i = 0; i < 21; ++i)
        EXPECT_EQ(chain[i], std::make_pair(qint64(1), expectedTrack1[i])) << i;
    EXPECT_EQ(chain[21], std::make_pair(qint64(2), qint64(0)));
    EXPECT_EQ(chain[22], std::make_pair(qint64(2), qint64(10)));
    EXPECT_EQ(D64Layout::readChain(fresh.data(), 1, 0), sequence(254 * 23));
}

TEST(D64Builder, DataNeverOnTrack18AndSpaceErrors) {
    D64Builder builder = D64Builder::create("FULL");
    // 664 blocks fit outside track 18; fill them with one file.
    builder.addFile("big", CBMFileType::prg, sequence(254 * 664));
    EXPECT_EQ(builder.freeBlockCount(), 17);
    for (const auto& [track, sector] : chainOf(builder.data(), 0))
        ASSERT_NE(track, 18) << sector;

    const QByteArray before = builder.data();
    EXPECT_EQ(messageOf([&] { builder.addFile("more", CBMFileType::prg, sequence(10)); }),
              "Not enough space on the D64 image.");
    EXPECT_EQ(messageOf([&] { builder.addFile("huge", CBMFileType::prg, sequence(254 * 20)); }),
              "Not enough space on this D64. Need 20 blocks, only 17 free.");
    EXPECT_EQ(messageOf([&] { builder.addFile("rel", CBMFileType::rel, sequence(10)); }),
              "REL files cannot be added to a D64 in this version.");
    EXPECT_EQ(builder.data(), before);
    EXPECT_EQ(builder.freeBlockCount(), 17);
    EXPECT_EQ(D64Extractor::readDirectory(builder.data()).blocksFree, 17);
}

TEST(D64Builder, UniqueNames) {
    D64Builder builder = D64Builder::create("NAMES");
    EXPECT_EQ(builder.addFile("GAME", CBMFileType::prg, sequence(3)), "GAME");
    EXPECT_EQ(builder.addFile("GAME", CBMFileType::prg, sequence(3)), "GAME-2");
    EXPECT_EQ(builder.addFile("game", CBMFileType::prg, sequence(3)), "GAME-3");
    EXPECT_EQ(builder.addFile("", CBMFileType::prg, sequence(3)), "FILE-2");
    EXPECT_EQ(builder.addFile("   ", CBMFileType::prg, sequence(3)), "FILE-3");
    EXPECT_EQ(builder.addFile("abcdefghijklmnopqrst", CBMFileType::prg, sequence(3)),
              "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(builder.addFile("abcdefghijklmnop", CBMFileType::prg, sequence(3)),
              "ABCDEFGHIJKLMN-2");
    EXPECT_EQ(listedNames(builder.data()),
              QStringList({"GAME", "GAME-2", "GAME-3", "FILE-2", "FILE-3", "ABCDEFGHIJKLMNOP",
                           "ABCDEFGHIJKLMN-2"}));

    // "-10" leaves 13 characters of the base.
    D64Builder many = D64Builder::create("MANY");
    for (int i = 0; i < 9; ++i)
        many.addFile("abcdefghijklmnop", CBMFileType::prg, QByteArray());
    EXPECT_EQ(many.uniqueName("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLM-10");
    EXPECT_EQ(many.uniqueName("other"), "other");
}

TEST(D64Builder, DirectoryGrowthAndSlotReuse) {
    D64Builder builder = D64Builder::create("DIR");
    for (int i = 0; i < 9; ++i)
        builder.addFile(QStringLiteral("F%1").arg(i), CBMFileType::prg, sequence(10, i));
    const QByteArray image = builder.data();
    EXPECT_EQ(D64Layout::sector(image, 18, 1).left(2), QByteArray("\x12\x0B"));
    EXPECT_EQ(D64Layout::sector(image, 18, 11).left(2), QByteArray("\x00\xFF", 2));
    EXPECT_EQ(D64Layout::decodeName(D64Layout::sector(image, 18, 11), 5, 16), "F8");
    EXPECT_FALSE(builder.isFree(18, 11));
    EXPECT_EQ(D64Extractor::readDirectory(image).blocksFree, 681 - 9 - 1);

    // After deleting the second of three files, two new files fill its slot, then the slot
    // after the third.
    D64Builder reuse = D64Builder::create("REUSE");
    reuse.addFile("ONE", CBMFileType::prg, sequence(300, 1));
    reuse.addFile("TWO", CBMFileType::prg, sequence(300, 2));
    reuse.addFile("THREE", CBMFileType::prg, sequence(300, 3));
    const auto twoSectors = chainOf(reuse.data(), 1);
    reuse.deleteFile(1);
    for (const auto& [t, s] : twoSectors)
        EXPECT_TRUE(reuse.isFree(t, s));
    EXPECT_EQ(byteAt(reuse.data(), 18, 1, 32 + 2), 0);
    reuse.writeBAM();
    reuse.addFile("FOUR", CBMFileType::prg, sequence(300, 4));
    reuse.addFile("FIVE", CBMFileType::prg, sequence(300, 5));
    EXPECT_EQ(listedNames(reuse.data()), QStringList({"ONE", "FOUR", "THREE", "FIVE"}));
    const auto parsed = D64Extractor::parsedFiles(reuse.data(), "r.d64");
    EXPECT_EQ(parsed[0].contents(), sequence(300, 1));
    EXPECT_EQ(parsed[1].contents(), sequence(300, 4));
    EXPECT_EQ(parsed[2].contents(), sequence(300, 3));
    EXPECT_EQ(parsed[3].contents(), sequence(300, 5));

    EXPECT_EQ(messageOf([&] { reuse.deleteFile(4); }), "That file is not in this D64 image.");
    EXPECT_EQ(messageOf([&] { reuse.deleteFile(-1); }), "That file is not in this D64 image.");
}

TEST(D64Builder, DirectoryFullRollsBack) {
    D64Builder builder = D64Builder::create("CROWD");
    // 18 directory sectors of 8 entries: 144 files.
    for (int i = 0; i < 144; ++i)
        builder.addFile(QStringLiteral("F%1").arg(i), CBMFileType::prg, QByteArray(1, 'x'));
    EXPECT_EQ(D64Extractor::files(builder.data()).size(), 144);
    EXPECT_EQ(builder.freeBlockCount(), 681 - 144 - 17);
    const QByteArray before = builder.data();
    const qint64 freeBefore = builder.freeBlockCount();
    EXPECT_EQ(messageOf([&] { builder.addFile("ONE MORE", CBMFileType::prg, sequence(600)); }),
              "Directory is full.");
    EXPECT_EQ(builder.data(), before);
    EXPECT_EQ(builder.freeBlockCount(), freeBefore);
    // The builder stays usable: after a delete the file fits.
    builder.deleteFile(0);
    EXPECT_EQ(builder.addFile("ONE MORE", CBMFileType::prg, sequence(600)), "ONE MORE");
    EXPECT_EQ(D64Extractor::parsedFile(builder.data(), "c.d64", 0).contents(), sequence(600));
}

TEST(D64Builder, OpeningExistingImages) {
    D64Builder original = D64Builder::create("KEEP", "01");
    original.addFile("first", CBMFileType::prg, sequence(1000, 1));
    const QByteArray tail(683 + 85 * 256, char(0x5A));
    const QByteArray extended = original.data() + tail;

    D64Builder reopened = D64Builder::open(extended);
    EXPECT_EQ(reopened.freeBlockCount(), original.freeBlockCount());
    reopened.addFile("second", CBMFileType::prg, sequence(400, 2));
    ASSERT_EQ(reopened.data().size(), extended.size());
    EXPECT_EQ(reopened.data().right(tail.size()), tail);
    // The new file does not take the first file's sectors.
    const auto parsed = D64Extractor::parsedFiles(reopened.data(), "k.d64");
    ASSERT_EQ(parsed.size(), 2);
    EXPECT_EQ(parsed[0].contents(), sequence(1000, 1));
    EXPECT_EQ(parsed[1].contents(), sequence(400, 2));

    EXPECT_EQ(messageOf([] { D64Builder::open(QByteArray(174847, '\0')); }),
              "This D64 image is too small to be valid.");

    // An all-zero image: the BAM shows nothing free, the directory sector is empty.
    D64Builder zeros = D64Builder::open(QByteArray(174848, '\0'));
    EXPECT_EQ(zeros.freeBlockCount(), 0);
    EXPECT_EQ(messageOf([&] { zeros.addFile("x", CBMFileType::prg, sequence(3)); }),
              "Not enough space on this D64. Need 1 blocks, only 0 free.");

    // A slot of a closed DEL entry (0x80) is not reused.
    D64Builder withDel = D64Builder::create("DEL");
    withDel.addFile("a", CBMFileType::del, sequence(3));
    D64Builder reread = D64Builder::open(withDel.data());
    reread.addFile("b", CBMFileType::prg, sequence(3));
    EXPECT_EQ(byteAt(reread.data(), 18, 1, 2), 0x80);
    EXPECT_EQ(byteAt(reread.data(), 18, 1, 32 + 2), 0x82);
}

TEST(D64Builder, DeletingSharedSectorsKeepsTheOtherFile) {
    // Two entries of a damaged disk share a chain: deleting one must not free sectors
    // the other still lists.
    D64Builder builder = D64Builder::create("CROSS");
    builder.addFile("a", CBMFileType::prg, sequence(600, 1));
    QByteArray image = builder.data();
    QByteArray directory = D64Layout::sector(image, 18, 1);
    directory.replace(32, 32, directory.mid(0, 32));
    directory[0] = 0;
    directory[1] = char(0xFF);
    directory[32 + 5] = 'B';
    image.replace(D64Layout::sectorOffset(18, 1), 256, directory);

    D64Builder damaged = D64Builder::open(image);
    const qint64 freeBefore = damaged.freeBlockCount();
    damaged.deleteFile(0);
    EXPECT_EQ(damaged.freeBlockCount(), freeBefore);
    damaged.writeBAM();
    damaged.addFile("c", CBMFileType::prg, sequence(600, 3));
    const auto parsed = D64Extractor::parsedFiles(damaged.data(), "x.d64");
    ASSERT_EQ(parsed.size(), 2);
    EXPECT_EQ(parsed[0].contents(), sequence(600, 3));
    EXPECT_EQ(parsed[1].contents(), sequence(600, 1));
}

TEST(D64Builder, DamagedDirectoryLinks) {
    // A directory link to a sector track 18 does not have must not send entries into
    // another track's data.
    D64Builder builder = D64Builder::create("LINKS");
    for (int i = 0; i < 8; ++i)
        builder.addFile(QStringLiteral("F%1").arg(i), CBMFileType::prg, sequence(10, i));
    builder.addFile("data", CBMFileType::prg, sequence(254 * 40, 9));
    QByteArray image = builder.data();
    image[D64Layout::sectorOffset(18, 1)] = 18;
    image[D64Layout::sectorOffset(18, 1) + 1] = char(25); // 18/25 is 19/6 on disk
    image.replace(D64Layout::sectorOffset(19, 0), 19 * 256, QByteArray(19 * 256, 'Q'));
    const QByteArray dataBefore = image.mid(D64Layout::sectorOffset(19, 0), 19 * 256);

    D64Builder reopened = D64Builder::open(image);
    reopened.addFile("new", CBMFileType::prg, sequence(5));
    EXPECT_EQ(reopened.data().mid(D64Layout::sectorOffset(19, 0), 19 * 256), dataBefore);
    EXPECT_EQ(listedNames(reopened.data()).last(), "NEW");

    // A directory that loops back on itself gets a fresh sector instead of a loop.
    QByteArray looped = builder.data();
    looped[D64Layout::sectorOffset(18, 1)] = 18;
    looped[D64Layout::sectorOffset(18, 1) + 1] = 1;
    D64Builder loopBuilder = D64Builder::open(looped);
    loopBuilder.addFile("after", CBMFileType::prg, sequence(5));
    EXPECT_EQ(listedNames(loopBuilder.data()).size(), 9);
    EXPECT_EQ(listedNames(loopBuilder.data()).last(), "AFTER");
}
