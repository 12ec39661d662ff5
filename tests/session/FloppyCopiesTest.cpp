#include "FloppyPaneFixture.h"

#include <QTimer>

using namespace vellum;
using namespace vellum::testing;

namespace {

class FloppyCopyTest : public FloppyPaneTest {};

const QString pickAFile = "Select a file and use the arrows, or drag it onto the other pane.";

} // namespace

TEST_F(FloppyCopyTest, FreeSpaceIsCheckedBeforeAnythingIsSent) {
    put("empty.prg", "");
    put("one.prg", pattern(254, 1));
    put("two.prg", pattern(255, 2));
    const QByteArray disk = diskImage("DISK", {});
    VellumViewModel& model = withDisk(disk);
    DiskDirectory tight = model.floppy().directory();
    tight.blocksFree = 3;
    StateEditor(model).setDirectory(tight);

    waitForTask(StateEditor(model).copyFilesToFloppy(
        {url("empty.prg"), url("one.prg"), url("two.prg")}, false));
    EXPECT_EQ(model.status().lastError(),
              "Not enough space on the floppy. Need 4 blocks, only 3 free.");
    EXPECT_EQ(bus.disk(8), disk);
    EXPECT_EQ(desktop.notifications.size(), 1);
    EXPECT_EQ(model.status().operationID(), 1); // only the directory read held the slot

    // Without a disk the directory cannot be re-read, so the space is unknown.
    bus.insertDisk(8, std::nullopt);
    StateEditor(model).setDirectory(DiskDirectory::empty());
    waitForTask(StateEditor(model).copyFilesToFloppy({url("one.prg")}, false));
    EXPECT_EQ(model.status().lastError(),
              "Read the floppy directory first so Vellum can check free space.");

    waitForTask(StateEditor(model).copyFilesToFloppy({url("missing.prg")}, false));
    EXPECT_EQ(model.status().lastError(), pickAFile);
}

TEST_F(FloppyCopyTest, FilesGoToTheFloppyAndAFailureKeepsTheEarlierOnes) {
    put("c.prg", game);
    put("d.seq", notes);
    put("a.prg", intro);
    put("b.prg", game);
    VellumViewModel& model =
        withDisk(diskImage("DISK", {{"B", CBMFileType::prg, program(0x0801, "old")}}));

    waitForTask(StateEditor(model).copyFilesToFloppy({url("c.prg"), url("d.seq")}, false));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(namesOn(bus.disk(8)), QStringList({"B", "C", "D"}));
    EXPECT_EQ(fileOn(bus.disk(8), 1), game);
    EXPECT_EQ(D64Extractor::readDirectory(*bus.disk(8)).entries.at(2).type, CBMFileType::seq);
    EXPECT_EQ(fileOn(bus.disk(8), 2), notes);
    EXPECT_EQ(model.floppy().directory().entries.size(), 3) << "re-read after the copy";

    // "b" is on the disk already, so the second file fails; "a" stays copied.
    waitForTask(StateEditor(model).copyFilesToFloppy({url("a.prg"), url("b.prg")}, false));
    ASSERT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(namesOn(bus.disk(8)), QStringList({"B", "C", "D", "A"}));
    EXPECT_EQ(fileOn(bus.disk(8), 3), intro);
    EXPECT_EQ(fileOn(bus.disk(8), 0), program(0x0801, "old"));
    ASSERT_EQ(desktop.notifications.size(), 1);
}

TEST_F(FloppyCopyTest, ImagesAskFirstThenWriteOrCopyTheirFiles) {
    const QByteArray image = diskImage("IMAGE", {{"INTRO", CBMFileType::prg, intro}});
    put("image.d64", image);
    put("extra.prg", game);
    put("tape.t64",
        tapeImage("TAPE", {{"T1", CBMFileType::prg, intro}, {"T2", CBMFileType::prg, game}}));
    VellumViewModel& model = withDisk(diskImage("DISK", {}));

    waitForTask(model.intakeFilesForFloppy({url("image.d64"), url("extra.prg"), url("gone")}));
    EXPECT_TRUE(model.confirmations().showsImageCopyChoice());
    EXPECT_EQ(model.confirmations().pendingCopyURLs(),
              QList<QUrl>({url("image.d64"), url("extra.prg")}));

    waitForTask(model.writePendingImages());
    EXPECT_TRUE(model.confirmations().pendingCopyURLs().isEmpty());
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(namesOn(bus.disk(8)), QStringList({"INTRO", "EXTRA"}));
    EXPECT_EQ(fileOn(bus.disk(8), 1), game);

    // A tape copied file by file, each under the name the tape lists.
    waitForTask(model.intakeFilesForFloppy({url("tape.t64")}));
    waitForTask(model.copyPendingAsFiles());
    EXPECT_EQ(namesOn(bus.disk(8)), QStringList({"INTRO", "EXTRA", "T1", "T2"}));
    EXPECT_EQ(fileOn(bus.disk(8), 3), game);

    // The same tape written as an image: converted first, then written.
    waitForTask(model.intakeFilesForFloppy({url("tape.t64")}));
    waitForTask(model.writePendingImages());
    EXPECT_EQ(namesOn(bus.disk(8)), QStringList({"T1", "T2"}));
    EXPECT_EQ(D64Extractor::readDirectory(*bus.disk(8)).diskName, "TAPE");
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());
}

TEST_F(FloppyCopyTest, SelectedImageEntriesKeepTheirListedNamesAndTypes) {
    put("games.d64", diskImage("GAMES", {{"INTRO", CBMFileType::prg, intro},
                                         {"MY NOTES", CBMFileType::seq, notes}}));
    VellumViewModel& model = withDisk(diskImage("DISK", {}));
    model.openImage(url("games.d64"));
    model.computer().selectAll();
    waitForTask(model.copySelectedToFloppy());
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(namesOn(bus.disk(8)), QStringList({"INTRO", "MY NOTES"}));
    EXPECT_EQ(D64Extractor::readDirectory(*bus.disk(8)).entries.at(1).type, CBMFileType::seq);
    EXPECT_EQ(fileOn(bus.disk(8), 1), notes);
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());

    // Plain selected files go the intake way.
    model.closeImage();
    put("z.prg", game);
    model.refreshLocalItems();
    model.computer().select(url("z.prg"));
    waitForTask(model.copySelectedToFloppy());
    EXPECT_EQ(namesOn(bus.disk(8)).last(), "Z");
}

TEST_F(FloppyCopyTest, FloppyFilesComeToTheFolderUnderFreeNames) {
    put("a-b.prg", "mine");
    VellumViewModel& model = withDisk(
        diskImage("DISK", {{"A/B", CBMFileType::prg, intro}, {"NOTES", CBMFileType::seq, notes}}));
    waitForTask(model.copyFloppyEntries({floppyEntry("a/b"), floppyEntry("notes")}));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(contents("a-b.prg"), "mine");
    EXPECT_EQ(contents("a-b-2.prg"), intro);
    EXPECT_EQ(contents("notes.seq"), notes);

    // A name the floppy does not hold fails after the first file, which stays.
    DirectoryEntry missing;
    missing.name = "MISSING";
    waitForTask(model.copyFloppyEntries({floppyEntry("notes"), missing}));
    EXPECT_TRUE(model.status().lastError().has_value());
    EXPECT_EQ(contents("notes-2.seq"), notes);
    EXPECT_FALSE(QFileInfo::exists(path("MISSING.prg")));

    // A name with ":" is read through "?" in its place, but only while the listing shows
    // that the pattern finds this one file.
    bus.insertDisk(8, diskImage("DISK", {{"A/B:C", CBMFileType::prg, game},
                                         {"X=Y", CBMFileType::prg, intro},
                                         {"X?Y", CBMFileType::prg, notes}}));
    waitForTask(model.readDirectory());
    waitForTask(model.copyFloppyEntries({floppyEntry("a/b:c")}));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(contents("a-b-c.prg"), game);
    waitForTask(model.copyFloppyEntries({floppyEntry("x=y")}));
    EXPECT_TRUE(model.status().lastError()->startsWith("“x=y” was not sent to the drive"));
    EXPECT_FALSE(QFileInfo::exists(path("x=y.prg")));

    DirectoryEntry deleted;
    deleted.name = "OLD";
    deleted.type = CBMFileType::del;
    waitForTask(model.copyFloppyEntries({deleted}));
    EXPECT_EQ(model.status().lastError(), pickAFile);
}

TEST_F(FloppyCopyTest, FloppyFilesGoIntoTheOpenD64) {
    put("target.d64", diskImage("TARGET", {{"FIRST", CBMFileType::prg, game}}));
    VellumViewModel& model = withDisk(diskImage(
        "DISK", {{"INTRO", CBMFileType::prg, intro}, {"NOTES", CBMFileType::seq, notes}}));
    model.openImage(url("target.d64"));
    waitForTask(model.copyFloppyEntries({floppyEntry("intro"), floppyEntry("notes")}));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(imageNames("target.d64"), QStringList({"FIRST", "INTRO", "NOTES"}));
    EXPECT_EQ(D64Extractor::parsedFile(url("target.d64"), 2).contents(), notes);
    EXPECT_EQ(itemNames(), QStringList({"FIRST", "INTRO", "NOTES"}));
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());

    DirectoryEntry relative;
    relative.name = "DATA";
    relative.type = CBMFileType::rel;
    waitForTask(model.copyFloppyEntries({relative}));
    EXPECT_TRUE(model.status().lastError().has_value()) << "REL files are not added";
}

TEST_F(FloppyCopyTest, StopEndsACopyWithoutANotice) {
    put("slow.prg", pattern(2000, 7));
    put("next.prg", game);
    VellumViewModel& model = withDisk(diskImage("DISK", {}));
    bus.setFault("seconds-per-track", "3");
    QCoro::Task<> copy =
        StateEditor(model).copyFilesToFloppy({url("slow.prg"), url("next.prg")}, false);
    QTimer::singleShot(300, &model, [&] { model.stop(); });
    waitForTask(std::move(copy));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_TRUE(desktop.notifications.isEmpty());
    EXPECT_TRUE(namesOn(bus.disk(8)).isEmpty());
}

TEST_F(FloppyCopyTest, BrowsingDuringACopyLeavesEveryFileInTheFolderItStartedIn) {
    QDir(folderDir.path()).mkdir("elsewhere");
    VellumViewModel& model = withDisk(
        diskImage("DISK", {{"ONE", CBMFileType::prg, intro}, {"TWO", CBMFileType::prg, game}}));
    QObject::connect(&model.status(), &OperationStatus::statusHeadlineChanged, [&] {
        if (model.status().statusHeadline().startsWith("Copying 1 of 2")) {
            model.navigate(url("elsewhere"));
        }
    });
    waitForTask(model.copyFloppyEntries({floppyEntry("one"), floppyEntry("two")}));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(model.computer().computerFolder(), url("elsewhere"));
    EXPECT_EQ(contents("one.prg"), intro);
    EXPECT_EQ(contents("two.prg"), game);
    EXPECT_TRUE(QDir(path("elsewhere")).isEmpty());
}

TEST_F(FloppyCopyTest, AFloppyFileReachesTheFolderOnlyWholeAndUnderANameNothingHas) {
    const QByteArray slow = program(0x0801, pattern(4000, 5));
    VellumViewModel& model = withDisk(diskImage("DISK", {{"SLOW", CBMFileType::prg, slow}}));
    bus.setFault("seconds-per-track", "3");
    // Half way through the read the folder holds nothing yet; then the name is taken.
    QStringList duringTheRead;
    QTimer::singleShot(1000, &model, [&] {
        duringTheRead = QDir(folderDir.path())
                            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        put("slow.prg", "mine");
    });
    waitForTask(model.copyFloppyEntries({floppyEntry("slow")}));
    EXPECT_EQ(model.status().lastError(), std::nullopt);
    EXPECT_EQ(duringTheRead, QStringList());
    EXPECT_EQ(contents("slow.prg"), "mine");
    EXPECT_EQ(contents("slow-2.prg"), slow);
    EXPECT_EQ(QDir(folderDir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"slow-2.prg", "slow.prg"}));
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());
}
