// The demo end to end: what it prepares (BASIC programs as a C64 stores them, its tape images
// checked with our reader and with cbmconvert, the sample floppy, the demo folder), and its
// tour, walked by its own application object on the offscreen platform with the drives at
// full speed. After each step the bytes on the simulated floppy and in the sample folder are
// compared with what should have moved.

#include "BasicProgram.h"
#include "BusState.h"
#include "DemoApplication.h"
#include "DemoFolder.h"
#include "DemoTour.h"
#include "SampleFiles.h"
#include "TapeImage.h"
#include "TourDesktopServices.h"

#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"
#include "session/VellumViewModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::demo;
using namespace std::chrono_literals;

namespace {

QByteArray readFile(const QString& path) {
    return readWholeFile(QUrl::fromLocalFile(path));
}

// The contents (load address first) of the file `name` on the disk, or nothing.
std::optional<QByteArray> fileOnDisk(const QByteArray& disk, const QString& name) {
    for (const D64Extractor::File& file : D64Extractor::files(disk)) {
        if (file.name.compare(name, Qt::CaseInsensitive) == 0) {
            return D64Extractor::parsedFile(disk, file).value_or(ParsedFile{}).contents();
        }
    }
    return std::nullopt;
}

// The names of `items` joined in lower case: the simulated drive lists them as the real tools
// print them.
template <typename Items, typename Name> QString lowerNames(const Items& items, Name name) {
    QStringList names;
    for (const auto& item : items) {
        names << std::invoke(name, item);
    }
    return names.join(u'/').toLower();
}

class DemoTourTest : public ::testing::Test {
protected:
    QTemporaryDir scratch;
    std::optional<DemoFolder> folder;
    std::unique_ptr<DemoApplication> demo;

    // The demo made afresh with the drives at full speed; `fault` is set on the bus.
    void start(const QString& fault = {}, const QString& faultValue = QStringLiteral("1")) {
        folder = prepareDemoFolder(scratch.filePath(QStringLiteral("demo")), 0);
        if (!fault.isEmpty()) {
            sim::BusState(folder->bus).setFault(fault, faultValue);
        }
        demo = std::make_unique<DemoApplication>(*qobject_cast<QApplication*>(qApp), *folder,
                                                 std::make_unique<TourDesktopServices>(*folder));
    }

    QByteArray floppy() const { return sim::BusState(folder->bus).disk(8).value_or(QByteArray()); }
    VellumViewModel& session() { return demo->session(); }
    QString floppyNames() {
        return lowerNames(session().floppy().directory().entries, &DirectoryEntry::name);
    }
};

TEST_F(DemoTourTest, WalksEveryStepAndMovesTheRightBytes) {
    start();
    const QByteArray original = floppy();
    const QByteArray program = readFile(folder->samples + QLatin1String("/greetings.prg"));
    QList<TourStep> seen;

    DemoTour(*demo, 60s).run([&](const TourShot& shot) {
        seen << shot.step;
        SCOPED_TRACE(shot.title.toStdString());
        switch (shot.step) {
        case TourStep::detect: {
            QList<qint64> devices;
            for (const DriveInfo& drive : session().drives().detectedDrives()) {
                devices << drive.deviceNumber;
            }
            EXPECT_EQ(devices, (QList<qint64>{8, 9}));
            EXPECT_EQ(session().drives().deviceNumber(), 8);
            break;
        }
        case TourStep::readDirectory:
            EXPECT_EQ(floppyNames(),
                      lowerNames(D64Extractor::files(floppy()), &D64Extractor::File::name));
            break;
        case TourStep::copyToFloppy:
            EXPECT_EQ(fileOnDisk(floppy(), QStringLiteral("GREETINGS")), program);
            EXPECT_TRUE(shot.made.isEmpty());
            // Everything that was on the disk before is still there, byte for byte.
            for (const D64Extractor::File& file : D64Extractor::files(original)) {
                EXPECT_EQ(fileOnDisk(floppy(), file.name), fileOnDisk(original, file.name))
                    << file.name.toStdString();
            }
            break;
        case TourStep::copyToComputer:
            ASSERT_EQ(shot.made.size(), 1);
            EXPECT_EQ(QFileInfo(shot.made.first()).fileName(), QStringLiteral("hello.prg"));
            EXPECT_EQ(readFile(shot.made.first()), fileOnDisk(floppy(), QStringLiteral("HELLO")));
            break;
        case TourStep::saveAsD64:
            ASSERT_EQ(shot.made.size(), 1);
            EXPECT_EQ(readFile(shot.made.first()), floppy());
            break;
        case TourStep::openD64:
            EXPECT_EQ(lowerNames(session().computer().visibleLocalItems(), &ComputerFileItem::name),
                      floppyNames());
            EXPECT_TRUE(session().computer().isBrowsingD64());
            break;
        }
    });

    EXPECT_EQ(seen,
              (QList<TourStep>{TourStep::detect, TourStep::readDirectory, TourStep::copyToFloppy,
                               TourStep::copyToComputer, TourStep::saveAsD64, TourStep::openD64}));
    // The demo never wrote settings of its own outside its folder.
    EXPECT_TRUE(QFile::exists(folder->settings + QLatin1String("/Vellum/Vellum.conf")));
}

// A tour that cannot go on says at which step and why.
TEST_F(DemoTourTest, NamesTheStepThatFailed) {
    const std::tuple<QString, QString, std::string> cases[] = {
        {sim::fault::noDrive, "1", "Step 1 (Detect"},
        // Small files land next to the directory track; only the whole-disk save reaches 35.
        {sim::fault::failAtTrack, "35", "Step 5 (Save"},
    };
    for (const auto& [fault, value, step] : cases) {
        start(fault, value);
        try {
            DemoTour(*demo, 60s).run();
            ADD_FAILURE() << "the tour went through, expected to stop at " << step;
        } catch (const TourFailure& failure) {
            EXPECT_EQ(std::string(failure.what()).rfind(step, 0), 0u) << failure.what();
        }
        demo.reset();
    }
}

TEST(BasicProgram, TokenisesAsTheC64EditorDoes) {
    // Nothing inside quotes, after REM, or in DATA up to the next colon; PRINT# comes before
    // PRINT in the table; operators are tokens too.
    const std::pair<QString, QByteArray> cases[] = {
        {"10 PRINT \"HI\"", "992022484922"},
        {"20 PRINT \"GOTO\"", "992022474f544f22"},
        {"30 REM PRINT TO", "8f205052494e5420544f"},
        {"40 DATA TO,\"A:B\":PRINT", "8320544f2c22413a42223a99"},
        {"50 PRINT#1,A", "98312c41"},
        {"70 FOR I=1 TO 9 STEP 2", "812049b23120a4203920a92032"},
    };
    for (const auto& [line, body] : cases) {
        // The tokenised text lies between the line number and the line's end.
        const QByteArray program = basicProgram({line});
        EXPECT_EQ(program.mid(6, program.size() - 6 - 3).toHex(), body) << line.toStdString();
    }
}

TEST(TapeImage, ReadsBackWithOurReaderAndCbmconvert) {
    const QList<AddableFile> files{
        {"MAZE", CBMFileType::prg, basicProgram({"10 PRINT CHR$(205.5+RND(1));:GOTO 10"})},
        {"code", CBMFileType::prg, QByteArray("\x00\xC0\xEE\x20\xD0\x60", 6)},
    };
    const QByteArray tape = tapeImage("classics", files);

    const T64Converter::Tape read = T64Converter::parseT64(tape);
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
    EXPECT_EQ(readFile(dir.filePath("maze.prg")), files.at(0).contents);
    EXPECT_EQ(readFile(dir.filePath("code.prg")), files.at(1).contents);
}

TEST(SampleFiles, FloppyHoldsProgramsThatRunAndTextFiles) {
    const QByteArray disk = sampleFloppy();
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
}

TEST(DemoFolderTest, IsMadeAfreshButNeverOverAStrangersFolder) {
    QTemporaryDir scratch;
    const DemoFolder made = prepareDemoFolder(scratch.filePath("demo"), 0.5);
    const sim::BusState bus(made.bus);
    EXPECT_EQ(bus.devices(), (QList<qint64>{8, 9}));
    EXPECT_EQ(bus.disk(8), sampleFloppy());
    EXPECT_EQ(bus.faultNumber(sim::fault::secondsPerTrack, -1), 0.5);
    EXPECT_EQ(QDir(made.samples).entryList(QDir::Files).size(), sampleFolderFiles().size());

    // A second run replaces the first, left-overs and pace included.
    writeFileAtomically(QUrl::fromLocalFile(made.samples + "/leftover.prg"), "x");
    prepareDemoFolder(scratch.filePath("demo"), 0);
    EXPECT_FALSE(QFile::exists(made.samples + "/leftover.prg"));
    EXPECT_FALSE(bus.faultValue(sim::fault::secondsPerTrack).has_value());

    // A folder with someone's files is refused and left alone.
    const QString foreign = scratch.filePath("mine");
    QDir().mkpath(foreign);
    writeFileAtomically(QUrl::fromLocalFile(foreign + "/thesis.txt"), "precious");
    EXPECT_THROW(prepareDemoFolder(foreign, 0), PlatformError);
    EXPECT_EQ(readFile(foreign + "/thesis.txt"), "precious");
    EXPECT_FALSE(QFile::exists(foreign + "/bus"));
}

} // namespace
