// Checks the image code against two independent tools from Debian: cbmconvert and cc1541.
// Each test is skipped only when its tool is not installed.

#include "ImageFixtures.h"
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
using vellum::testing::sequence;

namespace {

struct Listing {
    QStringList names; // lower case
    QList<qint64> blocks;
    qint64 blocksFree = -1;
};

class CrossCheck : public ::testing::Test {
protected:
    void requireTool(const QString& tool) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool.toStdString() << " is not installed";
    }

    QString runTool(const QString& tool, const QStringList& arguments,
                    const QString& folder = QString()) {
        QProcess process;
        process.setWorkingDirectory(folder.isEmpty() ? dir.path() : folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStandardPaths::findExecutable(tool), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        const QString output = QString::fromUtf8(process.readAll());
        EXPECT_EQ(process.exitCode(), 0) << output.toStdString();
        return output;
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    void write(const QString& name, const QByteArray& bytes) {
        writeFileAtomically(url(name), bytes);
    }
    QByteArray read(const QString& name) const { return readWholeFile(url(name)); }

    // cc1541's listing of a copy of the image (cc1541 may rewrite what it opens).
    Listing cc1541Listing(const QString& imageName) {
        QFile::remove(path("listed.d64"));
        QFile::copy(path(imageName), path("listed.d64"));
        const QString output = runTool("cc1541", {"-U", "0", "listed.d64"});
        Listing listing;
        static const QRegularExpression entry(R"(^(\d+)\s+"([^"]*)\"\s+\*?(prg|seq|usr|rel|del))");
        static const QRegularExpression free(R"(^(\d+) blocks free)");
        for (const QString& line : output.split('\n')) {
            if (const auto match = entry.match(line); match.hasMatch()) {
                listing.blocks << match.captured(1).toLongLong();
                listing.names << match.captured(2).toLower();
            } else if (const auto match = free.match(line); match.hasMatch()) {
                listing.blocksFree = match.captured(1).toLongLong();
            }
        }
        return listing;
    }

    // Vellum's listing, with the free count as the drive counts it (without track 18).
    Listing vellumListing(const QString& imageName) {
        const QByteArray image = read(imageName);
        const DiskDirectory directory = D64Extractor::readDirectory(image);
        Listing listing;
        for (const DirectoryEntry& entry : directory.entries) {
            listing.names << entry.name.toLower();
            listing.blocks << entry.blocks;
        }
        listing.blocksFree =
            *directory.blocksFree - quint8(D64Layout::sector(image, 18, 0)[4 * 18]);
        return listing;
    }

    QTemporaryDir dir;
};

struct SampleFile {
    QString name;
    CBMFileType type;
    QByteArray contents;
};

QList<SampleFile> sampleFiles() {
    QList<SampleFile> files;
    const QList<qint64> sizes = {2, 3, 253, 254, 255, 256, 508, 509, 5000, 20000};
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const CBMFileType type =
            QList<CBMFileType>{CBMFileType::prg, CBMFileType::seq, CBMFileType::usr}[i % 3];
        files.append({QStringLiteral("FILE%1").arg(i), type, sequence(sizes[i], int(i))});
    }
    return files;
}

} // namespace

TEST_F(CrossCheck, ImagesVellumBuildsReadByCbmconvertAndCc1541) {
    requireTool("cbmconvert");
    requireTool("cc1541");
    D64Builder builder = D64Builder::create("cross check", "xc");
    const QList<SampleFile> files = sampleFiles();
    for (const SampleFile& file : files)
        builder.addFile(file.name, file.type, file.contents);
    // Edit as the application does: delete two, add one into a freed slot, add a duplicate.
    builder.deleteFile(7);
    builder.deleteFile(2);
    builder.writeBAM();
    builder.addFile("LATE", CBMFileType::prg, sequence(3000, 77));
    builder.addFile("FILE0", CBMFileType::prg, sequence(700, 78));
    write("vellum.d64", builder.data());

    QMap<QString, QByteArray> expected;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (i != 7 && i != 2)
            expected[files[i].name.toLower() + '.' + fileExtension(files[i].type)] =
                files[i].contents;
    }
    expected["late.prg"] = sequence(3000, 77);
    expected["file0-2.prg"] = sequence(700, 78);

    QDir(dir.path()).mkdir("out");
    runTool("cbmconvert", {"-v0", "-N", "-d", path("vellum.d64")}, path("out"));
    QStringList extracted = QDir(path("out")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(extracted, QStringList(expected.keys()));
    for (const QString& name : expected.keys())
        EXPECT_EQ(read("out/" + name), expected[name]) << name.toStdString();

    const Listing theirs = cc1541Listing("vellum.d64");
    const Listing ours = vellumListing("vellum.d64");
    EXPECT_EQ(theirs.names, ours.names);
    EXPECT_EQ(theirs.blocks, ours.blocks);
    EXPECT_EQ(theirs.blocksFree, ours.blocksFree);
    EXPECT_EQ(ours.names.size(), 10);
}

TEST_F(CrossCheck, ImagesCc1541BuildsReadByVellum) {
    requireTool("cc1541");
    const QList<SampleFile> files = sampleFiles();
    // cc1541 takes ASCII lower case for the letters a 1541 lists as capitals.
    QStringList arguments = {"-q", "-n", "other tool", "-i", "ot"};
    for (const SampleFile& file : files) {
        write(file.name + ".bin", file.contents);
        arguments << "-f" << file.name.toLower() << "-T" << rawValue(file.type) << "-w"
                  << file.name + ".bin";
    }
    arguments << "cc1541.d64";
    runTool("cc1541", arguments);

    const DiskDirectory directory = D64Extractor::readDirectory(url("cc1541.d64"));
    EXPECT_EQ(directory.diskName, "OTHER TOOL");
    EXPECT_EQ(directory.diskID, "OT");
    const Listing theirs = cc1541Listing("cc1541.d64");
    const Listing ours = vellumListing("cc1541.d64");
    EXPECT_EQ(ours.names, theirs.names);
    EXPECT_EQ(ours.blocks, theirs.blocks);
    EXPECT_EQ(ours.blocksFree, theirs.blocksFree);

    const QList<D64Extractor::File> listed = D64Extractor::files(read("cc1541.d64"));
    const QList<ParsedFile> parsed = D64Extractor::parsedFiles(url("cc1541.d64"));
    ASSERT_EQ(parsed.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        EXPECT_EQ(parsed[i].name, files[i].name);
        EXPECT_EQ(listed[i].type, files[i].type);
        EXPECT_EQ(parsed[i].contents(), files[i].contents) << i;
        EXPECT_EQ(listed[i].byteSize, files[i].contents.size());
    }

    // Vellum edits what cc1541 made, and cc1541 agrees with the result.
    D64Builder builder = D64Builder::open(read("cc1541.d64"));
    builder.deleteFile(0);
    builder.writeBAM();
    builder.addFile("added", CBMFileType::prg, sequence(4000, 5));
    write("edited.d64", builder.data());
    EXPECT_EQ(cc1541Listing("edited.d64").names, vellumListing("edited.d64").names);
    EXPECT_EQ(cc1541Listing("edited.d64").blocksFree, vellumListing("edited.d64").blocksFree);
    EXPECT_EQ(D64Extractor::parsedFile(url("edited.d64"), 0).contents(), sequence(4000, 5));
}

TEST_F(CrossCheck, ImagesCbmconvertBuildsReadByVellum) {
    requireTool("cbmconvert");
    const QList<SampleFile> files = sampleFiles();
    QStringList arguments = {"-v0", "-D4", "cbmconvert.d64", "-n"};
    for (const SampleFile& file : files) {
        const QString name = file.name.toLower() + '.' + fileExtension(file.type);
        write(name, file.contents);
        arguments << name;
    }
    runTool("cbmconvert", arguments);

    const QList<D64Extractor::File> listed = D64Extractor::files(read("cbmconvert.d64"));
    const QList<ParsedFile> parsed = D64Extractor::parsedFiles(url("cbmconvert.d64"));
    ASSERT_EQ(parsed.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        EXPECT_EQ(parsed[i].name, files[i].name);
        EXPECT_EQ(listed[i].type, files[i].type);
        EXPECT_EQ(parsed[i].contents(), files[i].contents) << i;
    }
    if (!QStandardPaths::findExecutable("cc1541").isEmpty()) {
        const Listing theirs = cc1541Listing("cbmconvert.d64");
        const Listing ours = vellumListing("cbmconvert.d64");
        EXPECT_EQ(ours.names, theirs.names);
        EXPECT_EQ(ours.blocks, theirs.blocks);
        EXPECT_EQ(ours.blocksFree, theirs.blocksFree);
    }
}

TEST_F(CrossCheck, TapeExtractedAlikeByCbmconvertAndVellum) {
    requireTool("cbmconvert");
    // A tape as tape tools write it: header, 30 directory slots, the files after them.
    const QList<QByteArray> names = {"ALPHA", "BETA", "GAMMA"};
    QByteArray tape = QByteArray("C64S tape image file").leftJustified(32, '\0');
    tape += QByteArray(32, '\0');
    tape[0x20] = 0x00;
    tape[0x21] = 0x01;
    tape[0x22] = 30;
    tape[0x24] = char(names.size());
    tape.replace(0x28, 24, QByteArray("CROSS TAPE").leftJustified(24, ' '));
    tape += QByteArray(32 * 30, '\0');
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArray body = sequence(100 + 900 * i, int(i));
        const quint16 start = quint16(0x0801 + 0x1000 * i);
        const quint16 end = quint16(start + body.size());
        const qint64 entry = 64 + 32 * i;
        const quint32 offset = quint32(tape.size());
        tape[entry] = 1;
        tape[entry + 1] = char(0x82);
        tape[entry + 2] = char(start & 0xFF);
        tape[entry + 3] = char(start >> 8);
        tape[entry + 4] = char(end & 0xFF);
        tape[entry + 5] = char(end >> 8);
        for (int b = 0; b < 4; ++b)
            tape[entry + 8 + b] = char((offset >> (8 * b)) & 0xFF);
        tape.replace(entry + 16, 16, names[i].leftJustified(16, ' '));
        tape += body;
    }
    write("cross.t64", tape);

    QDir(dir.path()).mkdir("out");
    runTool("cbmconvert", {"-v0", "-N", "-t", path("cross.t64")}, path("out"));
    const QList<ParsedFile> ours = T64Converter::parsedFiles(url("cross.t64"));
    ASSERT_EQ(ours.size(), names.size());
    for (const ParsedFile& file : ours)
        EXPECT_EQ(read("out/" + file.name.toLower() + ".prg"), file.contents())
            << file.name.toStdString();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files).size(), names.size());
    EXPECT_EQ(ours[2].payload, sequence(1900, 2));

    // The converted disk holds the same bytes, and cbmconvert reads it back identically.
    T64Converter::convert(url("cross.t64"), url("tape.d64"));
    QDir(dir.path()).mkdir("disk");
    runTool("cbmconvert", {"-v0", "-N", "-d", path("tape.d64")}, path("disk"));
    for (const ParsedFile& file : ours) {
        const QString name = file.name.toLower() + ".prg";
        EXPECT_EQ(read("disk/" + name), read("out/" + name));
    }
}

TEST_F(CrossCheck, P00FilesFromCbmconvertKeepTheirNames) {
    requireTool("cbmconvert");
    write("hello world.prg", sequence(700, 1));
    write("notes.seq", sequence(30, 2));
    runTool("cbmconvert", {"-v0", "-P", "-n", "hello world.prg", "notes.seq"});
    const QStringList p00s = QDir(dir.path()).entryList({"*.p00", "*.P00"}, QDir::Files);
    ASSERT_EQ(p00s.size(), 1) << p00s.join(' ').toStdString();
    const AddableFile file = T64Converter::parseP00(read(p00s[0]));
    EXPECT_EQ(file.name, "HELLO WORLD");
    EXPECT_EQ(file.type, CBMFileType::prg);
    EXPECT_EQ(file.contents, sequence(700, 1));
    const QList<AddableFile> loaded = T64Converter::loadFiles(url(p00s[0]));
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0], file);
}
