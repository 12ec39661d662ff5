#include "model/CBMFileType.h"
#include "model/CommandResult.h"
#include "model/ComputerFileItem.h"
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

TEST(DriveInfoTest, TitleNamesTheTrimmedModel) {
    EXPECT_EQ((DriveInfo{8, "1541", "1541", true}).title(), "Drive 8 — 1541");
    EXPECT_EQ((DriveInfo{8, "  ", "", true}).title(), "Drive 8");
    EXPECT_EQ((DriveInfo{9, " 1571\n", "", true}).title(), "Drive 9 — 1571");
    EXPECT_EQ((DriveInfo{8, "*unknown*, footprint=<DOB@>", "", true}).title(),
              "Drive 8 — Unknown drive");
}

TEST(ComputerFileItemTest, BlocksTextRoundsBytesUpToWholeBlocks) {
    const QList<std::tuple<std::optional<qint64>, std::optional<qint64>, bool, QString>> cases = {
        {1, {}, false, "1"},  {254, {}, false, "1"}, {255, {}, false, "2"},
        {0, {}, false, "—"},  {{}, {}, false, "—"},  {300, 0, false, "2"},
        {300, 7, false, "7"}, {{}, 4, true, "—"}, // a folder
    };
    for (const auto& [size, blocks, isDirectory, text] : cases) {
        ComputerFileItem item;
        item.fileSize = size;
        item.blocks = blocks;
        item.isDirectory = isDirectory;
        EXPECT_EQ(item.blocksText(), text) << size.value_or(-1);
    }
}

TEST(CommandResultTest, CombinedOutputJoinsNonBlankStreamsUntrimmed) {
    EXPECT_EQ((CommandResult{0, "\n", "error: x\n"}).combinedOutput(), "error: x\n");
    EXPECT_EQ((CommandResult{0, "a\n", "b\n"}).combinedOutput(), "a\n\nb\n");
    EXPECT_EQ((CommandResult{0, " ", "\t"}).combinedOutput(), "");
    EXPECT_EQ((CommandResult{0, "out", ""}).combinedOutput(), "out");
}

TEST(OpenCBMErrorTest, DescriptionsAreTheUsersSentences) {
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
