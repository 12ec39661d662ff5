#include "VellumDiskFixture.h"
#include "images/D64Extractor.h"

using namespace vellum;
using namespace vellum::testing;

TEST_F(VellumDisk, BuildListExtractDelete) {
    ASSERT_EQ(run({"new", "disk.d64", "my disk", "ab"}).status, 0);
    write("Game.prg", prg(0x0801, sequence(600, 1)));
    write("notes.seq", sequence(40, 2));
    write("hello.p00", p00("HELLO", prg(0xC000, sequence(10, 4))));
    const ToolRun added =
        run({"add", "disk.d64", "Game.prg", "notes.seq", "hello.p00", "Game.prg"});
    EXPECT_EQ(added.out, "Added “GAME”.\nAdded “NOTES”.\nAdded “HELLO”.\nAdded “GAME-2”.\n");
    EXPECT_EQ(run({"list", "disk.d64"}).out, "0 \"MY DISK         \" AB 2A\n"
                                             "3    \"GAME\"             PRG\n"
                                             "1    \"NOTES\"            SEQ\n"
                                             "1    \"HELLO\"            PRG\n"
                                             "3    \"GAME-2\"           PRG\n"
                                             "656 BLOCKS FREE.\n");

    // Extracting twice never replaces a file; a bad index among good ones writes nothing.
    QDir(dir.path()).mkdir("out");
    ASSERT_EQ(run({"extract", "disk.d64", "-o", "out"}).status, 0);
    EXPECT_EQ(run({"extract", "disk.d64", "1", "2", "-o", "out"}).out,
              "out/GAME-3.prg\nout/NOTES-2.seq\n");
    EXPECT_EQ(run({"extract", "disk.d64", "1", "9", "-o", "out"}).err,
              "That file is not in disk.d64.\n");
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files),
              QStringList({"GAME-2.prg", "GAME-3.prg", "GAME.prg", "HELLO.prg", "NOTES-2.seq",
                           "NOTES.seq"}));
    EXPECT_EQ(read("out/GAME-3.prg"), prg(0x0801, sequence(600, 1)));
    EXPECT_EQ(read("out/NOTES.seq"), sequence(40, 2));
    EXPECT_EQ(read("out/HELLO.prg"), prg(0xC000, sequence(10, 4)));

    EXPECT_EQ(run({"delete", "disk.d64", "3", "1", "3"}).out,
              "Deleted “GAME”.\nDeleted “HELLO”.\n");
    EXPECT_EQ(run({"list", "disk.d64"}).out, "0 \"MY DISK         \" AB 2A\n"
                                             "1    \"NOTES\"            SEQ\n"
                                             "3    \"GAME-2\"           PRG\n"
                                             "660 BLOCKS FREE.\n");
}

TEST_F(VellumDisk, ErrorsLeaveFilesAlone) {
    ASSERT_EQ(run({"new", "full.d64", "full"}).status, 0);
    // The second file does not fit, and the image keeps none of the first either.
    write("big.prg", sequence(254 * 400));
    write("bigger.prg", sequence(254 * 300));
    const QByteArray before = read("full.d64");
    const ToolRun tooMuch = run({"add", "full.d64", "big.prg", "bigger.prg"});
    EXPECT_EQ(tooMuch.status, 1);
    EXPECT_EQ(tooMuch.err,
              "“full.d64”: Not enough space on this D64. Need 300 blocks, only 264 free.\n");
    EXPECT_EQ(read("full.d64"), before);

    EXPECT_TRUE(run({"list", "missing.d64"}).err.contains("missing.d64"));
    EXPECT_EQ(run({"delete", "full.d64", "0"}).status, 1);
    EXPECT_EQ(run({"frobnicate"}).status, 1);
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("convert TAPE.t64"));
}

TEST_F(VellumDisk, TapesListExtractAndConvert) {
    write("Tape.t64",
          makeTape({{"FIRST", sequence(300, 1)}, {"SECOND", sequence(20, 2), 0x0901}}, ""));
    EXPECT_EQ(run({"list", "Tape.t64"}).out, "0 \"                \"\n"
                                             "2    \"FIRST\"            PRG\n"
                                             "1    \"SECOND\"           PRG\n");
    EXPECT_EQ(run({"extract", "Tape.t64", "2"}).out, "./SECOND.prg\n");
    EXPECT_EQ(read("SECOND.prg"), prg(0x0901, sequence(20, 2)));

    // A converted image takes a free name; a named target that exists is refused.
    write("Tape.d64", "not mine");
    ASSERT_EQ(run({"convert", "Tape.t64"}).status, 0);
    EXPECT_EQ(run({"convert", "Tape.t64", "Tape.d64"}).status, 1);
    EXPECT_EQ(read("Tape.d64"), "not mine");
    EXPECT_EQ(D64Extractor::parsedFiles(url("Tape-2.d64")).value(0),
              (ParsedFile{"FIRST", 0x0801, sequence(300, 1)}));
    EXPECT_EQ(D64Extractor::readDirectory(url("Tape-2.d64")).diskName, "TAPE");
}

// The reader's tests hold every kind of damage; here, what the command makes of them.
TEST_F(VellumDisk, ExtractSaysWhatWasCutShortOrLeftOut) {
    RawImage image;
    image.putEntry(1, 0, 0x82, "SOUND", 3, 0);
    image.putEntry(1, 1, 0x82, "LOOP", 4, 0);
    image.putEntry(1, 2, 0x82, "NOWHERE", 0, 0);
    image.putEntry(1, 3, 0x82, "FAR", 6, 0);
    image.put(6, 0, QByteArray("\x24\x00", 2) + QByteArray(254, 'f')); // to track 36
    image.putLastSector(3, 0, 0x05, 's');
    image.put(4, 0, QByteArray("\x04\x00", 2) + QByteArray(254, 'l')); // back to itself
    write("damaged.d64", image.bytes);
    QDir(dir.path()).mkdir("all");
    QDir(dir.path()).mkdir("one");
    const QString loop =
        "“LOOP” was cut short after 254 bytes: its chain comes back to track 4 sector 0.\n";
    const QString nowhere =
        "“NOWHERE” was left out: its first block, track 0 sector 0, is not on the disk.\n";

    const ToolRun all = run({"extract", "damaged.d64", "-o", "all"});
    EXPECT_EQ(all.status, 2);
    EXPECT_EQ(all.out, "all/SOUND.prg\nall/LOOP.prg\nall/FAR.prg\n");
    EXPECT_EQ(all.err, loop + nowhere +
                           "“FAR” was cut short after 254 bytes: its chain links to track 36 "
                           "sector 0, which is not on the disk.\n"
                           "Extracted 3 of 4 files; 2 of them were cut short.\n");
    EXPECT_EQ(read("all/LOOP.prg"), QByteArray(254, 'l'));

    const ToolRun one = run({"extract", "damaged.d64", "3", "-o", "one"});
    EXPECT_EQ(one.status, 2);
    EXPECT_EQ(one.err, nowhere + "Extracted 0 of 1 file.\n");
    EXPECT_TRUE(QDir(dir.filePath("one")).isEmpty());
    EXPECT_EQ(run({"extract", "damaged.d64", "1", "-o", "one"}).status, 0);
}

TEST_F(VellumDisk, D71AndD81ImagesTakeEveryCommand) {
    write("Game.prg", prg(0x0801, sequence(600, 1)));
    for (const auto& [image, dosType, blocksFree] :
         {std::tuple{"two.d71", "2A", 1328}, std::tuple{"big.D81", "3D", 3160}}) {
        SCOPED_TRACE(image);
        ASSERT_EQ(run({"new", image, "side by side", "xy"}).status, 0);
        EXPECT_EQ(run({"add", image, "Game.prg", "Game.prg"}).out,
                  "Added “GAME”.\nAdded “GAME-2”.\n");
        EXPECT_TRUE(run({"list", image})
                        .out.startsWith(QString("0 \"SIDE BY SIDE    \" XY %1\n").arg(dosType)));
        EXPECT_EQ(run({"delete", image, "1"}).out, "Deleted “GAME”.\n");
        EXPECT_EQ(run({"extract", image, "1"}).out, "./GAME-2.prg\n");
        EXPECT_EQ(read("GAME-2.prg"), prg(0x0801, sequence(600, 1)));
        QFile::remove(dir.filePath("GAME-2.prg"));
        EXPECT_TRUE(
            run({"list", image}).out.endsWith(QString("%1 BLOCKS FREE.\n").arg(blocksFree - 3)));
    }
}
