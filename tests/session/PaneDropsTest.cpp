#include "PaneFixture.h"

using namespace vellum;
using namespace vellum::testing;

namespace {

const QByteArray game = program(0x1000, pattern(300, 3));

} // namespace

TEST_F(PaneTest, FilesDroppedIntoTheFolderGetFreeNames) {
    QTemporaryDir elsewhere;
    const QString source = QDir(elsewhere.path()).filePath("GAME.prg");
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(game);
    file.close();
    QDir(elsewhere.path()).mkdir("folder");
    put("GAME.prg", "mine");
    VellumViewModel& model = pane();

    EXPECT_TRUE(waitForTask(
        model.dropOnComputerPane({QUrl::fromLocalFile(source), QUrl::fromLocalFile(source),
                                  QUrl::fromLocalFile(QDir(elsewhere.path()).filePath("folder"))},
                                 {})));
    EXPECT_EQ(folderNames(), QStringList({"GAME-2.prg", "GAME-3.prg", "GAME.prg"}));
    EXPECT_EQ(contents("GAME.prg"), "mine");
    EXPECT_EQ(contents("GAME-3.prg"), game);
    EXPECT_EQ(itemNames().size(), 3);

    // A file dropped onto its own folder is copied beside itself, never onto itself.
    model.copyFilesIntoFolder({url("GAME.prg")});
    EXPECT_EQ(contents("GAME.prg"), "mine");
    EXPECT_EQ(contents("GAME-4.prg"), "mine");

    // While an operation runs every drop is refused.
    StateEditor(model).setOperation(OperationKind::copyingFiles);
    EXPECT_FALSE(model.commands().acceptsComputerDrop());
    EXPECT_FALSE(waitForTask(model.dropOnComputerPane({QUrl::fromLocalFile(source)}, {})));
    EXPECT_EQ(folderNames().size(), 4);
    StateEditor(model).setOperation(OperationKind::idle);
}

TEST_F(PaneTest, DropsOnImagesAddToThemButNeverToThemselves) {
    put("disk.d64", diskImage("DISK", {}));
    put("tape.t64", tapeImage("TAPE", {{"T1", CBMFileType::prg, game}}));
    put("a.prg", game);
    VellumViewModel& model = pane();

    const ComputerFileItem diskRow = item("disk.d64");
    EXPECT_TRUE(model.commands().acceptsDropOnLocalRow(diskRow));
    EXPECT_FALSE(model.commands().acceptsDropOnLocalRow(item("tape.t64")));
    EXPECT_TRUE(waitForTask(model.dropOnLocalRow(diskRow, {url("disk.d64"), url("a.prg")}, {})));
    EXPECT_EQ(imageNames("disk.d64"), QStringList({"A"}));

    // With the D64 open, a drop on the list adds to it.
    model.openImage(url("disk.d64"));
    EXPECT_TRUE(waitForTask(model.dropOnComputerPane({url("tape.t64")}, {})));
    EXPECT_EQ(imageNames("disk.d64"), QStringList({"A", "T1"}));
    EXPECT_EQ(itemNames(), QStringList({"A", "T1"}));

    // A T64 open takes nothing.
    model.openImage(url("tape.t64"));
    const QByteArray tape = contents("tape.t64");
    EXPECT_FALSE(model.commands().acceptsComputerDrop());
    EXPECT_FALSE(waitForTask(model.dropOnComputerPane({url("a.prg")}, {"GAME\tPRG"})));
    EXPECT_EQ(contents("tape.t64"), tape);
    EXPECT_EQ(folderNames().size(), 3);
}

TEST_F(PaneTest, DragsCarrySelectedFilesAndNamedCopiesOfImageEntries) {
    put("a.prg", "a");
    put("b.prg", "b");
    QDir(folderDir.path()).mkdir("dir");
    put("disk.d64", diskImage("DISK", {{"MY/GAME", CBMFileType::prg, game}}));
    VellumViewModel& model = pane();
    model.computer().click(url("a.prg"), {});
    model.computer().click(url("dir"), {true, false});
    model.computer().click(url("b.prg"), {true, false});
    EXPECT_EQ(model.dragURLs(item("a.prg")), QList<QUrl>({url("a.prg"), url("b.prg")}));
    EXPECT_EQ(model.dragURLs(item("disk.d64")), QList<QUrl>({url("disk.d64")}));
    EXPECT_TRUE(model.dragURLs(item("dir")).size() == 2);
    model.computer().select(url("a.prg"));
    EXPECT_TRUE(model.dragURLs(item("dir")).isEmpty());

    model.openImage(url("disk.d64"));
    const QList<QUrl> dragged = model.dragURLs(model.computer().computerItems().first());
    ASSERT_EQ(dragged.size(), 1);
    EXPECT_EQ(QFileInfo(dragged.first().toLocalFile()).fileName(), "MY-GAME.prg");
    QFile carried(dragged.first().toLocalFile());
    ASSERT_TRUE(carried.open(QIODevice::ReadOnly));
    EXPECT_EQ(carried.readAll(), game);
}
