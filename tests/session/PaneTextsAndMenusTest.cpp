#include "session/CopyPlanning.h"
#include "session/PaneMenus.h"
#include "session/PaneTexts.h"
#include "session/TemporaryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

namespace {

LocalFileItem fileItem(const QString& name) {
    return {QUrl::fromLocalFile("/f/" + name), name, false, 10, "PRG", {}, {}};
}

LocalFileItem folderItem(const QString& name) {
    return {QUrl::fromLocalFile("/f/" + name), name, true, {}, "DIR", {}, {}};
}

QStringList titles(const QList<ContextAction>& menu) {
    QStringList result;
    for (const ContextAction& action : menu)
        result << (action.isSeparator ? QStringLiteral("---") : action.title);
    return result;
}

const ContextAction& line(const QList<ContextAction>& menu, const QString& title) {
    for (const ContextAction& action : menu) {
        if (action.title == title)
            return action;
    }
    throw std::runtime_error("no such menu line");
}

} // namespace

TEST(PaneTextsTest, DeleteConfirmationTexts) {
    const QUrl image = QUrl::fromLocalFile("/f/GAMES.D64");
    EXPECT_EQ(localDeleteMessage({fileItem("INTRO")}, true, image),
              "Delete “INTRO” from GAMES.D64? This cannot be undone.");
    EXPECT_EQ(localDeleteMessage({fileItem("A"), fileItem("B")}, true, std::nullopt),
              "Delete 2 files from this D64? This cannot be undone.");
    EXPECT_EQ(localDeleteMessage({folderItem("old")}, false, std::nullopt),
              "Move the folder “old” to Trash? You can restore it from Trash later.");
    EXPECT_EQ(localDeleteMessage({fileItem("a.prg")}, false, std::nullopt),
              "Move the file “a.prg” to Trash? You can restore it from Trash later.");
    EXPECT_EQ(localDeleteMessage({fileItem("a"), fileItem("b")}, false, std::nullopt),
              "Move 2 files to Trash? You can restore them from Trash later.");
    EXPECT_EQ(localDeleteMessage({folderItem("a"), folderItem("b")}, false, std::nullopt),
              "Move 2 folders to Trash? You can restore them from Trash later.");
    EXPECT_EQ(
        localDeleteMessage({fileItem("a"), folderItem("b"), fileItem("c")}, false, std::nullopt),
        "Move 2 files and 1 folders to Trash? You can restore them from Trash later.");
}

TEST(PaneTextsTest, ImageChoiceNamesTheOnlyImageOrCountsThem) {
    const QUrl disk = QUrl::fromLocalFile("/f/Disk %2.d64");
    const QUrl tape = QUrl::fromLocalFile("/f/tape.T64");
    const QUrl program = QUrl::fromLocalFile("/f/a.prg");
    EXPECT_EQ(imageCopyChoiceMessage({disk, program}, 9),
              "“Disk %2.d64” can be copied as PRG file(s) onto the current disk, or written as a "
              "full disk image. Writing as an image erases everything on the floppy in drive 9.");
    EXPECT_TRUE(imageCopyChoiceMessage({disk, tape}, 8).startsWith("“2 image files” can be"));
    EXPECT_EQ(computerPaneTitle(std::nullopt), "Computer");
    EXPECT_EQ(computerPaneTitle(disk), "Computer  |  Disk %2.d64");
    EXPECT_EQ(trashProgressText({fileItem("a")}), "Moving “a” to Trash…");
    EXPECT_EQ(trashDoneText({fileItem("a"), folderItem("b")}), "Moved 2 items to Trash.");
}

TEST(PaneTextsTest, CopyTextsAndBlockCounts) {
    EXPECT_EQ(copyingText(1, "game"), "Copying “game”…");
    EXPECT_EQ(copyingText(3, "game"), "Copying 3 files…");
    EXPECT_EQ(copyingItemText(1, 3, "b"), "Copying 2 of 3: “b”…");
    EXPECT_EQ(copyingItemText(0, 1, "b"), "Copying “b”…");
    EXPECT_EQ(copiedText(2, "a"), "Copied 2 files.");
    EXPECT_EQ(addingText(1, "A", "X.D64"), "Adding “A” to X.D64…");
    EXPECT_EQ(addedText(4, "A", "X.D64"), "Added 4 files to X.D64.");

    EXPECT_EQ(blocksForSize(0), 1);
    EXPECT_EQ(blocksForSize(254), 1);
    EXPECT_EQ(blocksForSize(255), 2);
    EXPECT_EQ(blocksForFile(QUrl::fromLocalFile("/no/such/file")), 1);
    EXPECT_EQ(floppyNameFromImage("  A VERY LONG NAME THAT GOES ON "), "A VERY LONG NAME");
}

TEST(PaneTextsTest, CopyRequestKeepsExistingFilesSplitByKind) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char* name : {"a.prg", "b.D64", "c.t64", "d.seq"})
        QFile(root.filePath(name)).open(QIODevice::WriteOnly);
    root.mkdir("e.d64");
    auto url = [&](const char* name) { return QUrl::fromLocalFile(root.filePath(name)); };
    const CopyRequestSplit split = splitCopyRequest(
        {url("d.seq"), url("b.D64"), url("missing.prg"), url("e.d64"), url("c.t64"), url("a.prg")});
    EXPECT_EQ(split.images, QList<QUrl>({url("b.D64"), url("c.t64")}));
    EXPECT_EQ(split.plainFiles, QList<QUrl>({url("d.seq"), url("a.prg")}));
}

TEST(PaneTextsTest, TemporaryFilesAreNamedAndAlwaysRemoved) {
    QString path;
    {
        TemporaryFiles files;
        const QUrl url = files.make("prg");
        path = url.toLocalFile();
        const QString name = QFileInfo(path).fileName();
        EXPECT_TRUE(name.startsWith("vellum-"));
        EXPECT_TRUE(name.endsWith(".prg"));
        EXPECT_EQ(name.size(), QString("vellum-").size() + 36 + 4);
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(QDir::tempPath()).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_NE(files.make("prg"), url);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(PaneMenusTest, RowMenuTitlesAndEnablingFollowTheSelection) {
    int opened = 0;
    PaneMenuActions actions;
    actions.openAnchorItem = [&] { ++opened; };

    PaneMenuState state;
    state.selectedItemCount = 1;
    state.selectedFileCount = 1;
    state.canOpenLocalSelection = true;
    state.canDeleteLocal = true;
    const LocalFileItem disk = fileItem("games.d64");
    QList<ContextAction> menu = localRowMenu(disk, state, actions);
    EXPECT_EQ(titles(menu),
              QStringList({"Open Image", "Copy to Floppy", "Rename…", "Move to Trash…", "---",
                           "New Folder", "New D64", "---", "Show in Finder", "Refresh"}));
    EXPECT_TRUE(line(menu, "Move to Trash…").isDestructive);
    menu.first().action();
    EXPECT_EQ(opened, 1);

    // Several files selected, one of them a tape; no open line for a multiple selection.
    state.selectedItemCount = 3;
    state.selectedFileCount = 2;
    state.selectedT64Count = 1;
    state.canOpenLocalSelection = false;
    menu = localRowMenu(fileItem("tape.t64"), state, actions);
    EXPECT_EQ(titles(menu).mid(0, 4), QStringList({"Copy 2 Files to Floppy", "Convert T64 to D64",
                                                   "Rename…", "Move 3 Items to Trash…"}));
    EXPECT_FALSE(line(menu, "Rename…").enabled);
    EXPECT_TRUE(line(menu, "Convert T64 to D64").enabled);

    // Busy: only Show in Finder stays usable; a clicked tape still shows its line.
    state.idle = false;
    state.canDeleteLocal = false;
    state.selectedT64Count = 0;
    menu = localRowMenu(fileItem("tape.t64"), state, actions);
    for (const ContextAction& action : menu) {
        if (!action.isSeparator) {
            EXPECT_EQ(action.enabled, action.title == "Show in Finder")
                << action.title.toStdString();
        }
    }
    EXPECT_TRUE(titles(menu).contains("Convert T64 to D64"));

    // With a D64 open: entries extract, delete from the image, no folder commands.
    state = {};
    state.browsingImage = true;
    state.browsingD64 = true;
    state.selectedItemCount = 2;
    state.selectedFileCount = 2;
    state.canDeleteLocal = true;
    LocalFileItem entry = fileItem("INTRO");
    entry.imageIndex = 0;
    menu = localRowMenu(entry, state, actions);
    EXPECT_EQ(titles(menu).mid(0, 3),
              QStringList({"Copy 2 Files to Floppy", "Rename…", "Delete 2 Files…"}));
    EXPECT_FALSE(line(menu, "New Folder").enabled);
    EXPECT_TRUE(line(menu, "New D64").enabled);
    state.selectedItemCount = 1;
    state.canOpenLocalSelection = true;
    EXPECT_EQ(titles(localRowMenu(entry, state, actions)).mid(0, 4),
              QStringList({"Extract to Folder", "Copy 2 Files to Floppy", "Rename…", "Delete…"}));
    EXPECT_EQ(openTitle(folderItem("x")), "Open Folder");
    EXPECT_EQ(openTitle(fileItem("x.txt")), "Open");
}

TEST(PaneMenusTest, BackgroundMenu) {
    int refreshed = 0;
    PaneMenuActions actions;
    actions.refreshLocalItems = [&] { ++refreshed; };
    PaneMenuState state;
    state.browsingImage = true;
    const QList<ContextAction> menu = localBackgroundMenu(state, actions);
    EXPECT_EQ(titles(menu), QStringList({"New Folder", "New D64", "---", "Open Folder…",
                                         "Show in Finder", "Refresh"}));
    EXPECT_FALSE(menu.at(0).enabled);
    EXPECT_TRUE(menu.at(1).enabled);
    menu.at(5).action();
    EXPECT_EQ(refreshed, 1);
    state.idle = false;
    EXPECT_FALSE(localBackgroundMenu(state, actions).at(5).enabled);
    EXPECT_TRUE(localBackgroundMenu(state, actions).at(3).enabled);
}
