#include "PaneFixture.h"

#include "images/T64Converter.h"

#include <QProcess>
#include <QStandardPaths>

using namespace vellum;
using namespace vellum::testing;

namespace {

const QByteArray intro = program(0x0801, pattern(600, 1));
const QByteArray notes = program(0x0000, pattern(40, 2));
const QByteArray game = program(0x1000, pattern(300, 3));

QByteArray gamesDisk() {
    return diskImage("GAMES", {{"INTRO", CBMFileType::prg, intro},
                               {"NOTES", CBMFileType::seq, notes},
                               {"MY/GAME", CBMFileType::prg, game}});
}

} // namespace

TEST_F(PaneTest, OpeningImagesListsTheirEntries) {
    put("games.d64", gamesDisk());
    put("empty.d64", diskImage("EMPTY", {}));
    put("tape.t64", tapeImage("TAPE", {{"ONE", CBMFileType::prg, intro}}));
    put("short.d64", "too short");
    put("a.prg", "x");
    VellumViewModel& model = pane();

    model.activate(item("games.d64"));
    ASSERT_EQ(model.computer().browsingImage(), url("games.d64"));
    EXPECT_EQ(model.computer().imageDiskName(), "GAMES");
    EXPECT_EQ(model.status().statusHeadline(), "Opened “GAMES”.");
    EXPECT_EQ(model.computer().computerPaneTitle(), "Computer  |  games.d64");
    EXPECT_EQ(itemNames(), QStringList({"INTRO", "NOTES", "MY/GAME"}));
    EXPECT_EQ(model.computer().computerItems().at(1).url,
              QUrl::fromLocalFile(path("games.d64/1.seq")));
    EXPECT_EQ(model.computer().computerItems().at(1).typeLabel, "SEQ");
    EXPECT_EQ(model.computer().computerItems().at(0).fileSize, intro.size());
    EXPECT_EQ(model.computer().selectedLocalURLs(),
              UrlSet({model.computer().computerItems().first().url}));
    EXPECT_EQ(model.commandRegistry().title(CommandId::deleteSelection), "Delete from Image…");
    EXPECT_TRUE(model.computer().canGoUp());
    // Filters do not apply inside an image.
    model.computer().setFilterD64(true);
    EXPECT_EQ(itemNames().size(), 3);

    // Opening another image whose listing fails leaves the folder mode with the error.
    model.openImage(url("short.d64"));
    EXPECT_FALSE(model.computer().isBrowsingImage());
    EXPECT_TRUE(model.status().lastError().has_value());
    model.openImage(url("a.prg"));
    EXPECT_EQ(model.status().lastError(), "Open a .d64 or .t64 image.");

    model.openImage(url("empty.d64"));
    EXPECT_EQ(model.status().statusHeadline(), "empty.d64 has no files.");
    EXPECT_TRUE(model.computer().selectedLocalURLs().isEmpty());

    model.openImage(url("tape.t64"));
    EXPECT_EQ(itemNames(), QStringList({"ONE"}));
    EXPECT_FALSE(model.commands().canDeleteLocal());
    model.goUp();
    EXPECT_FALSE(model.computer().isBrowsingImage());
    EXPECT_EQ(model.computer().computerFolder(), folder());
    EXPECT_EQ(model.computer().imageDiskName(), "");
}

TEST_F(PaneTest, ExtractingNeverOverwritesAndLeavesNoTemporaryFile) {
    put("games.d64", gamesDisk());
    put("tape.t64", tapeImage("TAPE", {{"ONE", CBMFileType::prg, game}}));
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));
    const ComputerFileItem myGame = model.computer().computerItems().at(2);
    model.extractImageEntry(myGame);
    model.activate(myGame);
    EXPECT_EQ(model.status().statusHeadline(), "Extracted MY-GAME-2.prg.");
    EXPECT_EQ(contents("MY-GAME.prg"), game);
    EXPECT_EQ(contents("MY-GAME-2.prg"), game);
    model.extractImageEntry(model.computer().computerItems().at(1));
    EXPECT_EQ(contents("NOTES.prg"), notes);

    model.openImage(url("tape.t64"));
    model.extractImageEntry(model.computer().computerItems().at(0));
    EXPECT_EQ(contents("ONE.prg"), game);

    // The image changed under the pane: the entry is gone, nothing is written.
    const ComputerFileItem stale = model.computer().computerItems().at(0);
    put("tape.t64", "not a tape any more");
    const QStringList before = folderNames();
    model.extractImageEntry(stale);
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(folderNames(), before);
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());
}

TEST_F(PaneTest, DeletingFromAD64RewritesItWhole) {
    put("games.d64", gamesDisk());
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));
    model.computer().click(model.computer().computerItems().at(0).url, {});
    model.computer().click(model.computer().computerItems().at(2).url, {true, false});
    EXPECT_EQ(model.commands().computerDeleteMessage(),
              "Delete 2 files from games.d64? This cannot be undone.");
    model.requestLocalDelete();
    model.confirmLocalDelete();
    EXPECT_EQ(model.status().statusHeadline(), "Deleted 2 files from games.d64.");
    EXPECT_EQ(imageNames("games.d64"), QStringList({"NOTES"}));
    EXPECT_EQ(itemNames(), QStringList({"NOTES"}));
    EXPECT_EQ(D64Extractor::parsedFile(url("games.d64"), 0).contents(), notes);
    // The deleted files' sectors are free again.
    EXPECT_EQ(D64Extractor::readDirectory(url("games.d64")).blocksFree,
              D64Extractor::readDirectory(diskImage("X", {{"NOTES", CBMFileType::seq, notes}}))
                  .blocksFree);

    // A damaged image is left exactly as it was.
    QByteArray damaged = contents("games.d64");
    damaged.truncate(1000);
    model.computer().selectAll();
    put("games.d64", damaged);
    model.deleteSelectionFromImage();
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(contents("games.d64"), damaged);
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
}

TEST_F(PaneTest, AddingFilesKeepsEachAddedFileWhenALaterOneFails) {
    put("games.d64", gamesDisk());
    const QByteArray seq = pattern(100, 4);
    put("notes2.seq", seq);
    put("demo.prg", game);
    put("tape.t64",
        tapeImage("TAPE", {{"T1", CBMFileType::prg, intro}, {"T2", CBMFileType::prg, game}}));
    put("skip.d64", diskImage("X", {}));
    put("big.prg", pattern(170000, 5));
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));

    waitForTask(model.addFilesToImage(
        {url("notes2.seq"), url("demo.prg"), url("tape.t64"), url("skip.d64")}, url("games.d64")));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(model.status().statusHeadline(), "Added 4 files to games.d64.");
    EXPECT_EQ(imageNames("games.d64"),
              QStringList({"INTRO", "NOTES", "MY/GAME", "NOTES2", "DEMO", "T1", "T2"}));
    const DiskDirectory listing = D64Extractor::readDirectory(url("games.d64"));
    EXPECT_EQ(listing.entries.at(3).type, CBMFileType::seq);
    EXPECT_EQ(D64Extractor::parsedFile(url("games.d64"), 3).contents(), seq);
    EXPECT_EQ(D64Extractor::parsedFile(url("games.d64"), 6).contents(), game);
    // The browsed image is re-read and the last stored file selected.
    EXPECT_EQ(itemNames().size(), 7);
    EXPECT_EQ(model.computer().anchorLocalItem()->name, "T2");
    EXPECT_DOUBLE_EQ(model.status().progress(), 1.0);

    // The second file does not fit: the first stays in the image.
    put("small.prg", program(0x0801, "hi"));
    waitForTask(model.addFilesToImage({url("small.prg"), url("big.prg")}, url("games.d64")));
    EXPECT_TRUE(model.status().lastError()->startsWith(
        "“big.prg” could not be added: Not enough space on this D64. Need "));
    EXPECT_EQ(imageNames("games.d64").last(), "SMALL");
    EXPECT_EQ(itemNames().last(), "SMALL");
    EXPECT_EQ(model.status().operation(), OperationKind::idle);

    waitForTask(model.addFilesToImage({url("skip.d64")}, url("games.d64")));
    EXPECT_EQ(model.status().lastError(),
              "Drop PRG, SEQ, USR, P00 or T64 files onto a D64 to add them.");

    // An independent reader agrees with what the image holds.
    if (const QString oracle = QStandardPaths::findExecutable("cbmconvert"); !oracle.isEmpty()) {
        QTemporaryDir out;
        QProcess convert;
        convert.setWorkingDirectory(out.path());
        convert.start(oracle, {"-N", "-d", path("games.d64")});
        ASSERT_TRUE(convert.waitForFinished());
        QFile demo(QDir(out.path()).filePath("demo.prg"));
        ASSERT_TRUE(demo.open(QIODevice::ReadOnly))
            << QDir(out.path()).entryList().join(' ').toStdString();
        EXPECT_EQ(demo.readAll(), game);
    }
}

TEST_F(PaneTest, ConvertingTapesStopsOnTheFirstBadOne) {
    put("first.t64", tapeImage("FIRST", {{"A", CBMFileType::prg, intro}}));
    put("first.d64", "taken");
    put("second.t64", "not a tape");
    put("x.prg", "x");
    VellumViewModel& model = pane();
    model.computer().selectAll();
    waitForTask(model.convertSelectedT64());
    EXPECT_EQ(model.status().statusHeadline(), "Converted 1 of 2; stopped on error.");
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_TRUE(model.computer().filterD64());
    EXPECT_EQ(contents("first.d64"), "taken");
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("first-2.d64")}));
    EXPECT_EQ(D64Extractor::parsedFile(url("first-2.d64"), 0).contents(), intro);
    EXPECT_EQ(model.status().operation(), OperationKind::idle);

    // The new images show through the filter that was switched on; the tape needs it off.
    model.computer().setFilterD64(false);
    model.computer().select(url("first.t64"));
    waitForTask(model.convertSelectedT64());
    EXPECT_EQ(model.status().statusHeadline(), "Converted first.t64 → first-3.d64.");
    EXPECT_EQ(model.status().lastError(), std::nullopt);

    model.computer().select(url("x.prg"));
    waitForTask(model.convertSelectedT64());
    EXPECT_EQ(model.status().lastError(), "Select a .t64 tape image to convert.");
}

TEST_F(PaneTest, NewDiskImagesGetFreeNames) {
    put("VELLUM.d64", "someone else's");
    VellumViewModel& model = pane();
    model.showNewDiskSheet();
    EXPECT_TRUE(model.sheets().showsNewDiskSheet());
    EXPECT_EQ(model.sheets().newDiskName(), "VELLUM");
    model.sheets().setNewDiskName("A,B");
    model.createNewDiskImage();
    EXPECT_EQ(model.sheets().newDiskFieldError(), "Disk name cannot contain a comma.");
    EXPECT_TRUE(model.sheets().showsNewDiskSheet());

    model.sheets().setNewDiskName(" VELLUM ");
    model.sheets().setNewDiskID("2A");
    model.createNewDiskImage();
    EXPECT_FALSE(model.sheets().showsNewDiskSheet());
    EXPECT_EQ(contents("VELLUM.d64"), "someone else's");
    EXPECT_EQ(model.status().statusHeadline(), "Created VELLUM-2.d64.");
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("VELLUM-2.d64")}));
    const DiskDirectory listing = D64Extractor::readDirectory(url("VELLUM-2.d64"));
    EXPECT_EQ(listing.diskName, "VELLUM");
    EXPECT_TRUE(listing.diskID.startsWith("2A"));
    EXPECT_TRUE(listing.entries.isEmpty());

    model.showNewDiskSheet();
    model.sheets().setNewDiskName("A/B");
    model.createNewDiskImage();
    EXPECT_TRUE(QFileInfo::exists(path("A-B.d64")));
}

TEST_F(PaneTest, AnImageThatVanishesLeavesNoEntriesBehind) {
    put("games.d64", gamesDisk());
    put("a.prg", "a");
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));
    QFile::remove(path("games.d64"));
    model.refreshLocalItems();
    EXPECT_FALSE(model.computer().isBrowsingImage());
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(itemNames(), QStringList({"a.prg"}));
    EXPECT_TRUE(model.computer().selectedLocalURLs().isEmpty());
}

TEST_F(PaneTest, ConvertingKeepsItsFolderAndAStopKeepsWhatWasAdded) {
    put("one.t64", tapeImage("ONE", {{"A", CBMFileType::prg, intro}}));
    put("two.t64", tapeImage("TWO", {{"B", CBMFileType::prg, game}}));
    QDir(folderDir.path()).mkdir("elsewhere");
    VellumViewModel& model = pane();
    model.computer().selectAll();
    QMetaObject::Connection browse =
        QObject::connect(&model.status(), &OperationStatus::statusHeadlineChanged, [&] {
            if (model.status().statusHeadline().startsWith("Converting 1 of 2")) {
                model.navigate(url("elsewhere"));
            }
        });
    waitForTask(model.convertSelectedT64());
    QObject::disconnect(browse);
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_TRUE(QFileInfo::exists(path("one.d64")));
    EXPECT_TRUE(QFileInfo::exists(path("two.d64")));
    EXPECT_TRUE(QDir(path("elsewhere")).isEmpty());
    EXPECT_TRUE(model.computer().selectedLocalURLs().isEmpty()) << "made elsewhere, not shown";

    // Stop while files go into an image: what went in before is saved, and no error shows.
    model.navigate(folder());
    put("empty.d64", diskImage("EMPTY", {}));
    put("a.prg", intro);
    put("b.prg", game);
    put("c.prg", notes);
    QObject::connect(&model.status(), &OperationStatus::progressChanged, [&] {
        if (model.status().progress() > 0 && !model.status().isStopping()) {
            model.stop();
        }
    });
    waitForTask(
        model.addFilesToImage({url("a.prg"), url("b.prg"), url("c.prg")}, url("empty.d64")));
    EXPECT_EQ(model.status().statusHeadline(),
              "Stopped. If the drive was powered off, turn it on and click Detect.");
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(imageNames("empty.d64"), QStringList({"A"}));
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
}

TEST_F(PaneTest, D71AndD81ImagesAreBrowsedLikeD64Ones) {
    const struct {
        QString name;
        DiskImageFormat format;
        qint64 blocksFree;
    } images[] = {{"two.d71", DiskImageFormat::d71, 1328}, {"big.d81", DiskImageFormat::d81, 3160}};
    put("demo.prg", game);
    VellumViewModel& model = pane();
    for (const auto& image : images) {
        SCOPED_TRACE(image.name.toStdString());
        put(image.name, diskImage("GAMES", {{"INTRO", CBMFileType::prg, intro}}, image.format));
        model.openImage(url(image.name));
        EXPECT_EQ(itemNames(), QStringList({"INTRO"}));
        // The free count is the drive's, as the floppy pane and vellum-disk show it.
        EXPECT_TRUE(
            model.computer().footerText().contains(QString("%1 FREE").arg(image.blocksFree - 3)))
            << model.computer().footerText().toStdString();
        EXPECT_EQ(model.computer().dropHint(),
                  QString("Drop to add to this %1").arg(displayName(image.format)));
        waitForTask(model.addFilesToImage({url("demo.prg")}, url(image.name)));
        EXPECT_EQ(model.status().lastError(), std::nullopt);
        EXPECT_EQ(imageNames(image.name), QStringList({"INTRO", "DEMO"}));
        EXPECT_EQ(D64Extractor::parsedFile(url(image.name), 1).contents(), game);
        model.extractImageEntry(model.computer().computerItems().at(0));
        EXPECT_EQ(model.status().lastError(), std::nullopt);
        model.goUp();
    }
    EXPECT_EQ(contents("INTRO.prg"), intro);
    EXPECT_EQ(contents("INTRO-2.prg"), intro);

    // A file named as one format but sized as another is not opened.
    put("odd.d71", gamesDisk());
    model.openImage(url("odd.d71"));
    EXPECT_FALSE(model.computer().isBrowsingImage());
    EXPECT_EQ(model.status().lastError(), "This D71 image is too small to be valid.");
}
