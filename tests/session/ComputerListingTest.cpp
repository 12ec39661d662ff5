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

TEST(ComputerListingTest, FoldersFirstInNaturalOrderLinksFollowedSpecialAndHiddenLeftOut) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkdir("real");
    root.mkdir(".config");
    touch(root.filePath("Game10.prg"), 300);
    touch(root.filePath("game9.PRG"));
    touch(root.filePath(".hidden"));
    touch(root.filePath("data.prg"), 10);
    QFile::link(root.filePath("real"), root.filePath("to-folder"));
    QFile::link(root.filePath("data.prg"), root.filePath("to-file.prg"));
    QFile::link(root.filePath("gone.d64"), root.filePath("to-nothing.d64"));
    QFile::link(root.filePath("loop"), root.filePath("loop"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(root.filePath("pipe")).constData(), 0600), 0);

    // A link to nothing still takes its name, so it is listed: as a file of unknown size.
    const QList<ComputerFileItem> items = listLocalFolder(QUrl::fromLocalFile(dir.path()));
    EXPECT_EQ(names(items), QStringList({"real", "to-folder", "data.prg", "game9.PRG", "Game10.prg",
                                         "loop", "to-file.prg", "to-nothing.d64"}));
    EXPECT_TRUE(items.at(1).isDirectory);
    EXPECT_EQ(items.at(4).fileSize, 300);
    EXPECT_EQ(items.at(6).fileSize, 10);
    for (const ComputerFileItem& dangling : {items.at(5), items.at(7)}) {
        EXPECT_FALSE(dangling.isDirectory);
        EXPECT_FALSE(dangling.fileSize);
    }
    EXPECT_EQ(items.at(7).typeLabel, "D64");
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

    // An open image shows its entries whatever the filters say.
    EXPECT_EQ(visibleLocalItems(items, images, true), items);
}
