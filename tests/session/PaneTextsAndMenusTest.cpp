#include "session/ComputerPaneMenus.h"
#include "session/PaneTexts.h"
#include "session/TemporaryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace vellum;

namespace {

ComputerFileItem fileItem(const QString& name) {
    return {QUrl::fromLocalFile("/f/" + name), name, false, 10, "PRG", {}, {}};
}

ComputerFileItem folderItem(const QString& name) {
    return {QUrl::fromLocalFile("/f/" + name), name, true, {}, "DIR", {}, {}};
}

QStringList titles(const QList<ContextAction>& menu) {
    QStringList result;
    for (const ContextAction& action : menu) {
        result << (action.isSeparator ? QStringLiteral("---") : action.title);
    }
    return result;
}

const ContextAction& line(const QList<ContextAction>& menu, const QString& title) {
    for (const ContextAction& action : menu) {
        if (action.title == title) {
            return action;
        }
    }
    throw std::runtime_error("no such menu line");
}

} // namespace

TEST(PaneTextsTest, DeleteConfirmationTexts) {
    EXPECT_EQ(computerDeleteMessage({fileItem("A"), fileItem("B")}, true, std::nullopt),
              "Delete 2 files from this D64? This cannot be undone.");
    EXPECT_EQ(computerDeleteMessage({folderItem("old")}, false, std::nullopt),
              "Move the folder “old” to Trash? You can restore it from Trash later.");
    EXPECT_EQ(computerDeleteMessage({fileItem("a"), fileItem("b")}, false, std::nullopt),
              "Move 2 files to Trash? You can restore them from Trash later.");
    EXPECT_EQ(computerDeleteMessage({folderItem("a"), folderItem("b")}, false, std::nullopt),
              "Move 2 folders to Trash? You can restore them from Trash later.");
}

TEST(PaneTextsTest, NamesWithPlaceholdersStayAsTheyAre) {
    const QUrl disk = QUrl::fromLocalFile("/f/Disk %2.d64");
    EXPECT_TRUE(imageCopyChoiceMessage({disk}, 9).startsWith("“Disk %2.d64” can be copied"));
    EXPECT_TRUE(imageCopyChoiceMessage({disk}, 9).endsWith("in drive 9."));
    EXPECT_TRUE(imageCopyChoiceMessage({disk, disk}, 8).startsWith("“2 image files”"));
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
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(QDir::tempPath()).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_NE(files.make("prg"), url);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(PaneMenusTest, RowMenuTitlesAndEnablingFollowTheSelection) {
    int opened = 0;
    ComputerMenuActions actions;
    actions.openAnchorItem = [&] { ++opened; };

    ComputerMenuState state;
    state.selectedItemCount = 1;
    state.selectedFileCount = 1;
    state.canOpenLocalSelection = true;
    state.canDeleteLocal = true;
    const ComputerFileItem disk = fileItem("games.d64");
    QList<ContextAction> menu = computerRowMenu(disk, state, actions);
    EXPECT_EQ(titles(menu),
              QStringList({"Open Image", "Copy to Floppy", "Rename…", "Move to Trash…", "---",
                           "New Folder", "New D64", "---", "Show in File Manager", "Refresh"}));
    EXPECT_TRUE(line(menu, "Move to Trash…").isDestructive);
    menu.first().action();
    EXPECT_EQ(opened, 1);

    // Several files selected, one of them a tape; no open line for a multiple selection.
    state.selectedItemCount = 3;
    state.selectedFileCount = 2;
    state.selectedT64Count = 1;
    state.canOpenLocalSelection = false;
    menu = computerRowMenu(fileItem("tape.t64"), state, actions);
    EXPECT_EQ(titles(menu).mid(0, 4), QStringList({"Copy 2 Files to Floppy", "Convert T64 to D64",
                                                   "Rename…", "Move 3 Items to Trash…"}));
    EXPECT_FALSE(line(menu, "Rename…").enabled);
    EXPECT_TRUE(line(menu, "Convert T64 to D64").enabled);

    // Busy: only Show in File Manager stays usable, the open line too; a clicked tape still
    // shows its line.
    state.idle = false;
    state.canDeleteLocal = false;
    state.selectedT64Count = 0;
    state.canOpenLocalSelection = true;
    menu = computerRowMenu(fileItem("tape.t64"), state, actions);
    EXPECT_EQ(titles(menu).first(), "Open Image");
    for (const ContextAction& action : menu) {
        if (!action.isSeparator) {
            EXPECT_EQ(action.enabled, action.title == "Show in File Manager")
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
    ComputerFileItem entry = fileItem("INTRO");
    entry.imageIndex = 0;
    menu = computerRowMenu(entry, state, actions);
    EXPECT_EQ(titles(menu).mid(0, 3),
              QStringList({"Copy 2 Files to Floppy", "Rename…", "Delete 2 Files…"}));
    EXPECT_FALSE(line(menu, "New Folder").enabled);
    EXPECT_TRUE(line(menu, "New D64").enabled);
    state.selectedItemCount = 1;
    state.canOpenLocalSelection = true;
    EXPECT_EQ(titles(computerRowMenu(entry, state, actions)).mid(0, 4),
              QStringList({"Extract to Folder", "Copy 2 Files to Floppy", "Rename…", "Delete…"}));
    EXPECT_EQ(openTitle(folderItem("x")), "Open Folder");
    EXPECT_EQ(openTitle(fileItem("x.txt")), "Open");
}
