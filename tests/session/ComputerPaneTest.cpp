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
    EXPECT_EQ(itemNames(), QStringList({"games"}));

    model.activate(item("games"));
    EXPECT_EQ(model.computer().computerFolder(), url("games"));
    EXPECT_EQ(itemNames(), QStringList({"disks", "a.prg"}));
    EXPECT_EQ(QSettings().value("localFolderPath").toString(), path("games"));
    EXPECT_EQ(model.computer().currentLocationPath(), path("games"));

    model.goUp();
    EXPECT_EQ(model.computer().computerFolder(), folder());
    model.navigate(QUrl::fromLocalFile("/"));
    EXPECT_FALSE(model.computer().canGoUp());
    model.goUp();
    EXPECT_EQ(model.computer().computerFolder(), QUrl::fromLocalFile("/"));

    desktop.folderAnswers.enqueue(url("games/disks"));
    model.chooseLocalFolder();
    EXPECT_EQ(model.computer().computerFolder(), url("games/disks"));
    ASSERT_EQ(desktop.folderRequests.size(), 1);
    EXPECT_EQ(desktop.folderRequests.first().title, "Open Folder");
    EXPECT_EQ(desktop.folderRequests.first().message,
              "Choose a folder with CBM files (.prg, .seq, …).");
    model.chooseLocalFolder(); // cancelled
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
    EXPECT_FALSE(model.computer().canOpenLocalSelection());

    // Hidden by a filter, a selected file no longer counts; the refresh drops it.
    model.computer().setFilterPRG(true);
    EXPECT_EQ(model.computer().selectedLocalItems().size(), 2);
    model.refreshLocalItems();
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("dir"), url("a.prg")}));

    model.computer().clearSelection();
    EXPECT_TRUE(model.computer().selectedLocalURLs().isEmpty());
    EXPECT_FALSE(model.commands().canDeleteLocal());
    model.computer().prepareRowMenu(url("a.prg"));
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("a.prg")}));
    EXPECT_EQ(model.commandRegistry().title(CommandId::deleteSelection), "Move to Trash…");
    EXPECT_EQ(model.commands().computerDeleteMessage(),
              "Move the file “a.prg” to Trash? You can restore it from Trash later.");
}

TEST_F(PaneTest, NewFolderPromptProposesAFreeNameAndRefusesTakenOnes) {
    QDir(folderDir.path()).mkdir("untitled folder");
    VellumViewModel& model = pane();
    model.beginNewFolder();
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::newFolder);
    EXPECT_EQ(model.sheets().nameField(), "untitled folder 2");

    model.sheets().setNameField("  ");
    model.commitNewFolder();
    EXPECT_EQ(model.sheets().nameFieldError(), "Enter a name.");
    model.sheets().setNameField("untitled folder");
    model.commitNewFolder();
    EXPECT_EQ(model.sheets().nameFieldError(), "“untitled folder” already exists in this folder.");
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::newFolder);

    model.sheets().setNameField(" Games \n");
    model.commitNewFolder();
    EXPECT_EQ(model.sheets().namePrompt(), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("Games")).isDir());
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("Games")}));
    EXPECT_EQ(model.status().statusHeadline(), "Created folder “Games”.");

    // No new folder inside an image.
    put("d.d64", diskImage("D", {}));
    model.openImage(url("d.d64"));
    model.sheets().setNamePrompt(std::nullopt);
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
    EXPECT_EQ(model.sheets().namePrompt(), NamePromptKind::renameComputerItem);
    EXPECT_EQ(model.sheets().nameField(), "a.prg");

    model.sheets().setNameField("b.prg");
    model.commitRenameComputerItem();
    EXPECT_EQ(model.sheets().nameFieldError(), "“b.prg” already exists in this folder.");
    EXPECT_EQ(contents("b.prg"), "second");
    EXPECT_EQ(contents("a.prg"), "first");

    const QString headline = model.status().statusHeadline();
    model.sheets().setNameField("a.prg");
    model.commitRenameComputerItem();
    EXPECT_EQ(model.sheets().namePrompt(), std::nullopt);
    EXPECT_EQ(model.status().statusHeadline(), headline);

    model.beginRenameComputerItem();
    model.sheets().setNameField("c.prg");
    model.commitRenameComputerItem();
    EXPECT_EQ(folderNames(), QStringList({"b.prg", "c.prg", "folder"}));
    EXPECT_EQ(model.computer().selectedLocalURLs(), UrlSet({url("c.prg")}));
    EXPECT_EQ(model.status().statusHeadline(), "Renamed to “c.prg”.");

    model.computer().select(url("folder"));
    model.beginRenameComputerItem();
    model.sheets().setNameField("Folder2");
    model.commitRenameComputerItem();
    EXPECT_TRUE(QFileInfo(path("Folder2")).isDir());

    // Two selected items: no rename.
    model.computer().selectAll();
    model.sheets().setNamePrompt(std::nullopt);
    model.beginRenameComputerItem();
    EXPECT_EQ(model.sheets().namePrompt(), std::nullopt);
}

TEST_F(PaneTest, MoveToTrashTakesFilesAndFolders) {
    put("a.prg", "a");
    put("sub/inner.prg", "i");
    put("keep.prg", "k");
    VellumViewModel& model = pane();
    model.computer().click(url("a.prg"), {});
    model.computer().click(url("sub"), {true, false});
    EXPECT_EQ(model.commands().computerDeleteMessage(),
              "Move 1 files and 1 folders to Trash? You can restore them from Trash later.");
    model.requestLocalDelete();
    EXPECT_TRUE(model.confirmations().showsLocalDeleteConfirmation());
    model.confirmLocalDelete();
    EXPECT_EQ(desktop.trashed, QList<QUrl>({url("sub"), url("a.prg")}));
    EXPECT_EQ(folderNames(), QStringList({"keep.prg"}));
    EXPECT_EQ(model.status().statusHeadline(), "Moved 2 items to Trash.");
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
    EXPECT_TRUE(model.computer().selectedLocalURLs().isEmpty());
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
    EXPECT_EQ(model.computer().computerItems().size(), 2);
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath("a.prg")));
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath("b.prg")));
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath("c.prg")));
}

TEST_F(PaneTest, FileManagerRevealsSelectionImageOrFolder) {
    put("a.prg", "a");
    put("d.d64", diskImage("D", {}));
    VellumViewModel& model = pane();
    model.showInFileManager();
    model.computer().select(url("a.prg"));
    model.showInFileManager();
    model.revealFolder();
    model.openImage(url("d.d64"));
    model.showInFileManager();
    EXPECT_EQ(desktop.revealed,
              QList<QList<QUrl>>({{folder()}, {url("a.prg")}, {folder()}, {url("d.d64")}}));
}
