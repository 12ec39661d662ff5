#include "ImageFixtures.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using vellum::testing::sequence;

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

class VellumDisk : public ::testing::Test {
protected:
    ToolRun run(const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(VELLUM_DISK_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) {
        writeFileAtomically(QUrl::fromLocalFile(path(name)), bytes);
    }
    QByteArray read(const QString& name) const {
        return readWholeFile(QUrl::fromLocalFile(path(name)));
    }
    QStringList filesIn(const QString& folder) const {
        return QDir(path(folder)).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir dir;
};

QByteArray prg(quint16 address, const QByteArray& body) {
    return QByteArray(1, char(address & 0xFF)) + char(address >> 8) + body;
}

} // namespace

TEST_F(VellumDisk, BuildListExtractDelete) {
    ASSERT_EQ(run({"new", "disk.d64", "my disk", "ab"}).status, 0);
    write("Game.prg", prg(0x0801, sequence(600, 1)));
    write("notes.seq", sequence(40, 2));
    write("table.rel", sequence(40, 3));
    QByteArray p00("C64File");
    p00 += QByteArray(1, '\0') + QByteArray("HELLO").leftJustified(16, '\0') + QByteArray(2, '\0') +
           prg(0xC000, sequence(10, 4));
    write("hello.p00", p00);

    const ToolRun added =
        run({"add", "disk.d64", "Game.prg", "notes.seq", "table.rel", "hello.p00", "Game.prg"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    EXPECT_EQ(added.out, "Added “GAME”.\nAdded “NOTES”.\nAdded “HELLO”.\nAdded “GAME-2”.\n");

    const ToolRun listed = run({"list", "disk.d64"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "0 \"MY DISK         \" AB 2A\n"
                          "3    \"GAME\"             PRG\n"
                          "1    \"NOTES\"            SEQ\n"
                          "1    \"HELLO\"            PRG\n"
                          "3    \"GAME-2\"           PRG\n"
                          "656 BLOCKS FREE.\n");

    // Extracting twice never replaces a file.
    QDir(dir.path()).mkdir("out");
    ASSERT_EQ(run({"extract", "disk.d64", "-o", "out"}).status, 0);
    const ToolRun again = run({"extract", "disk.d64", "1", "2", "-o", "out"});
    ASSERT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "out/GAME-3.prg\nout/NOTES-2.seq\n");
    EXPECT_EQ(filesIn("out"), QStringList({"GAME-2.prg", "GAME-3.prg", "GAME.prg", "HELLO.prg",
                                           "NOTES-2.seq", "NOTES.seq"}));
    EXPECT_EQ(read("out/GAME.prg"), prg(0x0801, sequence(600, 1)));
    EXPECT_EQ(read("out/GAME-3.prg"), prg(0x0801, sequence(600, 1)));
    EXPECT_EQ(read("out/NOTES.seq"), sequence(40, 2));
    EXPECT_EQ(read("out/HELLO.prg"), prg(0xC000, sequence(10, 4)));

    // A bad index among good ones writes nothing.
    const ToolRun bad = run({"extract", "disk.d64", "1", "9", "-o", "out"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "That file is not in disk.d64.\n");
    EXPECT_EQ(filesIn("out").size(), 6);

    const ToolRun deleted = run({"delete", "disk.d64", "3", "1", "3"});
    ASSERT_EQ(deleted.status, 0) << deleted.err.toStdString();
    EXPECT_EQ(deleted.out, "Deleted “GAME”.\nDeleted “HELLO”.\n");
    EXPECT_EQ(run({"list", "disk.d64"}).out, "0 \"MY DISK         \" AB 2A\n"
                                             "1    \"NOTES\"            SEQ\n"
                                             "3    \"GAME-2\"           PRG\n"
                                             "660 BLOCKS FREE.\n");
}

TEST_F(VellumDisk, ErrorsLeaveFilesAlone) {
    ASSERT_EQ(run({"new", "full.d64", "full"}).status, 0);
    const ToolRun again = run({"new", "full.d64", "other"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains("already exists")) << again.err.toStdString();
    EXPECT_EQ(run({"new", "x.d64", "a,b"}).err, "Disk name cannot contain a comma.\n");
    EXPECT_EQ(run({"new", "x.d64", "abc", "1"}).err, "Disk ID must be exactly 2 characters.\n");
    EXPECT_EQ(run({"new", "x.d64", "abcdefghijklmnopq"}).err,
              "Disk name must be 16 characters or fewer.\n");
    EXPECT_FALSE(QFile::exists(path("x.d64")));

    // The second file does not fit; the image keeps none of the first either.
    write("big.prg", sequence(254 * 400));
    write("bigger.prg", sequence(254 * 300));
    const QByteArray before = read("full.d64");
    const ToolRun tooMuch = run({"add", "full.d64", "big.prg", "bigger.prg"});
    EXPECT_EQ(tooMuch.status, 1);
    EXPECT_EQ(tooMuch.err, "Not enough space on this D64. Need 300 blocks, only 281 free.\n");
    EXPECT_EQ(read("full.d64"), before);

    write("short.d64", QByteArray(1000, '\0'));
    const ToolRun tooSmall = run({"list", "short.d64"});
    EXPECT_EQ(tooSmall.status, 1);
    EXPECT_EQ(tooSmall.err, "This D64 image is too small to be valid.\n");
    EXPECT_EQ(run({"add", "short.d64", "big.prg"}).err,
              "This D64 image is too small to be valid.\n");
    EXPECT_EQ(read("short.d64"), QByteArray(1000, '\0'));

    const ToolRun missing = run({"list", "missing.d64"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("missing.d64")) << missing.err.toStdString();
    EXPECT_EQ(run({"delete", "full.d64", "0"}).status, 1);
    EXPECT_EQ(run({"frobnicate"}).status, 1);
    EXPECT_EQ(run({}).status, 1);
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("convert TAPE.t64"));
}

TEST_F(VellumDisk, TapesListExtractAndConvert) {
    // A tape made by hand: two files, blank tape name.
    QByteArray tape("C64S tape image file");
    tape = tape.leftJustified(32, '\0');
    tape += QByteArray(8, '\0') + QByteArray(24, ' ');
    tape[0x22] = 2;
    tape[0x24] = 2;
    tape += QByteArray(64, '\0');
    const QList<QByteArray> bodies = {sequence(300, 1), sequence(20, 2)};
    for (int i = 0; i < 2; ++i) {
        const int entry = 64 + 32 * i;
        const int offset = tape.size();
        tape[entry] = 1;
        tape[entry + 2] = 0x01;
        tape[entry + 3] = char(0x08 + i);
        const int end = 0x0801 + 0x100 * i + bodies[i].size();
        tape[entry + 4] = char(end & 0xFF);
        tape[entry + 5] = char(end >> 8);
        tape[entry + 8] = char(offset & 0xFF);
        tape[entry + 9] = char(offset >> 8);
        tape.replace(entry + 16, 16,
                     QByteArray(i == 0 ? "FIRST" : "SECOND").leftJustified(16, ' '));
        tape += bodies[i];
    }
    write("Tape.t64", tape);

    EXPECT_EQ(run({"list", "Tape.t64"}).out, "0 \"                \"\n"
                                             "2    \"FIRST\"            PRG\n"
                                             "1    \"SECOND\"           PRG\n");
    const ToolRun extracted = run({"extract", "Tape.t64", "2"});
    EXPECT_EQ(extracted.out, "./SECOND.prg\n");
    EXPECT_EQ(read("SECOND.prg"), prg(0x0901, sequence(20, 2)));

    write("Tape.d64", "not mine");
    const ToolRun converted = run({"convert", "Tape.t64"});
    ASSERT_EQ(converted.status, 0) << converted.err.toStdString();
    EXPECT_EQ(read("Tape.d64"), "not mine");
    const QList<ParsedFile> files =
        D64Extractor::parsedFiles(QUrl::fromLocalFile(path("Tape-2.d64")));
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0], (ParsedFile{"FIRST", 0x0801, sequence(300, 1)}));
    EXPECT_EQ(D64Extractor::readDirectory(QUrl::fromLocalFile(path("Tape-2.d64"))).diskName,
              "TAPE");

    EXPECT_EQ(run({"convert", "Tape.t64", "Tape.d64"}).status, 1);
    EXPECT_EQ(read("Tape.d64"), "not mine");
    EXPECT_EQ(run({"convert", "Tape.t64", "named.d64"}).status, 0);
    EXPECT_EQ(read("named.d64"), read("Tape-2.d64"));
}
