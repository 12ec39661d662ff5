#include "model/CBMFileType.h"
#include "model/CommandResult.h"
#include "model/DiskDirectory.h"
#include "model/DriveInfo.h"
#include "model/LocalFileItem.h"
#include "model/OpenCBMError.h"
#include "model/OperationKind.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace vellum;

TEST(CBMFileTypeTest, RawValuesMatchExactlyAndCaseSensitively) {
    EXPECT_EQ(cbmFileTypeFromRaw("PRG"), CBMFileType::prg);
    EXPECT_EQ(cbmFileTypeFromRaw("other"), CBMFileType::other);
    EXPECT_EQ(cbmFileTypeFromRaw("prg"), std::nullopt);
    EXPECT_EQ(cbmFileTypeFromRaw("CBM"), std::nullopt);
    EXPECT_EQ(cbmFileTypeFromRaw("OTHER"), std::nullopt);
    for (CBMFileType type : allCBMFileTypes)
        EXPECT_EQ(cbmFileTypeFromRaw(rawValue(type)), type);
}

TEST(CBMFileTypeTest, OnlySeqUsrRelKeepTheirOwnExtension) {
    EXPECT_EQ(fileExtension(CBMFileType::seq), "seq");
    EXPECT_EQ(fileExtension(CBMFileType::usr), "usr");
    EXPECT_EQ(fileExtension(CBMFileType::rel), "rel");
    EXPECT_EQ(fileExtension(CBMFileType::prg), "prg");
    EXPECT_EQ(fileExtension(CBMFileType::del), "prg");
    EXPECT_EQ(fileExtension(CBMFileType::other), "prg");
}

TEST(DiskDirectoryTest, FileCountLeavesOutDelEntries) {
    DiskDirectory directory;
    for (CBMFileType type : {CBMFileType::prg, CBMFileType::del, CBMFileType::seq}) {
        DirectoryEntry entry;
        entry.type = type;
        directory.entries << entry;
    }
    EXPECT_EQ(directory.fileCount(), 2);
    EXPECT_EQ(DiskDirectory::empty().fileCount(), 0);
    EXPECT_FALSE(DiskDirectory::empty().blocksFree.has_value());
}

TEST(DirectoryEntryTest, EveryEntryGetsItsOwnIdentity) {
    DirectoryEntry a;
    DirectoryEntry b;
    a.name = b.name = "GAME";
    EXPECT_NE(a.id, b.id);
    EXPECT_NE(a, b);
    b.id = a.id;
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));

    QSet<QUuid> ids;
    for (int i = 0; i < 100000; ++i)
        ids.insert(DirectoryEntry().id);
    EXPECT_EQ(ids.size(), 100000);
    EXPECT_FALSE(ids.contains(QUuid()));
}

TEST(DriveInfoTest, TitleNamesTheTrimmedModel) {
    EXPECT_EQ((DriveInfo{8, "1541", "1541", true}).title(), "Drive 8 — 1541");
    EXPECT_EQ((DriveInfo{8, "  ", "", true}).title(), "Drive 8");
    EXPECT_EQ((DriveInfo{9, " 1571\n", "", true}).title(), "Drive 9 — 1571");
}

TEST(LocalFileItemTest, BlocksTextRoundsBytesUpToWholeBlocks) {
    auto file = [](std::optional<qint64> size, std::optional<qint64> blocks = std::nullopt) {
        LocalFileItem item;
        item.fileSize = size;
        item.blocks = blocks;
        return item.blocksText();
    };
    EXPECT_EQ(file(1), "1");
    EXPECT_EQ(file(254), "1");
    EXPECT_EQ(file(255), "2");
    EXPECT_EQ(file(0), "—");
    EXPECT_EQ(file(std::nullopt), "—");
    EXPECT_EQ(file(300, 0), "2");
    EXPECT_EQ(file(300, 7), "7");

    LocalFileItem folder;
    folder.isDirectory = true;
    folder.blocks = 4;
    EXPECT_EQ(folder.blocksText(), "—");
}

TEST(OperationKindTest, LabelsAndRawValues) {
    EXPECT_EQ(label(OperationKind::idle), "Idle");
    EXPECT_EQ(label(OperationKind::readingD64), "Saving…");
    EXPECT_EQ(label(OperationKind::converting), "Converting…");
    EXPECT_EQ(rawValue(OperationKind::copyingFiles), "copyingFiles");
    EXPECT_EQ(operationKindFromRaw("readingDirectory"), OperationKind::readingDirectory);
    EXPECT_EQ(operationKindFromRaw("ReadingDirectory"), std::nullopt);
    for (int i = 1; i <= static_cast<int>(OperationKind::converting); ++i)
        EXPECT_TRUE(label(static_cast<OperationKind>(i)).endsWith(QChar(0x2026)));
}

TEST(CommandResultTest, CombinedOutputJoinsNonBlankStreamsUntrimmed) {
    EXPECT_EQ((CommandResult{0, "\n", "error: x\n"}).combinedOutput(), "error: x\n");
    EXPECT_EQ((CommandResult{0, "a\n", "b\n"}).combinedOutput(), "a\n\nb\n");
    EXPECT_EQ((CommandResult{0, " ", "\t"}).combinedOutput(), "");
    EXPECT_EQ((CommandResult{0, "out", ""}).combinedOutput(), "out");
}

TEST(OpenCBMErrorTest, DescriptionsAreTheUsersSentences) {
    EXPECT_EQ(OpenCBMError::toolNotFound("cbmctrl").errorDescription(),
              "OpenCBM tool “cbmctrl” was not found. Install OpenCBM from your distribution's "
              "packages, or build it from source, then try again.");
    EXPECT_TRUE(OpenCBMError::toolNotFound("cbmctrl", {"/usr/local/bin", "/usr/bin"})
                    .errorDescription()
                    .endsWith(" then try again. Folders searched: /usr/local/bin, /usr/bin."));
    EXPECT_EQ(OpenCBMError::executionFailed("cbmctrl dir 8", 1, "  \n").errorDescription(),
              "OpenCBM command failed (exit 1).");
    EXPECT_EQ(OpenCBMError::executionFailed("cbmctrl dir 8", 1, "\n74,drive not ready,00,00\n")
                  .errorDescription(),
              "74,drive not ready,00,00");
    EXPECT_EQ(OpenCBMError::diskFull(4, 3).errorDescription(),
              "Not enough space on the floppy. Need 4 blocks, only 3 free.");
    EXPECT_EQ(OpenCBMError::parseError("Directory is full.").errorDescription(),
              "Directory is full.");
    EXPECT_EQ(OpenCBMError::cancelled().errorDescription(),
              "Stopped. If the drive was powered off, turn it on and click Detect.");
    EXPECT_EQ(OpenCBMError::directoryRequired().errorDescription(),
              "Read the floppy directory first so Vellum can check free space.");
    EXPECT_STREQ(OpenCBMError::invalidImage().what(),
                 "The selected file is not a valid D64 image.");
}

TEST(OpenCBMErrorTest, DescribeErrorReadsEveryKindOfException) {
    EXPECT_EQ(describeError(OpenCBMError::noDrive()), OpenCBMError::noDrive().errorDescription());
    EXPECT_EQ(describeError(PlatformError("Permission denied")), "Permission denied");
    EXPECT_EQ(describeError(std::runtime_error("boom")), "boom");
}
