#include "model/CBMFileType.h"
#include "model/CommandResult.h"
#include "model/ComputerFileItem.h"
#include "model/DiskDirectory.h"
#include "model/DriveInfo.h"
#include "model/OpenCBMError.h"

#include <gtest/gtest.h>

using namespace vellum;

TEST(CBMFileTypeTest, RawValuesMatchExactlyAndCaseSensitively) {
    EXPECT_EQ(cbmFileTypeFromRaw("PRG"), CBMFileType::prg);
    EXPECT_EQ(cbmFileTypeFromRaw("other"), CBMFileType::other);
    EXPECT_EQ(cbmFileTypeFromRaw("prg"), std::nullopt);
    EXPECT_EQ(cbmFileTypeFromRaw("CBM"), std::nullopt);
    EXPECT_EQ(cbmFileTypeFromRaw("OTHER"), std::nullopt);
    for (CBMFileType type : allCBMFileTypes) {
        EXPECT_EQ(cbmFileTypeFromRaw(rawValue(type)), type);
    }
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

TEST(DriveInfoTest, TitleNamesTheTrimmedModel) {
    EXPECT_EQ((DriveInfo{8, "1541", "1541", true}).title(), "Drive 8 — 1541");
    EXPECT_EQ((DriveInfo{8, "  ", "", true}).title(), "Drive 8");
    EXPECT_EQ((DriveInfo{9, " 1571\n", "", true}).title(), "Drive 9 — 1571");
    EXPECT_EQ((DriveInfo{8, "*unknown*, footprint=<DOB@>", "", true}).title(),
              "Drive 8 — Unknown drive");
}

TEST(ComputerFileItemTest, BlocksTextRoundsBytesUpToWholeBlocks) {
    auto file = [](std::optional<qint64> size, std::optional<qint64> blocks = std::nullopt) {
        ComputerFileItem item;
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

    ComputerFileItem folder;
    folder.isDirectory = true;
    folder.blocks = 4;
    EXPECT_EQ(folder.blocksText(), "—");
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
}
