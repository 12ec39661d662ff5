#include "VellumDiskFixture.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <sys/stat.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

// Every refusal names the file, exits with 1 and leaves the folder exactly as it was.
TEST_F(VellumDisk, RefusalsNameTheFileAndChangeNothing) {
    D64Builder builder = D64Builder::create("DISK");
    builder.addFile("first", CBMFileType::prg, prg(0x0801, sequence(300)));
    write("disk.d64", builder.data());
    write("forty.d64", builder.data() + QByteArray(85 * 256, '\0'));
    write("other.d64", builder.data());
    write("new.prg", prg(0x0801, sequence(100)));
    write("x.rel", sequence(100));
    write("tape.t64", makeTape({{"ONE", sequence(50)}}));
    write("short.d64", "short");
    write("small.d71", builder.data()); // the size of a D64
    QDir(dir.path()).mkdir("folder");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.d64")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("target.d64"), dir.filePath("dangling.d64")));
    QFile huge(dir.filePath("huge.prg"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(3LL << 30)); // sparse
    huge.close();
    ASSERT_TRUE(QFile::link(dir.filePath("huge.prg"), dir.filePath("huge.d64")));

    struct Case {
        QStringList arguments;
        QStringList messages; // each a line of standard error
    };
    const QString forty = "“forty.d64”: Files cannot yet be added to or deleted from a 40-track "
                          "D64 image; its files can be listed and extracted.";
    const QString small = "“small.d71”: This D71 image is too small to be valid.";
    const QList<Case> cases = {
        {{"list", "fifo.d64"}, {"“fifo.d64” is not a regular file."}},
        {{"list", "/dev/zero"}, {"“/dev/zero” is not a regular file."}},
        {{"list", "huge.d64"}, {"“huge.d64” is too large to be a D64 image (3072.0 MB)."}},
        {{"extract", "huge.d64"}, {"“huge.d64” is too large to be a D64 image (3072.0 MB)."}},
        {{"add", "disk.d64", "huge.prg"},
         {"“huge.prg” is too large to fit on any disk (3072.0 MB; a D81, the largest, holds at "
          "most 802640 bytes).",
          "Nothing was added to “disk.d64”."}},
        {{"add", "forty.d64", "new.prg"}, {forty}},
        {{"delete", "forty.d64", "1"}, {forty}},
        {{"add", "disk.d64", "other.d64", "x.rel", "new.prg", "missing.prg", "folder", "fifo.d64",
          "tape.t64"},
         {"“other.d64” is a disk image; extract its files to add them.",
          "“x.rel”: REL files cannot be added to a D64 in this version.",
          "Could not read “missing.prg”: No such file or directory.",
          "“folder” is a folder, not a file.",
          "“fifo.d64” is a disk image; extract its files "
          "to add them.",
          "Nothing was added to “disk.d64”."}},
        {{"add", "fifo.d64", "new.prg"}, {"“fifo.d64” is not a regular file."}},
        {{"new", "disk.d64", "other"},
         {"“disk.d64” already exists; vellum-disk never replaces a file."}},
        {{"new", "x.d64", "a,b"}, {"Disk name cannot contain a comma."}},
        {{"new", "x.d64", "abc", "1"}, {"Disk ID must be exactly 2 characters."}},
        {{"add", "short.d64", "new.prg"},
         {"“short.d64”: This D64 image is too small to be valid."}},
        {{"list", "small.d71"}, {small}},
        {{"extract", "small.d71"}, {small}},
        {{"add", "small.d71", "new.prg"}, {small}},
        {{"delete", "small.d71", "1"}, {small}},
        {{"new", "dangling.d64", "name"},
         {"“dangling.d64” already exists; vellum-disk never replaces a file."}},
        {{"convert", "tape.t64", "dangling.d64"},
         {"“dangling.d64” already exists; vellum-disk never replaces a file."}},
    };
    const QMap<QString, QByteArray> before = snapshot();
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.arguments.join(' ').toStdString());
        const ToolRun result = run(refused.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, refused.messages.join('\n') + '\n');
        EXPECT_EQ(snapshot(), before);
    }
}

// A write that the file system refuses says what the system said, and leaves no part of it.
TEST_F(VellumDisk, FailedWritesSayWhy) {
    D64Builder builder = D64Builder::create("DISK");
    builder.addFile("first", CBMFileType::prg, prg(0x0801, sequence(3000)));
    write("disk.d64", builder.data());
    write("new.prg", prg(0x0801, sequence(100)));
    write("tape.t64", makeTape({{"ONE", sequence(50)}}));
    QDir(dir.path()).mkdir("out");
    const QMap<QString, QByteArray> before = snapshot();
    // Files may grow to 2 KB: every image write fails, and so does a large extract.
    const QString limited = QStringLiteral("trap '' XFSZ; ulimit -f 4; exec \"$VD\" %1");
    const QList<std::pair<QString, QString>> cases = {
        {"add disk.d64 new.prg", "Could not write “disk.d64”: File too large."},
        {"delete disk.d64 1", "Could not write “disk.d64”: File too large."},
        {"new fresh.d64 fresh", "Could not write “fresh.d64”: File too large."},
        {"convert tape.t64 tape.d64", "Could not write “tape.d64”: File too large."},
        {"extract disk.d64 -o out", "Could not write “out/FIRST.prg”: File too large."},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        const ToolRun result = runShell(limited.arg(arguments));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, message + '\n');
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(QDir(dir.filePath("out")).isEmpty());
    }
}

// Names on the computer need not be UTF-8, and names from an image may hold control codes.
TEST_F(VellumDisk, UnusualNamesPassSafely) {
    ASSERT_EQ(runShell("\"$VD\" new disk.d64 x && printf 'ab' > \"$(printf 'caf\\240.prg')\" && "
                       "mkdir \"$(printf 'out\\377')\" && \"$VD\" add disk.d64 \"$(printf "
                       "'caf\\240.prg')\" && \"$VD\" extract disk.d64 -o \"$(printf 'out\\377')\"")
                  .out,
              "Created disk.d64.\nAdded “CAF-”.\nout\uFFFD/CAF-.prg\n");
    EXPECT_EQ(runShell("cmp \"$(printf 'caf\\240.prg')\" \"$(printf 'out\\377')/CAF-.prg\"").status,
              0);

    RawImage image;
    image.putEntry(1, 0, 0x82, "A\x1B[2JB\x07", 3, 0);
    image.putLastSector(3, 0, 0x04, 'z');
    QByteArray bam(256, '\0');
    bam.replace(0x90, 16, QByteArray("DISK\r\x1B").leftJustified(16, char(0xA0)));
    image.put(18, 0, bam);
    write("control.d64", image.bytes);
    EXPECT_EQ(run({"list", "control.d64"}).out, "0 \"DISK\u240D\u241B          \"\n"
                                                "1    \"A\u241B[2JB\u2407\"          PRG\n"
                                                "0 BLOCKS FREE.\n");
    QDir(dir.path()).mkdir("names");
    EXPECT_EQ(run({"extract", "control.d64", "-o", "names"}).out, "names/A-[2JB-.prg\n");
}

// A rename only lasts once the folder that holds the new name is on the disk too.
TEST_F(VellumDisk, WritesSyncTheFolderAfterTheRename) {
    if (QStandardPaths::findExecutable("strace").isEmpty()) {
        GTEST_SKIP() << "strace is not installed";
    }
    write("new.prg", prg(0x0801, sequence(100)));
    // A leak check cannot run under a tracer; a sanitizer build would stop on it.
    const QString traced =
        "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" strace -f -y -o trace.log "
        "-e trace=rename,renameat,renameat2,link,linkat,fsync \"$VD\" %1";
    for (const QString command : {"new disk.d64 x", "add disk.d64 new.prg"}) {
        SCOPED_TRACE(command.toStdString());
        ASSERT_EQ(runShell(traced.arg(command)).status, 0);
        const QStringList calls = QString::fromUtf8(read("trace.log")).split('\n');
        const auto placed = std::find_if(calls.begin(), calls.end(), [](const QString& call) {
            return call.contains(QRegularExpression(R"((rename|link)\w*\(.*disk\.d64)"));
        });
        ASSERT_NE(placed, calls.end());
        EXPECT_TRUE(std::any_of(placed, calls.end(), [&](const QString& call) {
            return call.contains("fsync(") && call.contains(dir.path() + ">");
        })) << calls.join('\n').toStdString();
    }
}

} // namespace
