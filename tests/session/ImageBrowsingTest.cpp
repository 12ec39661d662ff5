#include "PaneFixture.h"

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
    EXPECT_EQ(itemNames(), QStringList({"INTRO", "NOTES", "MY/GAME"}));
    EXPECT_EQ(model.computer().computerItems().at(0).fileSize, intro.size());

    // An image whose listing fails, or no image at all, leaves the folder mode.
    for (const QString name : {"short.d64", "a.prg"}) {
        model.status().dismissLastError();
        model.openImage(url(name));
        EXPECT_FALSE(model.computer().isBrowsingImage());
        EXPECT_TRUE(model.status().lastError().has_value());
    }
    model.openImage(url("empty.d64"));
    EXPECT_TRUE(itemNames().isEmpty());
    model.openImage(url("tape.t64"));
    EXPECT_EQ(itemNames(), QStringList({"ONE"}));
    model.goUp();
    EXPECT_EQ(model.computer().computerFolder(), folder());
}

TEST_F(PaneTest, ExtractingNeverOverwritesAndLeavesNoTemporaryFile) {
    put("games.d64", gamesDisk());
    put("tape.t64", tapeImage("TAPE", {{"ONE", CBMFileType::prg, game}}));
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));
    const ComputerFileItem myGame = model.computer().computerItems().at(2);
    model.extractImageEntry(myGame);
    model.activate(myGame);
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

TEST_F(PaneTest, DeletingFromAD64RewritesItWholeOrLeavesItAsItWas) {
    put("games.d64", gamesDisk());
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));
    model.computer().click(model.computer().computerItems().at(0).url, {});
    model.computer().click(model.computer().computerItems().at(2).url, {true, false});
    model.requestLocalDelete();
    model.confirmLocalDelete();
    EXPECT_EQ(imageNames("games.d64"), QStringList({"NOTES"}));
    EXPECT_EQ(itemNames(), QStringList({"NOTES"}));
    EXPECT_EQ(D64Extractor::parsedFile(url("games.d64"), 0).contents(), notes);

    QByteArray damaged = contents("games.d64");
    damaged.truncate(1000);
    model.computer().selectAll();
    put("games.d64", damaged);
    model.deleteSelectionFromImage();
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(contents("games.d64"), damaged);
}

TEST_F(PaneTest, AddingFilesKeepsEachAddedFileWhenALaterOneFails) {
    put("games.d64", gamesDisk());
    put("notes2.seq", pattern(100, 4));
    put("demo.prg", game);
    put("tape.t64",
        tapeImage("TAPE", {{"T1", CBMFileType::prg, intro}, {"T2", CBMFileType::prg, game}}));
    put("skip.d64", diskImage("X", {}));
    put("big.prg", pattern(170000, 5));
    put("small.prg", program(0x0801, "hi"));
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));

    waitForTask(model.addFilesToImage(
        {url("notes2.seq"), url("demo.prg"), url("tape.t64"), url("skip.d64")}, url("games.d64")));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(imageNames("games.d64"),
              QStringList({"INTRO", "NOTES", "MY/GAME", "NOTES2", "DEMO", "T1", "T2"}));
    EXPECT_EQ(D64Extractor::readDirectory(url("games.d64")).entries.at(3).type, CBMFileType::seq);
    EXPECT_EQ(D64Extractor::parsedFile(url("games.d64"), 6).contents(), game);
    EXPECT_EQ(itemNames().size(), 7) << "the browsed image is re-read";

    // The second file does not fit: the first stays in the image.
    waitForTask(model.addFilesToImage({url("small.prg"), url("big.prg")}, url("games.d64")));
    EXPECT_TRUE(model.status().lastError()->startsWith("“big.prg” could not be added"));
    EXPECT_EQ(imageNames("games.d64").last(), "SMALL");

    waitForTask(model.addFilesToImage({url("skip.d64")}, url("games.d64")));
    EXPECT_TRUE(model.status().lastError().has_value()) << "nothing addable";
}

TEST_F(PaneTest, ConvertingTapesStopsOnTheFirstBadOneAndNeverOverwrites) {
    put("first.t64", tapeImage("FIRST", {{"A", CBMFileType::prg, intro}}));
    put("first.d64", "taken");
    put("second.t64", "not a tape");
    put("x.prg", "x");
    VellumViewModel& model = pane();
    model.computer().selectAll();
    waitForTask(model.convertSelectedT64());
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(contents("first.d64"), "taken");
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("first-2.d64")}));
    EXPECT_EQ(D64Extractor::parsedFile(url("first-2.d64"), 0).contents(), intro);

    model.computer().select(url("x.prg"));
    waitForTask(model.convertSelectedT64());
    EXPECT_TRUE(model.status().lastError().has_value());
}

TEST_F(PaneTest, NewDiskImagesGetFreeNames) {
    put("VELLUM.d64", "someone else's");
    VellumViewModel& model = pane();
    model.showNewDiskSheet();
    model.sheets().setNewDiskName(" VELLUM ");
    model.sheets().setNewDiskID("2A");
    model.createNewDiskImage();
    EXPECT_FALSE(model.sheets().showsNewDiskSheet());
    EXPECT_EQ(contents("VELLUM.d64"), "someone else's");
    const DiskDirectory listing = D64Extractor::readDirectory(url("VELLUM-2.d64"));
    EXPECT_EQ(listing.diskName, "VELLUM");
    EXPECT_TRUE(listing.diskID.startsWith("2A"));

    // The chosen type names the file and lays out the disk.
    model.sheets().setNewDiskFormat(DiskImageFormat::d81);
    model.createNewDiskImage();
    EXPECT_EQ(QFileInfo(path("VELLUM.d81")).size(), 819'200);
    EXPECT_EQ(D64Extractor::readDirectory(url("VELLUM.d81")).blocksFree, 3160);
}

TEST_F(PaneTest, AnImageThatVanishesLeavesNoEntriesBehind) {
    put("games.d64", gamesDisk());
    put("a.prg", "a");
    VellumViewModel& model = pane();
    model.openImage(url("games.d64"));
    QFile::remove(path("games.d64"));
    model.refreshLocalItems();
    EXPECT_FALSE(model.computer().isBrowsingImage());
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

    // Stop while files go into an image: what went in before is saved, and no error shows.
    put("empty.d64", diskImage("EMPTY", {}));
    put("a.prg", intro);
    put("b.prg", game);
    QObject::connect(&model.status(), &OperationStatus::progressChanged, [&] {
        if (model.status().progress() > 0 && !model.status().isStopping()) {
            model.stop();
        }
    });
    waitForTask(model.addFilesToImage({url("a.prg"), url("b.prg")}, url("empty.d64")));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(imageNames("empty.d64"), QStringList({"A"}));
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
}

TEST_F(PaneTest, D71AndD81ImagesAreBrowsedLikeD64Ones) {
    const QList<std::tuple<QString, DiskImageFormat, qint64>> images{
        {"two.d71", DiskImageFormat::d71, 1328}, {"big.d81", DiskImageFormat::d81, 3160}};
    put("demo.prg", game);
    VellumViewModel& model = pane();
    for (const auto& [name, format, blocksFree] : images) {
        SCOPED_TRACE(name.toStdString());
        put(name, diskImage("GAMES", {{"INTRO", CBMFileType::prg, intro}}, format));
        model.openImage(url(name));
        EXPECT_EQ(itemNames(), QStringList({"INTRO"}));
        // The free count is the drive's, as the floppy pane and vellum-disk show it.
        EXPECT_TRUE(model.computer().footerText().contains(QString("%1 FREE").arg(blocksFree - 3)))
            << model.computer().footerText().toStdString();
        waitForTask(model.addFilesToImage({url("demo.prg")}, url(name)));
        EXPECT_EQ(imageNames(name), QStringList({"INTRO", "DEMO"}));
        EXPECT_EQ(D64Extractor::parsedFile(url(name), 1).contents(), game);
        model.extractImageEntry(model.computer().computerItems().at(0));
        EXPECT_EQ(model.status().lastError(), std::nullopt);
        model.goUp();
    }
    EXPECT_EQ(contents("INTRO-2.prg"), intro);
}
