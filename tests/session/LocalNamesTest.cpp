#include "session/LocalNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

TEST(LocalNamesTest, MacNameRulesInOrder) {
    EXPECT_EQ(validateMacName("  \n"), "Enter a name.");
    EXPECT_EQ(validateMacName(" . "), "That name is not allowed.");
    EXPECT_EQ(validateMacName(".."), "That name is not allowed.");
    EXPECT_EQ(validateMacName("a:b"), "The name cannot contain “/” or “:”.");
    EXPECT_EQ(validateMacName("a/b"), "The name cannot contain “/” or “:”.");
    EXPECT_EQ(validateMacName(".profile"), std::nullopt);
    EXPECT_EQ(validateMacName("..."), std::nullopt);
}

TEST(LocalNamesTest, UniqueNamesNeverReuseAnExistingPath) {
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
