#include "images/D64Builder.h"
#include "ImageFixtures.h"
#include "images/D64Extractor.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

using Chain = QList<std::pair<qint64, qint64>>;

Chain chainOf(const QByteArray& image, qint64 index) {
    const auto file = D64Extractor::files(image).at(index);
    return D64Layout::chainSectors(image, file.startTrack, file.startSector);
}

QStringList listedNames(const QByteArray& image) {
    QStringList names;
    for (const auto& file : D64Extractor::files(image)) {
        names << file.name;
    }
    return names;
}

QByteArray sectorBytes(const QByteArray& image, qint64 track, qint64 sector, int from, int count) {
    return D64Layout::sector(image, track, sector).mid(from, count);
}

} // namespace

TEST(D64Builder, NewImageLayout) {
    const QByteArray image = D64Builder::create("test", "ab").data();
    ASSERT_EQ(image.size(), 174848);
    const QByteArray bam = D64Layout::sector(image, 18, 0);
    EXPECT_EQ(bam.left(4), QByteArray("\x12\x01\x41\x00", 4));
    EXPECT_EQ(bam.mid(4, 4), QByteArray("\x15\xFF\xFF\x1F", 4));
    EXPECT_EQ(bam.mid(4 * 18, 4), QByteArray("\x11\xFC\xFF\x07", 4));
    EXPECT_EQ(bam.mid(0x90), QByteArray("TEST") + QByteArray(14, '\xA0') +
                                 "AB\xA0"
                                 "2A" +
                                 QByteArray(4, '\xA0') + QByteArray(256 - 0xAB, '\0'));
    EXPECT_EQ(sectorBytes(image, 18, 1, 0, 2), QByteArray("\x00\xFF", 2));
    const DiskDirectory directory = D64Extractor::readDirectory(image);
    EXPECT_TRUE(directory.entries.isEmpty());
    EXPECT_EQ(directory.blocksFree, 664);

    EXPECT_EQ(D64Extractor::readDirectory(D64Builder::create("X").data()).diskID, "00");
    EXPECT_EQ(sectorBytes(D64Builder::create("X", "7").data(), 18, 0, 0xA2, 2), "7\xA0");
}

TEST(D64Builder, BlockBoundariesAndAllocationOrder) {
    D64Builder builder = D64Builder::create("SIZES");
    builder.addFile("exact", CBMFileType::prg, sequence(254));
    builder.addFile("over", CBMFileType::seq, sequence(255));
    builder.addFile("empty", CBMFileType::usr, QByteArray());
    const QByteArray image = builder.data();
    // Each file's first block is searched from sector 0; later blocks 10 sectors on.
    EXPECT_EQ(chainOf(image, 0), (Chain{{1, 0}}));
    EXPECT_EQ(chainOf(image, 1), (Chain{{1, 1}, {1, 11}}));
    EXPECT_EQ(chainOf(image, 2), (Chain{{1, 2}}));
    EXPECT_EQ(sectorBytes(image, 1, 0, 0, 2), QByteArray("\x00\xFF", 2));
    EXPECT_EQ(sectorBytes(image, 1, 11, 0, 2), QByteArray("\x00\x02", 2));
    EXPECT_EQ(sectorBytes(image, 1, 2, 0, 2), QByteArray("\x00\x01", 2));
    EXPECT_EQ(D64Layout::readChain(image, 1, 1), sequence(255));
    QStringList tokens;
    for (const auto& file : D64Extractor::files(image)) {
        tokens << file.typeToken;
    }
    EXPECT_EQ(tokens, QStringList({"PRG", "SEQ", "USR"}));

    // A long file walks track 1 with interleave 10, then track 2 from sector 0.
    D64Builder fresh = D64Builder::create("ORDER");
    fresh.addFile("long", CBMFileType::prg, sequence(254 * 23));
    Chain expected;
    for (qint64 s : {0, 10, 20, 9, 19, 8, 18, 7, 17, 6, 16, 5, 15, 4, 14, 3, 13, 2, 12, 1, 11}) {
        expected.append({1, s});
    }
    expected << std::pair<qint64, qint64>{2, 0} << std::pair<qint64, qint64>{2, 10};
    EXPECT_EQ(chainOf(fresh.data(), 0), expected);
    EXPECT_EQ(D64Layout::readChain(fresh.data(), 1, 0), sequence(254 * 23));
}

TEST(D64Builder, DataNeverOnTrack18AndFailedAddsChangeNothing) {
    D64Builder builder = D64Builder::create("FULL");
    builder.addFile("big", CBMFileType::prg, sequence(254 * 664));
    for (const auto& [track, sector] : chainOf(builder.data(), 0)) {
        ASSERT_NE(track, 18) << sector;
    }
    const QByteArray before = builder.data();
    // The free count that refuses an add is the one the listing shows: track 18 left out.
    EXPECT_EQ(messageOf([&] { builder.addFile("huge", CBMFileType::prg, sequence(254 * 20)); }),
              "Not enough space on this D64. Need 20 blocks, only 0 free.");
    EXPECT_EQ(messageOf([&] { builder.addFile("rel", CBMFileType::rel, sequence(10)); }),
              "REL files cannot be added to a D64 in this version.");
    EXPECT_EQ(builder.data(), before);
    EXPECT_EQ(builder.freeBlockCount(), 0);
    EXPECT_EQ(D64Extractor::readDirectory(builder.data()).blocksFree, 0);

    // 144 entries fill all 18 directory sectors; the next add fails and changes nothing.
    D64Builder crowd = D64Builder::create("CROWD");
    for (int i = 0; i < 144; ++i) {
        crowd.addFile(QStringLiteral("F%1").arg(i), CBMFileType::prg, QByteArray(1, 'x'));
    }
    const QByteArray full = crowd.data();
    EXPECT_EQ(messageOf([&] { crowd.addFile("ONE MORE", CBMFileType::prg, sequence(600)); }),
              "Directory is full.");
    EXPECT_EQ(crowd.data(), full);
    EXPECT_EQ(crowd.freeBlockCount(), 664 - 144);
    crowd.deleteFile(0);
    EXPECT_EQ(crowd.addFile("ONE MORE", CBMFileType::prg, sequence(600)), "ONE MORE");
    EXPECT_EQ(D64Extractor::parsedFile(crowd.data(), "c.d64", 0).contents(), sequence(600));
}

TEST(D64Builder, UniqueNames) {
    D64Builder builder = D64Builder::create("NAMES");
    QStringList stored;
    for (const QString name :
         {"GAME", "GAME", "game", "", "   ", "abcdefghijklmnopqrst", "abcdefghijklmnop"}) {
        stored << builder.addFile(name, CBMFileType::prg, sequence(3));
    }
    EXPECT_EQ(stored, QStringList({"GAME", "GAME-2", "GAME-3", "FILE-2", "FILE-3",
                                   "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMN-2"}));
    EXPECT_EQ(listedNames(builder.data()), stored);
    for (int i = 0; i < 7; ++i) {
        builder.addFile("abcdefghijklmnop", CBMFileType::prg, QByteArray());
    }
    EXPECT_EQ(builder.uniqueName("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLM-10");

    // The free-name search goes on past 99 within the 16 characters, and compares names
    // as they will be listed: "Ä" and control codes list as nothing, hence as FILE.
    D64Builder crowd = D64Builder::create("CROWD");
    const QList<std::pair<QString, int>> adds = {
        {"X", 110}, {"abcdefghijklmnop", 12}, {"\u00c4", 8}, {"a\u00e4", 6}, {"A", 6}, {"FILE", 1}};
    for (const auto& [name, times] : adds) {
        for (int i = 0; i < times; ++i) {
            crowd.addFile(name, CBMFileType::prg, QByteArray());
        }
    }
    for (int i = 0; i < 3; ++i) {
        crowd.deleteFile(i * 20);
    }
    crowd.writeBAM();
    for (int i = 0; i < 4; ++i) {
        crowd.addFile("X", CBMFileType::prg, QByteArray());
    }
    const QStringList listed = listedNames(crowd.data());
    EXPECT_EQ(listed.size(), 144);
    EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), 144);
    for (const QString name : {"X", "X-102", "X-111", "ABCDEFGHIJKLM-12", "FILE-9", "A-12"}) {
        EXPECT_TRUE(listed.contains(name)) << name.toStdString();
    }
    for (const QString& name : listed) {
        EXPECT_LE(name.size(), 16);
    }

    // An entry whose name decodes as nothing is listed as FILE, so that name is taken.
    RawImage raw;
    raw.bytes = D64Builder::create("X").data();
    raw.putEntry(1, 0, 0x82, QByteArray(16, '\xC1'), 1, 0);
    EXPECT_EQ(D64Builder::open(raw.bytes).uniqueName("file"), "FILE-2");
}

TEST(D64Builder, DirectoryGrowthAndSlotReuse) {
    D64Builder builder = D64Builder::create("DIR");
    for (int i = 0; i < 9; ++i) {
        builder.addFile(QStringLiteral("F%1").arg(i), CBMFileType::prg, sequence(10, i));
    }
    EXPECT_EQ(sectorBytes(builder.data(), 18, 1, 0, 2), "\x12\x0B");
    EXPECT_EQ(sectorBytes(builder.data(), 18, 11, 0, 7), QByteArray("\x00\xFF\x82\x01\x08"
                                                                    "F8",
                                                                    7));
    EXPECT_EQ(D64Extractor::readDirectory(builder.data()).blocksFree, 664 - 9);

    D64Builder reuse = D64Builder::create("REUSE");
    for (const QString name : {"ONE", "TWO", "THREE"}) {
        reuse.addFile(name, CBMFileType::prg, sequence(300, name.size()));
    }
    const Chain twoSectors = chainOf(reuse.data(), 1);
    reuse.deleteFile(1);
    for (const auto& [t, s] : twoSectors) {
        EXPECT_TRUE(reuse.isFree(t, s));
    }
    EXPECT_EQ(sectorBytes(reuse.data(), 18, 1, 32, 32), QByteArray(32, '\0'));
    reuse.writeBAM();
    reuse.addFile("FOUR", CBMFileType::prg, sequence(300, 4));
    reuse.addFile("FIVE", CBMFileType::prg, sequence(300, 5));
    EXPECT_EQ(listedNames(reuse.data()), QStringList({"ONE", "FOUR", "THREE", "FIVE"}));
    EXPECT_EQ(D64Extractor::parsedFile(reuse.data(), "r", 2).contents(), sequence(300, 5));
    EXPECT_EQ(messageOf([&] { reuse.deleteFile(4); }), "That file is not in this D64 image.");
    EXPECT_EQ(messageOf([&] { reuse.deleteFile(-1); }), "That file is not in this D64 image.");

    // A closed DEL entry (0x80) holds its slot.
    D64Builder withDel = D64Builder::open([] {
        auto b = D64Builder::create("DEL");
        b.addFile("a", CBMFileType::del, "x");
        return b.data();
    }());
    withDel.addFile("b", CBMFileType::prg, sequence(3));
    EXPECT_EQ(sectorBytes(withDel.data(), 18, 1, 32 + 2, 1), "\x82");
}

TEST(D64Builder, OpeningKeepsTrailingBytesAndTheBAM) {
    D64Builder original = D64Builder::create("KEEP", "01");
    original.addFile("first", CBMFileType::prg, sequence(1000, 1));
    const QByteArray tail = QByteArray(683, '\x01') + QByteArray(1000, 'Z');
    D64Builder reopened = D64Builder::open(original.data() + tail);
    EXPECT_EQ(reopened.freeBlockCount(), original.freeBlockCount());
    reopened.addFile("second", CBMFileType::prg, sequence(400, 2));
    EXPECT_EQ(reopened.data().size(), 174848 + tail.size());
    EXPECT_EQ(reopened.data().right(tail.size()), tail);
    const auto parsed = D64Extractor::parsedFiles(reopened.data(), "k.d64");
    EXPECT_EQ(parsed.value(0).contents(), sequence(1000, 1));
    EXPECT_EQ(parsed.value(1).contents(), sequence(400, 2));

    EXPECT_EQ(messageOf([] { D64Builder::open(QByteArray(174847, '\0')); }),
              "This D64 image is too small to be valid.");
    D64Builder zeros = D64Builder::open(QByteArray(174848, '\0'));
    EXPECT_EQ(messageOf([&] { zeros.addFile("x", CBMFileType::prg, sequence(3)); }),
              "Not enough space on this D64. Need 1 blocks, only 0 free.");
}

TEST(D64Builder, DamagedDisksAreNotMadeWorse) {
    // Two entries share one chain: deleting one must not free what the other still uses.
    D64Builder builder = D64Builder::create("CROSS");
    builder.addFile("a", CBMFileType::prg, sequence(600, 1));
    RawImage shared;
    shared.bytes = builder.data();
    shared.putEntry(1, 1, 0x82, "B", chainOf(builder.data(), 0)[0].first,
                    chainOf(builder.data(), 0)[0].second, 3);
    D64Builder damaged = D64Builder::open(shared.bytes);
    const qint64 freeBefore = damaged.freeBlockCount();
    damaged.deleteFile(0);
    EXPECT_EQ(damaged.freeBlockCount(), freeBefore);
    damaged.addFile("c", CBMFileType::prg, sequence(600, 3));
    EXPECT_EQ(D64Extractor::parsedFile(damaged.data(), "x", 1).contents(), sequence(600, 1));

    // A free map that shows a listed file's sectors and the directory as free must not let
    // an add overwrite them.
    RawImage allFree;
    allFree.bytes = damaged.data();
    for (qint64 track = 1; track <= 35; ++track) {
        allFree.bytes.replace(D64Layout::sectorOffset(18, 0) + 4 * track, 4, "\x15\xFF\xFF\x1F");
    }
    D64Builder trusting = D64Builder::open(allFree.bytes);
    for (int i = 0; i < 12; ++i) {
        trusting.addFile(QStringLiteral("new%1").arg(i), CBMFileType::prg, sequence(700, 10 + i));
    }
    const QList<ParsedFile> afterAdds = D64Extractor::parsedFiles(trusting.data(), "x");
    ASSERT_EQ(afterAdds.size(), 14);
    EXPECT_EQ(afterAdds[0].contents(), sequence(600, 3));
    EXPECT_EQ(afterAdds[1].contents(), sequence(600, 1));
    EXPECT_EQ(afterAdds[13].contents(), sequence(700, 21));

    // Nor may it overwrite directory sectors past the first free slot, even off track 18.
    RawImage farDirectory;
    farDirectory.bytes = D64Builder::create("FAR").data();
    farDirectory.putEntry(1, 1, 0x82, "LATER", 0, 0);
    farDirectory.setLink(18, 1, 1, 5);
    farDirectory.put(1, 5, QByteArray("\x00\xFF", 2));
    farDirectory.bytes.replace(D64Layout::sectorOffset(1, 5) + 2, 30,
                               QByteArray("\x82\x00\x00KEPT", 7).leftJustified(30, '\xA0'));
    D64Builder beyond = D64Builder::open(farDirectory.bytes);
    beyond.addFile("big", CBMFileType::prg, sequence(254 * 30));
    EXPECT_EQ(listedNames(beyond.data()), QStringList({"BIG", "LATER", "KEPT"}));

    // A file whose chain runs through the BAM or a directory sector would change with every
    // entry or free map written, so such a disk is not edited at all.
    for (const auto& [track, sector] : QList<std::pair<quint8, quint8>>{{18, 0}, {1, 5}}) {
        RawImage crossed;
        crossed.bytes = farDirectory.bytes;
        crossed.putEntry(1, 2, 0x82, "CROSSED", 3, 0);
        crossed.setLink(3, 0, track, sector);
        EXPECT_EQ(messageOf([&] { D64Builder::open(crossed.bytes); }),
                  "This D64 image is damaged: its directory shares a block with “CROSSED”, which "
                  "adding or deleting files would change.");
    }

    RawImage throughBAM;
    throughBAM.bytes = farDirectory.bytes;
    throughBAM.setLink(1, 5, 18, 0);
    EXPECT_EQ(messageOf([&] { D64Builder::open(throughBAM.bytes); }),
              "This D64 image is damaged: its directory runs through the BAM, which every edit "
              "rewrites.");

    // Rebuilding the BAM of a disk whose BAM shows everything used restores the true one.
    RawImage wrongBAM;
    wrongBAM.bytes = damaged.data();
    wrongBAM.bytes.replace(D64Layout::sectorOffset(18, 0) + 4, 140, QByteArray(140, '\0'));
    D64Builder validated = D64Builder::open(wrongBAM.bytes);
    validated.rebuildBAM();
    EXPECT_EQ(validated.data(), damaged.data());

    // A directory link to 18/25 (on disk: 19/6) must not send entries into track 19.
    RawImage linked;
    linked.bytes = D64Builder::create("LINKS").data();
    for (int slot = 0; slot < 8; ++slot) {
        linked.putEntry(1, slot, 0x82, "F", 1, 0);
    }
    linked.setLink(18, 1, 18, 25);
    linked.bytes.replace(D64Layout::sectorOffset(19, 0), 19 * 256, QByteArray(19 * 256, 'Q'));
    D64Builder relinked = D64Builder::open(linked.bytes);
    relinked.addFile("new", CBMFileType::prg, sequence(5));
    EXPECT_EQ(relinked.data().mid(D64Layout::sectorOffset(19, 0), 19 * 256),
              QByteArray(19 * 256, 'Q'));
    EXPECT_EQ(listedNames(relinked.data()).last(), "NEW");

    // A directory that loops back on itself gets a fresh sector instead.
    linked.setLink(18, 1, 18, 1);
    D64Builder looped = D64Builder::open(linked.bytes);
    looped.addFile("after", CBMFileType::prg, sequence(5));
    EXPECT_EQ(listedNames(looped.data()).size(), 9);
}

TEST(D64Builder, FortyTrackImagesAreNotEdited) {
    // Without the extended free map, a delete would free only part of a file on tracks
    // 36-40; the drive itself, which keeps to 35 tracks, may still edit its disk.
    const QByteArray forty = D64Builder::create("WIDE").data() + QByteArray(85 * 256, '\0');
    for (const QByteArray& image : {forty, forty + QByteArray(768, '\x01')}) {
        EXPECT_EQ(messageOf([&] { D64Builder::open(image); }),
                  "Files cannot yet be added to or deleted from a 40-track D64 image; its "
                  "files can be listed and extracted.");
    }
    D64Builder drive = D64Builder::openDosTracks(forty);
    drive.addFile("kept", CBMFileType::prg, sequence(300));
    EXPECT_EQ(drive.data().size(), forty.size());
    EXPECT_EQ(D64Extractor::parsedFile(drive.data(), "w", 0).contents(), sequence(300));
}
