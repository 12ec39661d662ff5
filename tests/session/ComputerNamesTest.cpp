#include "session/ComputerNames.h"
#include "session/PaneTexts.h"
#include "session/TemporaryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

TEST(ComputerNamesTest, ComputerNameRulesInOrder) {
    EXPECT_EQ(validateComputerName("  \n"), "Enter a name.");
    EXPECT_EQ(validateComputerName(" . "), "That name is not allowed.");
    EXPECT_EQ(validateComputerName(".."), "That name is not allowed.");
    EXPECT_EQ(validateComputerName("a:b"), "The name cannot contain “/” or “:”.");
    EXPECT_EQ(validateComputerName("a/b"), "The name cannot contain “/” or “:”.");
    EXPECT_EQ(validateComputerName(".profile"), std::nullopt);
    EXPECT_EQ(validateComputerName("..."), std::nullopt);
}

TEST(ComputerNamesTest, UniqueNamesNeverReuseAnExistingPath) {
    QTemporaryDir dir;
    const QUrl folder = QUrl::fromLocalFile(dir.path());
    const QDir root(dir.path());
    EXPECT_EQ(uniqueLocalURL(folder, "GAME", "prg"),
              QUrl::fromLocalFile(root.filePath("GAME.prg")));

    QFile(root.filePath("GAME.prg")).open(QIODevice::WriteOnly);
    root.mkdir("GAME-2.prg");
    EXPECT_EQ(uniqueLocalURL(folder, "GAME", ".prg."),
              QUrl::fromLocalFile(root.filePath("GAME-3.prg")));

    // A dangling link holds its name as well.
    ASSERT_TRUE(QFile::link(root.filePath("nowhere"), root.filePath("GAME-3.prg")));
    EXPECT_EQ(uniqueLocalURL(folder, "GAME", "prg"),
              QUrl::fromLocalFile(root.filePath("GAME-4.prg")));

    root.mkdir("notes");
    EXPECT_EQ(uniqueLocalURL(folder, "notes", ""), QUrl::fromLocalFile(root.filePath("notes-2")));
}

TEST(PaneTextsTest, NamesWithPlaceholdersStayAsTheyAre) {
    const QUrl disk = QUrl::fromLocalFile("/f/Disk %2.d64");
    EXPECT_TRUE(imageCopyChoiceMessage({disk}, 9).startsWith("“Disk %2.d64” can be copied"));
    EXPECT_TRUE(imageCopyChoiceMessage({disk}, 9).endsWith("in drive 9."));
}

TEST(PaneTextsTest, TemporaryFilesAreNamedAndAlwaysRemoved) {
    QString path;
    {
        TemporaryFiles files;
        const QUrl url = files.make("prg");
        path = url.toLocalFile();
        const QString name = QFileInfo(path).fileName();
        EXPECT_TRUE(name.startsWith("vellum-") && name.endsWith(".prg")) << name.toStdString();
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(QDir::tempPath()).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_NE(files.make("prg"), url);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}
