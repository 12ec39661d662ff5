// Checks the image code against two independent tools: cbmconvert and cc1541. A test is
// skipped only when a tool it needs is not installed.

#include "ImageFixtures.h"
#include "TapeFixtures.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

struct Listing {
    QStringList lines; // "blocks name", names in lower case
    qint64 blocksFree = -1;
    friend bool operator==(const Listing&, const Listing&) = default;
};

class CrossCheck : public ::testing::Test {
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
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(dir.filePath(name)); }
    void write(const QString& name, const QByteArray& bytes) {
        writeFileAtomically(url(name), bytes);
    }
    QByteArray read(const QString& name) const { return readWholeFile(url(name)); }

    // cc1541 lists a copy, as it may rewrite the image it opens.
    Listing cc1541Listing(const QString& image) {
        QFile::remove(dir.filePath("copy.d64"));
        QFile::copy(dir.filePath(image), dir.filePath("copy.d64"));
        static const QRegularExpression entry(R"(^(\d+)\s+"([^"]*)\"\s+\*?(prg|seq|usr))");
        static const QRegularExpression free(R"(^(\d+) blocks free)");
        Listing listing;
        for (const QString& line : runTool("cc1541", {"-U", "0", "copy.d64"}).split('\n')) {
            if (const auto match = entry.match(line); match.hasMatch()) {
                listing.lines << match.captured(1) + " " + match.captured(2).toLower();
            } else if (const auto match = free.match(line); match.hasMatch()) {
                listing.blocksFree = match.captured(1).toLongLong();
            }
        }
        return listing;
    }

    // Vellum's listing, counting free blocks as a drive does: without track 18.
    Listing vellumListing(const QString& image) {
        const QByteArray bytes = read(image);
        const DiskDirectory directory = D64Extractor::readDirectory(bytes);
        Listing listing;
        for (const DirectoryEntry& entry : directory.entries) {
            listing.lines << QString::number(entry.blocks) + " " + entry.name.toLower();
        }
        listing.blocksFree = *directory.blocksFree - quint8(D64Layout::sector(bytes, 18, 0)[72]);
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

    QTemporaryDir dir;
};

// Sizes around the block boundaries, in three types.
const QList<std::pair<QString, CBMFileType>> sampleNames = {
    {"FILE0", CBMFileType::prg}, {"FILE1", CBMFileType::seq}, {"FILE2", CBMFileType::usr},
    {"FILE3", CBMFileType::prg}, {"FILE4", CBMFileType::seq}, {"FILE5", CBMFileType::usr},
    {"FILE6", CBMFileType::prg}, {"FILE7", CBMFileType::prg}};
const QList<qint64> sampleSizes = {2, 253, 254, 255, 508, 509, 5000, 20000};

} // namespace

TEST_F(CrossCheck, ImagesVellumBuildsAreReadAlikeByBothTools) {
    if (missing("cbmconvert") || missing("cc1541")) {
        GTEST_SKIP() << "cbmconvert or cc1541 is not installed";
    }
    D64Builder builder = D64Builder::create("cross check", "xc");
    for (qsizetype i = 0; i < sampleNames.size(); ++i) {
        builder.addFile(sampleNames[i].first, sampleNames[i].second,
                        sequence(sampleSizes[i], int(i)));
    }
    builder.deleteFile(6);
    builder.deleteFile(2);
    builder.writeBAM();
    builder.addFile("LATE", CBMFileType::prg, sequence(3000, 77)); // into a freed slot
    builder.addFile("FILE0", CBMFileType::prg, sequence(700, 78));
    write("vellum.d64", builder.data());

    const QMap<QString, QByteArray> ours = vellumFiles("vellum.d64");
    EXPECT_EQ(ours.size(), 8);
    EXPECT_EQ(ours["file0-2.prg"], sequence(700, 78));
    EXPECT_EQ(ours["file4.seq"], sequence(508, 4));
    EXPECT_EQ(cbmconvertFiles({"-d", dir.filePath("vellum.d64")}), ours);
    EXPECT_EQ(cc1541Listing("vellum.d64"), vellumListing("vellum.d64"));
}

TEST_F(CrossCheck, ImagesBothToolsBuildAreReadAlikeByVellum) {
    if (missing("cbmconvert") || missing("cc1541")) {
        GTEST_SKIP() << "cbmconvert or cc1541 is not installed";
    }
    // cc1541 takes ASCII lower case for the letters a 1541 lists as capitals.
    QStringList cc1541Arguments = {"-q", "-n", "other tool", "-i", "ot"};
    QStringList cbmconvertArguments = {"-v0", "-D4", "cbmconvert.d64", "-n"};
    QMap<QString, QByteArray> expected;
    for (qsizetype i = 0; i < sampleNames.size(); ++i) {
        const auto& [name, type] = sampleNames[i];
        const QString fileName = name.toLower() + "." + fileExtension(type);
        expected[fileName] = sequence(sampleSizes[i], int(i));
        write(fileName, expected[fileName]);
        cc1541Arguments << "-f" << name.toLower() << "-T" << rawValue(type) << "-w" << fileName;
        cbmconvertArguments << fileName;
    }
    runTool("cc1541", cc1541Arguments << "cc1541.d64");
    runTool("cbmconvert", cbmconvertArguments);

    for (const QString image : {"cc1541.d64", "cbmconvert.d64"}) {
        SCOPED_TRACE(image.toStdString());
        EXPECT_EQ(vellumFiles(image), expected);
        EXPECT_EQ(vellumListing(image), cc1541Listing(image));
    }
    EXPECT_EQ(D64Extractor::readDirectory(url("cc1541.d64")).diskName, "OTHER TOOL");

    // Vellum edits what cc1541 made, and cc1541 agrees with the result.
    D64Builder builder = D64Builder::open(read("cc1541.d64"));
    builder.deleteFile(0);
    builder.writeBAM();
    builder.addFile("added", CBMFileType::prg, sequence(4000, 5));
    write("edited.d64", builder.data());
    EXPECT_EQ(vellumListing("edited.d64"), cc1541Listing("edited.d64"));
    EXPECT_EQ(vellumFiles("edited.d64")["added.prg"], sequence(4000, 5));
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
    EXPECT_EQ(vellumFiles("forty.d64"),
              (QMap<QString, QByteArray>{{"big.prg", read("big.prg")},
                                         {"later.prg", read("later.prg")}}));
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
