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
