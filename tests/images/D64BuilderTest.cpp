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

QByteArray sectorBytes(const QByteArray& image, qint64 track, qint64 sector, int from, int count) {
    return D64Layout::sector(image, track, sector).mid(from, count);
}

} // namespace

TEST(D64Builder, DiskIdsBlockEndsAndRefusedAdds) {
    EXPECT_EQ(D64Extractor::readDirectory(D64Builder::create("X").data()).diskID, "00");
    EXPECT_EQ(sectorBytes(D64Builder::create("X", "7").data(), 18, 0, 0xA2, 2), "7\xA0");

    // The last block's link byte 1 points at its last data byte; an empty file has one.
    D64Builder builder = D64Builder::create("SIZES");
    builder.addFile("exact", CBMFileType::prg, sequence(254));
    builder.addFile("over", CBMFileType::seq, sequence(255));
    builder.addFile("empty", CBMFileType::usr, QByteArray());
    const QByteArray image = builder.data();
    EXPECT_EQ(sectorBytes(image, 1, 0, 0, 2), QByteArray("\x00\xFF", 2));
    EXPECT_EQ(chainOf(image, 1).size(), 2);
    EXPECT_EQ(D64Layout::readChain(image, 1, 1), sequence(255));
    EXPECT_EQ(sectorBytes(image, 1, 2, 0, 2), QByteArray("\x00\x01", 2));

    const QByteArray before = builder.data();
    EXPECT_EQ(messageOf([&] { builder.addFile("rel", CBMFileType::rel, sequence(10)); }),
              "REL files cannot be added to a D64 in this version.");
    EXPECT_EQ(messageOf([] {
                  D64Builder::open(QByteArray(174848, '\0')).addFile("x", CBMFileType::prg, "abc");
              }),
              "Not enough space on this D64. Need 1 blocks, only 0 free.");
    EXPECT_EQ(builder.data(), before);
}

// The suffix rule itself is the model's; here, names are compared as they will be listed.
TEST(D64Builder, UniqueNamesCompareNamesAsListed) {
    D64Builder builder = D64Builder::create("NAMES");
    QStringList stored;
    // "Ä" lists as nothing, hence as FILE; "aä" lists as "A".
    for (const QString name : {"GAME", "GAME", "game", "", "   ", "abcdefghijklmnopqrst",
                               "abcdefghijklmnop", "\u00c4", "a\u00e4", "A"}) {
        stored << builder.addFile(name, CBMFileType::prg, sequence(3));
    }
    EXPECT_EQ(stored, QStringList({"GAME", "GAME-2", "GAME-3", "FILE-2", "FILE-3",
                                   "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMN-2", "FILE-4", "A", "A-2"}));
    EXPECT_EQ(listedNames(builder.data()), stored);

    // An entry whose name decodes as nothing is listed as FILE, so that name is taken.
    RawImage raw;
    raw.bytes = D64Builder::create("X").data();
    raw.putEntry(1, 0, 0x82, QByteArray(16, '\xC1'), 1, 0);
    EXPECT_EQ(D64Builder::open(raw.bytes).uniqueName("file"), "FILE-2");
}

// The property test checks the maps and chains; here, which slot an entry takes.
TEST(D64Builder, SlotReuseAndDeleteRefusals) {
    D64Builder reuse = D64Builder::create("REUSE");
    for (const QString name : {"ONE", "TWO", "THREE"}) {
        reuse.addFile(name, CBMFileType::prg, sequence(300, name.size()));
    }
    reuse.deleteFile(1);
    EXPECT_EQ(sectorBytes(reuse.data(), 18, 1, 32, 32), QByteArray(32, '\0'));
    reuse.writeBAM();
    reuse.addFile("FOUR", CBMFileType::prg, sequence(300, 4));
    reuse.addFile("FIVE", CBMFileType::prg, sequence(300, 5));
    EXPECT_EQ(listedNames(reuse.data()), QStringList({"ONE", "FOUR", "THREE", "FIVE"}));
    for (const int index : {4, -1}) {
        EXPECT_EQ(messageOf([&] { reuse.deleteFile(index); }),
                  "That file is not in this D64 image.");
    }

    // A closed DEL entry (0x80) holds its slot.
    D64Builder withDel = D64Builder::create("DEL");
    withDel.addFile("a", CBMFileType::del, "x");
    withDel = D64Builder::open(withDel.data());
    withDel.addFile("b", CBMFileType::prg, sequence(3));
    EXPECT_EQ(sectorBytes(withDel.data(), 18, 1, 32 + 2, 1), "\x82");
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
