// Checks the image code against two independent tools: cbmconvert and cc1541. A test is
// skipped only when a tool it needs is not installed.

#include "ImageFixtures.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/DiskGeometry.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <bit>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

struct Listing {
    QStringList lines; // "blocks name", names in lower case
    qint64 blocksFree = -1;
    friend bool operator==(const Listing&, const Listing&) = default;
};

class CrossCheck : public ::testing::Test, protected ImageFolder {
protected:
    bool missing(const QString& tool) { return QStandardPaths::findExecutable(tool).isEmpty(); }

    QString runTool(const QString& tool, const QStringList& arguments, const QString& folder = {}) {
        QProcess process;
        process.setWorkingDirectory(dir.filePath(folder));
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStandardPaths::findExecutable(tool), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        const QString output = QString::fromUtf8(process.readAll());
        EXPECT_EQ(process.exitCode(), 0) << output.toStdString();
        return output;
    }

    // cc1541 lists a copy, as it may rewrite the image it opens. It counts the free blocks
    // that a D71's track 53 shows as well, which the drive leaves out; they are taken off.
    Listing cc1541Listing(const QString& image) {
        const QString copy = "copy." + QFileInfo(image).suffix();
        QFile::remove(dir.filePath(copy));
        QFile::copy(dir.filePath(image), dir.filePath(copy));
        static const QRegularExpression entry(R"(^(\d+)\s+"([^"]*)\"\s+\*?(prg|seq|usr))");
        static const QRegularExpression free(R"(^(\d+) blocks free)");
        Listing listing;
        for (const QString& line : runTool("cc1541", {"-U", "0", copy}).split('\n')) {
            if (const auto match = entry.match(line); match.hasMatch()) {
                listing.lines << match.captured(1) + " " + match.captured(2).toLower();
            } else if (const auto match = free.match(line); match.hasMatch()) {
                listing.blocksFree = match.captured(1).toLongLong();
            }
        }
        const QByteArray bytes = read(image);
        const DiskGeometry& geometry = geometryOfImage(bytes);
        if (geometry.otherReservedTrack != 0) {
            listing.blocksFree -=
                std::popcount(FreeMap::storedSectors(geometry, bytes, geometry.otherReservedTrack));
        }
        return listing;
    }

    Listing vellumListing(const QString& image) {
        const DiskDirectory directory = D64Extractor::readDirectory(read(image));
        Listing listing;
        for (const DirectoryEntry& entry : directory.entries) {
            listing.lines << QString::number(entry.blocks) + " " + entry.name.toLower();
        }
        listing.blocksFree = *directory.blocksFree;
        return listing;
    }

    // Every file of the image as Vellum reads it, keyed like cbmconvert's output files.
    QMap<QString, QByteArray> vellumFiles(const QString& image) {
        const QByteArray bytes = read(image);
        QMap<QString, QByteArray> files;
        for (const auto& file : D64Extractor::files(bytes)) {
            files[file.name.toLower() + "." + fileExtension(file.type)] =
                D64Extractor::parsedFile(bytes, file)->contents();
        }
        return files;
    }

    QMap<QString, QByteArray> cbmconvertFiles(const QStringList& arguments) {
        QDir(dir.path()).mkdir("out");
        runTool("cbmconvert", QStringList{"-v0", "-N"} + arguments, "out");
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(dir.filePath("out")).entryList(QDir::Files)) {
            files[name] = read("out/" + name);
        }
        QDir(dir.filePath("out")).removeRecursively();
        return files;
    }
};

// Sizes around the block boundaries, in three types.
const QList<std::pair<QString, CBMFileType>> sampleNames = {
    {"FILE0", CBMFileType::prg}, {"FILE1", CBMFileType::seq}, {"FILE2", CBMFileType::usr},
    {"FILE3", CBMFileType::prg}, {"FILE4", CBMFileType::seq}, {"FILE5", CBMFileType::usr},
    {"FILE6", CBMFileType::prg}, {"FILE7", CBMFileType::prg}};
const QList<qint64> sampleSizes = {2, 253, 254, 255, 508, 509, 5000, 20000};

// Each format with cbmconvert's option that writes it, and a file that reaches past the
// first side (tracks 36 on of a D71, 41 on of a D81).
struct FormatCase {
    DiskImageFormat format;
    QString cbmconvertOption;
    qint64 bigFile;
};
const QList<FormatCase> formatCases = {{DiskImageFormat::d64, "-D4", 40000},
                                       {DiskImageFormat::d71, "-D7", 200000},
                                       {DiskImageFormat::d81, "-D8", 500000}};

QString imageName(const QString& base, DiskImageFormat format) {
    return base + "." + fileExtension(format);
}

} // namespace

TEST_F(CrossCheck, ImagesVellumBuildsAreReadAlikeByBothTools) {
    if (missing("cbmconvert") || missing("cc1541")) {
        GTEST_SKIP() << "cbmconvert or cc1541 is not installed";
    }
    for (const FormatCase& format : formatCases) {
        const QString image = imageName("vellum", format.format);
        SCOPED_TRACE(image.toStdString());
        D64Builder builder = D64Builder::create("cross check", "xc", format.format);
        for (qsizetype i = 0; i < sampleNames.size(); ++i) {
            builder.addFile(sampleNames[i].first, sampleNames[i].second,
                            sequence(sampleSizes[i], int(i)));
        }
        builder.deleteFile(6);
        builder.deleteFile(2);
        builder.writeBAM();
        builder.addFile("LATE", CBMFileType::prg, sequence(3000, 77)); // into a freed slot
        builder.addFile("FILE0", CBMFileType::prg, sequence(700, 78));
        builder.addFile("BIG", CBMFileType::prg, sequence(format.bigFile, 79));
        write(image, builder.data());

        const QMap<QString, QByteArray> ours = vellumFiles(image);
        EXPECT_EQ(ours.size(), 9);
        EXPECT_EQ(ours["file0-2.prg"], sequence(700, 78));
        EXPECT_EQ(ours["file4.seq"], sequence(508, 4));
        EXPECT_EQ(ours["big.prg"], sequence(format.bigFile, 79));
        EXPECT_EQ(cbmconvertFiles({"-d", dir.filePath(image)}), ours);
        EXPECT_EQ(cc1541Listing(image), vellumListing(image));
    }
}

TEST_F(CrossCheck, ImagesBothToolsBuildAreReadAlikeByVellum) {
    if (missing("cbmconvert") || missing("cc1541")) {
        GTEST_SKIP() << "cbmconvert or cc1541 is not installed";
    }
    for (const FormatCase& format : formatCases) {
        SCOPED_TRACE(displayName(format.format).toStdString());
        const QString cc1541Image = imageName("cc1541", format.format);
        const QString cbmconvertImage = imageName("cbmconvert", format.format);
        const QString edited = imageName("edited", format.format);
        // cc1541 takes ASCII lower case for the letters a 1541 lists as capitals.
        QStringList cc1541Arguments = {"-q", "-n", "other tool", "-i", "ot"};
        QStringList cbmconvertArguments = {"-v0", format.cbmconvertOption, cbmconvertImage, "-n"};
        QMap<QString, QByteArray> expected;
        for (qsizetype i = 0; i <= sampleNames.size(); ++i) {
            const bool big = i == sampleNames.size();
            const auto& [name, type] =
                big ? std::pair<QString, CBMFileType>{"BIG", CBMFileType::prg} : sampleNames[i];
            const QString fileName = name.toLower() + "." + fileExtension(type);
            expected[fileName] = sequence(big ? format.bigFile : sampleSizes[i], int(i));
            write(fileName, expected[fileName]);
            cc1541Arguments << "-f" << name.toLower() << "-T" << rawValue(type) << "-w" << fileName;
            cbmconvertArguments << fileName;
        }
        runTool("cc1541", cc1541Arguments << cc1541Image);
        runTool("cbmconvert", cbmconvertArguments);

        for (const QString& image : {cc1541Image, cbmconvertImage}) {
            SCOPED_TRACE(image.toStdString());
            EXPECT_EQ(vellumFiles(image), expected);
            // cc1541 keeps the free counts of a D71's tracks 36-70 in 53/0, where the 1571
            // does not read them (it reads 18/0 from 0xDD), so only its entries are compared.
            const bool countsElsewhere =
                image == cc1541Image && format.format == DiskImageFormat::d71;
            EXPECT_EQ(vellumListing(image).lines, cc1541Listing(image).lines);
            if (!countsElsewhere) {
                EXPECT_EQ(vellumListing(image).blocksFree, cc1541Listing(image).blocksFree);
            }
        }
        EXPECT_EQ(D64Extractor::readDirectory(url(cc1541Image)).diskName, "OTHER TOOL");

        // Vellum edits what cc1541 made, and cc1541 and cbmconvert agree with the result.
        D64Builder builder = D64Builder::open(read(cc1541Image));
        builder.deleteFile(0);
        builder.writeBAM();
        builder.addFile("added", CBMFileType::prg, sequence(4000, 5));
        write(edited, builder.data());
        EXPECT_EQ(vellumListing(edited), cc1541Listing(edited));
        EXPECT_EQ(vellumFiles(edited)["added.prg"], sequence(4000, 5));
        EXPECT_EQ(cbmconvertFiles({"-d", dir.filePath(edited)}), vellumFiles(edited));
    }
}

TEST_F(CrossCheck, FortyTrackImagesOfCc1541AreReadWhole) {
    if (missing("cc1541")) {
        GTEST_SKIP() << "cc1541 is not installed";
    }
    // The first file fills tracks 1-35 and runs onto 36-40; the second lies beyond 35.
    write("big.prg", sequence(170000, 1));
    write("later.prg", sequence(20000, 2));
    runTool("cc1541", {"-q", "-4", "-n", "forty", "-i", "40", "-f", "big", "-w", "big.prg", "-f",
                       "later", "-w", "later.prg", "forty.d64"});
    // With the error bytes after the sectors, too.
    write("errors.d64", read("forty.d64") + QByteArray(768, '\x01'));
    for (const QString image : {"forty.d64", "errors.d64"}) {
        EXPECT_EQ(vellumFiles(image),
                  (QMap<QString, QByteArray>{{"big.prg", read("big.prg")},
                                             {"later.prg", read("later.prg")}}));
    }
    EXPECT_EQ(vellumListing("forty.d64").lines, cc1541Listing("forty.d64").lines);
}

TEST_F(CrossCheck, TapesAndP00FilesReadAlikeByCbmconvertAndVellum) {
    if (missing("cbmconvert")) {
        GTEST_SKIP() << "cbmconvert is not installed";
    }
    QList<TapeEntry> entries;
    for (int i = 0; i < 3; ++i) {
        entries.append({QByteArray("FILE ") + char('A' + i), sequence(100 + 900 * i, i),
                        quint16(0x0801 + 0x1000 * i)});
    }
    write("cross.t64", makeTape(entries, "CROSS TAPE", 30));
    QMap<QString, QByteArray> ours;
    for (const ParsedFile& file : T64Converter::parsedFiles(url("cross.t64"))) {
        ours[file.name.toLower() + ".prg"] = file.contents();
    }
    EXPECT_EQ(ours.size(), 3);
    EXPECT_EQ(cbmconvertFiles({"-t", dir.filePath("cross.t64")}), ours);
    // The disk converted from the tape holds the same files.
    T64Converter::convert(url("cross.t64"), url("tape.d64"));
    EXPECT_EQ(cbmconvertFiles({"-d", dir.filePath("tape.d64")}), ours);

    write("hello world.prg", sequence(700, 1));
    runTool("cbmconvert", {"-v0", "-P", "-n", "hello world.prg"});
    const QStringList p00s = QDir(dir.path()).entryList({"*.p00", "*.P00"}, QDir::Files);
    ASSERT_EQ(p00s.size(), 1);
    EXPECT_EQ(T64Converter::loadFiles(url(p00s[0])),
              QList<AddableFile>({{"HELLO WORLD", CBMFileType::prg, sequence(700, 1)}}));
}
