#include "session/NameConflicts.h"

#include <gtest/gtest.h>

using namespace vellum;

namespace {

DiskDirectory listing(std::initializer_list<std::pair<const char*, qint64>> files) {
    DiskDirectory directory;
    for (const auto& [name, blocks] : files) {
        DirectoryEntry entry;
        entry.name = QString::fromUtf8(name);
        entry.blocks = blocks;
        directory.entries << entry;
    }
    return directory;
}

FloppyCopyItem item(const char* name) {
    return {QUrl::fromLocalFile(QStringLiteral("/files/") + QString::fromUtf8(name)),
            QString::fromUtf8(name)};
}

} // namespace

TEST(NameConflictsTest, TheDriveComparesNamesExactly) {
    const QSet<QString> taken = namesOnDisk(listing({{"hello", 3}, {"notes", 1}}));
    EXPECT_EQ(conflictingItems({item("hello"), item("HELLO"), item("notes"), item("game")}, taken),
              (QList<qsizetype>{0, 2}));
    // Keep Both's name fits the drive's 16 characters (the suffix rule is the model's).
    EXPECT_EQ(keepBothName("sixteen-letters!", {"sixteen-letters!"}), "sixteen-letter-2");
}

TEST(NameConflictsTest, EachChoiceDoesWhatItSays) {
    const DiskDirectory disk = listing({{"hello", 3}, {"notes", 2}, {"game", 40}});
    const QList<FloppyCopyItem> items{item("hello"), item("notes"), item("game"), item("new")};
    const ResolvedCopy resolved = resolveConflicts(
        items, disk, {ConflictChoice::replace, ConflictChoice::keepBoth, ConflictChoice::skip});
    EXPECT_EQ(resolved.toScratch, QStringList{"hello"});
    EXPECT_EQ(resolved.blocksFreed, 3);
    ASSERT_EQ(resolved.toWrite.size(), 3);
    EXPECT_EQ(resolved.toWrite.at(0), item("hello"));
    EXPECT_EQ(resolved.toWrite.at(1).cbmName, "notes-2");
    EXPECT_EQ(resolved.toWrite.at(1).source, item("notes").source);
    EXPECT_EQ(resolved.toWrite.at(2), item("new"));
}

TEST(NameConflictsTest, TwoFilesOfOneCopyNeverWriteOneName) {
    const ResolvedCopy resolved = resolveConflicts(
        {item("hello"), item("hello"), item("fresh"), item("fresh")}, listing({{"hello", 3}}),
        {ConflictChoice::replace, ConflictChoice::replace});
    EXPECT_EQ(resolved.toScratch, QStringList{"hello"}) << "the old file is scratched once";
    QStringList names;
    for (const FloppyCopyItem& copy : resolved.toWrite) {
        names << copy.cbmName;
    }
    EXPECT_EQ(names, (QStringList{"hello", "hello-2", "fresh", "fresh-2"}));
}
