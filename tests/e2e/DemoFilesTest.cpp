// What the demo prepares: BASIC programs as a C64 stores them, its tape images (checked
// with our reader and with cbmconvert), the sample floppy, and the demo folder itself.

#include "BasicProgram.h"
#include "BusState.h"
#include "DemoFolder.h"
#include "SampleFiles.h"
#include "TapeImage.h"

#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::demo;

namespace {

// The tokenised text of a one-line program (between the line number and the line's end).
QByteArray lineBody(const QString& line) {
    const QByteArray program = basicProgram({line});
    return program.mid(6, program.size() - 6 - 3);
}

TEST(BasicProgram, TokenisesAsTheC64EditorDoes) {
    const struct {
        QString line;
        QByteArray body;
    } cases[] = {
        {"10 PRINT \"HI\"", QByteArray::fromHex("992022484922")},
        // Nothing inside quotes, after REM, or in DATA up to the next colon.
        {"20 PRINT \"GOTO\"", QByteArray("\x99 \"GOTO\"")},
        {"30 REM PRINT TO", QByteArray("\x8F PRINT TO")},
        {"40 DATA TO,\"A:B\":PRINT", QByteArray("\x83 TO,\"A:B\":\x99")},
        // PRINT# comes before PRINT in the table; operators are tokens too.
        {"50 PRINT#1,A", QByteArray("\x98"
                                    "1,A")},
        {"60 A=B-1*2", QByteArray("A\xB2"
                                  "B\xAB"
                                  "1\xAC"
                                  "2")},
        {"70 FOR I=1 TO 9 STEP 2", QByteArray("\x81 I\xB2"
                                              "1 \xA4 9 \xA9 2")},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(lineBody(each.line).toHex(), each.body.toHex()) << each.line.toStdString();
    }
}

TEST(BasicProgram, LinksEveryLineToTheNext) {
    const QByteArray program =
        basicProgram({"10 PRINT 1", "not a line", "20 END", "65000 END"}, 0x1001);
    ASSERT_EQ(program.left(2), QByteArray("\x01\x10", 2));
    const auto word = [&program](qsizetype at) {
        return quint16(quint8(program.at(at)) | quint8(program.at(at + 1)) << 8);
    };
    // Two lines: the text without a number and the number above 63999 are dropped.
    qsizetype at = 2;
    QList<quint16> numbers;
    while (word(at) != 0) {
        numbers << word(at + 2);
        const qsizetype next = word(at) - 0x1001 + 2;
        ASSERT_GT(next, at);
        EXPECT_EQ(program.at(next - 1), '\0');
        at = next;
    }
    EXPECT_EQ(numbers, (QList<quint16>{10, 20}));
    EXPECT_EQ(at + 2, program.size());
}

TEST(TapeImage, ReadsBackWithOurReaderAndCbmconvert) {
    const QList<AddableFile> files{
        {"MAZE", CBMFileType::prg, basicProgram({"10 PRINT CHR$(205.5+RND(1));:GOTO 10"})},
        {"code", CBMFileType::prg, QByteArray("\x00\xC0\xEE\x20\xD0\x60", 6)},
    };
    const QByteArray tape = tapeImage("classics", files);

    const T64Converter::Tape read = T64Converter::parseT64(tape);
    EXPECT_EQ(read.name.trimmed(), QStringLiteral("CLASSICS"));
    ASSERT_EQ(read.files.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        EXPECT_EQ(read.files.at(i).name.trimmed(), files.at(i).name.toUpper());
        EXPECT_EQ(read.files.at(i).contents(), files.at(i).contents);
    }

    if (QStandardPaths::findExecutable("cbmconvert").isEmpty()) {
        GTEST_SKIP() << "cbmconvert is not installed";
    }
    QTemporaryDir dir;
    writeFileAtomically(QUrl::fromLocalFile(dir.filePath("tape.t64")), tape);
    QProcess cbmconvert;
    cbmconvert.setWorkingDirectory(dir.path());
    cbmconvert.start(QStandardPaths::findExecutable("cbmconvert"), {"-v0", "-N", "-t", "tape.t64"});
    ASSERT_TRUE(cbmconvert.waitForFinished(30000));
    EXPECT_EQ(cbmconvert.exitCode(), 0);
    EXPECT_EQ(readWholeFile(QUrl::fromLocalFile(dir.filePath("maze.prg"))), files.at(0).contents);
    EXPECT_EQ(readWholeFile(QUrl::fromLocalFile(dir.filePath("code.prg"))), files.at(1).contents);
}

TEST(SampleFiles, FloppyHoldsProgramsThatRunAndTextFiles) {
    const QByteArray disk = sampleFloppy();
    EXPECT_EQ(D64Extractor::readDirectory(disk).diskName.trimmed(), QStringLiteral("VELLUM DEMO"));
    QMap<CBMFileType, int> types;
    for (const D64Extractor::File& file : D64Extractor::files(disk)) {
        ++types[file.type];
        const QByteArray contents = D64Extractor::parsedFile(disk, file)->contents();
        if (file.type == CBMFileType::seq) {
            EXPECT_TRUE(contents.endsWith('\r'));
            EXPECT_EQ(contents, contents.toUpper());
            continue;
        }
        // BASIC at 0x0801; a SYS line starts the machine code right behind the program.
        EXPECT_EQ(contents.left(2), QByteArray("\x01\x08", 2));
        const qsizetype sys = contents.indexOf('\x9E');
        if (sys == 6) {
            const quint16 target = contents.mid(7, 4).toUShort();
            const qsizetype offset = target - 0x0801 + 2;
            ASSERT_LT(offset, contents.size());
            EXPECT_EQ(contents.mid(offset - 2, 2), QByteArray(2, '\0')) << "end of BASIC";
            EXPECT_EQ(quint8(contents.at(offset)), 0x20) << "JSR first";
        }
    }
    EXPECT_GE(types.value(CBMFileType::prg), 3);
    EXPECT_GE(types.value(CBMFileType::seq), 2);

    QStringList extensions;
    for (const SampleFile& file : sampleFolderFiles()) {
        extensions << QFileInfo(file.fileName).suffix();
    }
    extensions.sort();
    EXPECT_EQ(extensions, (QStringList{"d64", "prg", "seq", "t64"}));
}

TEST(DemoFolderTest, IsMadeAfreshButNeverOverAStrangersFolder) {
    QTemporaryDir scratch;
    const QString root = scratch.filePath("demo");

    const DemoFolder made = prepareDemoFolder(root, 0.5);
    const sim::BusState bus(made.bus);
    EXPECT_EQ(bus.devices(), (QList<qint64>{8, 9}));
    EXPECT_EQ(bus.model(8), QStringLiteral("1541-II"));
    EXPECT_EQ(bus.disk(8), sampleFloppy());
    EXPECT_EQ(bus.model(9), QStringLiteral("1571"));
    EXPECT_FALSE(bus.disk(9).has_value());
    EXPECT_EQ(bus.faultNumber(sim::fault::secondsPerTrack, -1), 0.5);
    EXPECT_EQ(QDir(made.samples).entryList(QDir::Files).size(), sampleFolderFiles().size());

    // A second run replaces the first, left-overs and pace included.
    QFile leftover(made.samples + "/leftover.prg");
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    prepareDemoFolder(root, 0);
    EXPECT_FALSE(QFile::exists(made.samples + "/leftover.prg"));
    EXPECT_FALSE(bus.faultValue(sim::fault::secondsPerTrack).has_value());

    // An empty folder is taken; one with someone's files is refused and left alone.
    const QString empty = scratch.filePath("empty");
    QDir().mkpath(empty);
    EXPECT_NO_THROW(prepareDemoFolder(empty, 0));
    const QString foreign = scratch.filePath("mine");
    QDir().mkpath(foreign);
    writeFileAtomically(QUrl::fromLocalFile(foreign + "/thesis.txt"), "precious");
    EXPECT_THROW(prepareDemoFolder(foreign, 0), PlatformError);
    EXPECT_EQ(readWholeFile(QUrl::fromLocalFile(foreign + "/thesis.txt")), "precious");
    EXPECT_FALSE(QFile::exists(foreign + "/bus"));
}

} // namespace
