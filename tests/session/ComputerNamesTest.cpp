#include "session/ComputerNames.h"

#include <QDir>
#include <QFile>
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
