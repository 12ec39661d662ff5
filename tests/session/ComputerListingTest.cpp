#include "session/ComputerListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vellum;

namespace {

void touch(const QString& path, qint64 size = 0) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(size, 'x'));
}

QStringList names(const QList<ComputerFileItem>& items) {
    QStringList result;
    for (const ComputerFileItem& item : items) {
        result << item.name;
    }
    return result;
}

} // namespace

TEST(ComputerListingTest, FoldersFirstThenNaturalOrderWithoutHiddenMembers) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    touch(root.filePath("Game10.prg"), 300);
    touch(root.filePath("game9.PRG"));
    touch(root.filePath("alpha.d64"));
    touch(root.filePath(".hidden"));
    touch(root.filePath("notes"));
    root.mkdir("zeta");
    root.mkdir("Beta");
    root.mkdir(".config");

    const QList<ComputerFileItem> items = listLocalFolder(QUrl::fromLocalFile(dir.path()));
    EXPECT_EQ(names(items),
              QStringList({"Beta", "zeta", "alpha.d64", "game9.PRG", "Game10.prg", "notes"}));

    const ComputerFileItem& folder = items.at(0);
    EXPECT_TRUE(folder.isDirectory);
    EXPECT_EQ(folder.typeLabel, "DIR");
    EXPECT_FALSE(folder.fileSize);
    EXPECT_EQ(folder.url, QUrl::fromLocalFile(root.filePath("Beta")));

    const ComputerFileItem& game = items.at(4);
    EXPECT_FALSE(game.isDirectory);
    EXPECT_EQ(game.fileSize, 300);
    EXPECT_EQ(game.typeLabel, "PRG");
    EXPECT_EQ(game.blocksText(), "2");
    EXPECT_FALSE(game.blocks);
    EXPECT_FALSE(game.imageIndex);
    EXPECT_EQ(items.at(5).typeLabel, "FILE");
}

TEST(ComputerListingTest, LinksAreFollowedAndSpecialFilesLeftOutButDanglingLinksShown) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkdir("real");
    touch(root.filePath("data.prg"), 10);
    touch(root.filePath("B.prg"));
    touch(root.filePath("b.prg"));
    QFile::link(root.filePath("real"), root.filePath("to-folder"));
    QFile::link(root.filePath("data.prg"), root.filePath("to-file.prg"));
    QFile::link(root.filePath("gone.d64"), root.filePath("to-nothing.d64"));
    QFile::link(root.filePath("loop"), root.filePath("loop"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(root.filePath("pipe")).constData(), 0600), 0);

    // A link to nothing still takes its name, so it is listed: as a file of unknown size.
    const QList<ComputerFileItem> items = listLocalFolder(QUrl::fromLocalFile(dir.path()));
    EXPECT_EQ(names(items), QStringList({"real", "to-folder", "B.prg", "b.prg", "data.prg", "loop",
                                         "to-file.prg", "to-nothing.d64"}));
    EXPECT_TRUE(items.at(1).isDirectory);
    EXPECT_EQ(items.at(6).fileSize, 10);
    for (const ComputerFileItem& dangling : {items.at(5), items.at(7)}) {
        EXPECT_FALSE(dangling.isDirectory);
        EXPECT_FALSE(dangling.fileSize);
    }
    EXPECT_EQ(items.at(7).typeLabel, "D64");
}

TEST(ComputerListingTest, UnlistableFolderGivesNothing) {
    QTemporaryDir dir;
    EXPECT_TRUE(listLocalFolder(QUrl::fromLocalFile(dir.filePath("missing"))).isEmpty());
    QDir(dir.path()).mkdir("empty");
    EXPECT_TRUE(listLocalFolder(QUrl::fromLocalFile(dir.filePath("empty"))).isEmpty());
}

TEST(ComputerListingTest, FiltersKeepFoldersAndCompareExtensionsWithoutCase) {
    auto file = [](const QString& name) {
        return ComputerFileItem{QUrl::fromLocalFile("/f/" + name), name, false, 1, "X", {}, {}};
    };
    const ComputerFileItem folder{QUrl::fromLocalFile("/f/dir"), "dir", true, {}, "DIR", {}, {}};
    const QList<ComputerFileItem> items = {folder, file("a.D64"), file("b.prg"), file("c.t64"),
                                           file("d.txt")};

    EXPECT_EQ(visibleLocalItems(items, {}, false), items);

    ComputerFilters prgOnly;
    prgOnly.prg = true;
    EXPECT_EQ(names(visibleLocalItems(items, prgOnly, false)), QStringList({"dir", "b.prg"}));

    ComputerFilters images;
    images.d64 = true;
    images.t64 = true;
    images.hideFolders = true;
    EXPECT_EQ(names(visibleLocalItems(items, images, false)), QStringList({"a.D64", "c.t64"}));

    ComputerFilters noFolders;
    noFolders.hideFolders = true;
    EXPECT_EQ(names(visibleLocalItems(items, noFolders, false)),
              QStringList({"a.D64", "b.prg", "c.t64", "d.txt"}));

    // An open image shows its entries whatever the filters say.
    EXPECT_EQ(visibleLocalItems(items, images, true), items);
}

TEST(ComputerListingTest, ImageEntriesBecomeItemsWithSyntheticURLs) {
    DirectoryEntry first;
    first.name = "intro";
    first.typeToken = "PRG";
    first.blocks = 3;
    first.byteSize = 600;
    DirectoryEntry second;
    second.name = "Notes";
    second.type = CBMFileType::seq;
    second.typeToken = "*SEQ<";
    DiskDirectory directory;
    directory.entries = {first, second};

    const QList<ComputerFileItem> items =
        imageEntryItems(QUrl::fromLocalFile("/disks/GAMES.D64"), directory);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(0), (ComputerFileItem{QUrl::fromLocalFile("/disks/GAMES.D64/0.prg"), "INTRO",
                                             false, 600, "PRG", 3, 0}));
    EXPECT_EQ(items.at(1), (ComputerFileItem{QUrl::fromLocalFile("/disks/GAMES.D64/1.seq"), "NOTES",
                                             false, std::nullopt, "*SEQ<", std::nullopt, 1}));
}
