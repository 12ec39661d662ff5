#include "PaneFixture.h"

#include <QSettings>

using namespace vellum;
using namespace vellum::testing;

namespace {

// Trashes like the desktop, but fails on the chosen call.
class FlakyTrash : public FakeDesktopServices {
public:
    int failOnCall = 0;
    int calls = 0;
    void moveToTrash(const QUrl& url) override {
        if (++calls == failOnCall) {
            throw PlatformError(QStringLiteral("The item could not be moved to the Trash."));
        }
        FakeDesktopServices::moveToTrash(url);
    }
};

} // namespace

TEST_F(PaneTest, NavigationRemembersTheFolderAndGoesUp) {
    QDir(folderDir.path()).mkpath("games/disks");
    put("games/a.prg", "x");
    VellumViewModel& model = pane();
    model.activate(item("games"));
    EXPECT_EQ(itemNames(), QStringList({"disks", "a.prg"}));
    EXPECT_EQ(QSettings().value("localFolderPath").toString(), path("games"));
    model.goUp();
    EXPECT_EQ(model.computer().computerFolder(), folder());
    model.navigate(QUrl::fromLocalFile("/"));
    EXPECT_FALSE(model.computer().canGoUp());
    model.goUp();
    EXPECT_EQ(model.computer().computerFolder(), QUrl::fromLocalFile("/"));

    desktop.folderAnswers.enqueue(url("games/disks"));
    model.chooseLocalFolder();
    EXPECT_EQ(model.computer().computerFolder(), url("games/disks"));
}

TEST_F(PaneTest, SelectionCountsOnlyVisibleItemsAndFiltersPruneIt) {
    put("a.prg", pattern(300, 1));
    put("b.d64", diskImage("B", {}));
    put("c.t64", "t");
    QDir(folderDir.path()).mkdir("dir");
    VellumViewModel& model = pane();
    model.window().setFocusedPane(CommanderPane::floppy);

    model.computer().selectAll();
    EXPECT_EQ(model.window().focusedPane(), CommanderPane::computer);
    EXPECT_EQ(model.computer().selectedLocalItems().size(), 4);
    EXPECT_EQ(model.computer().selectedLocalFiles().size(), 3);
    EXPECT_EQ(model.computer().selectedT64Items().size(), 1);
    EXPECT_EQ(model.computer().selectedLocalByteCount(), 300 + 174848 + 1);
    EXPECT_EQ(model.computer().selectedLocalBlockCount(), 2 + 689 + 1);

    // Hidden by a filter, a selected file no longer counts; the refresh drops it.
    model.computer().setFilterPRG(true);
    EXPECT_EQ(model.computer().selectedLocalItems().size(), 2);
    model.refreshLocalItems();
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("dir"), url("a.prg")}));
}

TEST_F(PaneTest, NewFolderPromptProposesAFreeNameAndRefusesTakenOnes) {
    QDir(folderDir.path()).mkdir("untitled folder");
    VellumViewModel& model = pane();
    model.beginNewFolder();
    EXPECT_EQ(model.sheets().nameField(), "untitled folder 2");
    for (const QString taken : {"  ", "untitled folder"}) {
        model.sheets().setNameField(taken);
        model.commitNewFolder();
        EXPECT_TRUE(model.sheets().nameFieldError().has_value());
        EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::newFolder);
    }
    model.sheets().setNameField(" Games \n");
    model.commitNewFolder();
    EXPECT_EQ(model.sheets().namePrompt(), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("Games")).isDir());
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("Games")}));

    // No new folder inside an image.
    put("d.d64", diskImage("D", {}));
    model.openImage(url("d.d64"));
    model.beginNewFolder();
    EXPECT_EQ(model.sheets().namePrompt(), std::nullopt);
}

TEST_F(PaneTest, RenameNeverReplacesAnotherItem) {
    put("a.prg", "first");
    put("b.prg", "second");
    QDir(folderDir.path()).mkdir("folder");
    VellumViewModel& model = pane();
    model.computer().select(url("a.prg"));
    model.beginRenameComputerItem();
    EXPECT_EQ(model.sheets().nameField(), "a.prg");
    model.sheets().setNameField("b.prg");
    model.commitRenameComputerItem();
    EXPECT_TRUE(model.sheets().nameFieldError().has_value());
    EXPECT_EQ(contents("b.prg"), "second");
    EXPECT_EQ(contents("a.prg"), "first");

    model.sheets().setNameField("c.prg");
    model.commitRenameComputerItem();
    EXPECT_EQ(folderNames(), QStringList({"b.prg", "c.prg", "folder"}));
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("c.prg")}));
    model.computer().select(url("folder"));
    model.beginRenameComputerItem();
    model.sheets().setNameField("Folder2");
    model.commitRenameComputerItem();
    EXPECT_TRUE(QFileInfo(path("Folder2")).isDir());

    // Two selected items: no rename.
    model.computer().selectAll();
    model.beginRenameComputerItem();
    EXPECT_EQ(model.sheets().namePrompt(), std::nullopt);
}

TEST(PaneTrashTest, AFailureKeepsWhatWasTrashedAndReportsIt) {
    IsolatedSettings settings;
    QTemporaryDir dir;
    for (const char* name : {"a.prg", "b.prg", "c.prg"}) {
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    FlakyTrash desktop;
    desktop.failOnCall = 2;
    VellumViewModel model(desktop, {});
    model.navigate(QUrl::fromLocalFile(dir.path()));
    model.computer().selectAll();
    model.moveSelectionToTrash();
    EXPECT_EQ(model.status().lastError(), "The item could not be moved to the Trash.");
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
    EXPECT_EQ(desktop.trashed.size(), 1);
    EXPECT_EQ(model.computer().computerItems().size(), 2);
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath("a.prg")));
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath("b.prg")));
}
