#include "model/FileNames.h"
#include "model/TextUtil.h"

#include <gtest/gtest.h>

using namespace vellum;

namespace {
QUrl file(const QString& name) {
    return QUrl::fromLocalFile("/tmp/folder/" + name);
}
} // namespace

TEST(FormatByteCountTest, UnitsChangeAtPowersOf1024) {
    const QList<std::pair<qint64, QString>> cases = {{1023, "1023 B"},    {1024, "1 KB"},
                                                     {2047, "1 KB"},      {1048575, "1023 KB"},
                                                     {1048576, "1.0 MB"}, {1572864, "1.5 MB"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(formatByteCount(bytes), text);
    }
}

TEST(CbmFileNameTest, KeepsLettersAndDigitsOfAnyScriptCutTo16) {
    const QList<std::pair<QString, QString>> cases = {
        {"My Game.PRG", "my game"},
        {"tape.T64", "tape"},
        {"Disk,1.txt", "disk-1-txt"},
        {"noext", "noext"},
        {"äö.prg", "äö"},
        {"Ωμέγα٣.prg", "ωμέγα٣"},
        {"***.prg", "---"},
        {"a+b-c.prg", "a+b-c"},
        // Written decomposed, a letter and its combining mark stay one kept character.
        {"A\u0308o\u0308.prg", "a\u0308o\u0308"},
        {"abcdefghijklmnopqrst.prg", "abcdefghijklmnop"},
        {QString(15, u'e') + "e\u0301eeee.prg", QString(15, u'e') + "e\u0301"},
        {"abcdefghijklmno pqrst.prg", "abcdefghijklmno"}, // the space the cut leaves goes
        {"   .prg", "FILE"},
        {"\t.seq", "-"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(cbmFileName(file(name)), expected) << name.toStdString();
    }
}

TEST(CbmFileTypeTest, TypeAndLabelByExtension) {
    const QList<std::tuple<QString, CBMFileType, QString>> cases = {
        {"a.SEQ", CBMFileType::seq, "SEQ"}, {"a.usr", CBMFileType::usr, "USR"},
        {"a.rel", CBMFileType::rel, "REL"}, {"a.p00", CBMFileType::prg, "PRG"},
        {"a.Prg", CBMFileType::prg, "PRG"}, {"a.d64", CBMFileType::prg, "D64"},
        {"a.txt", CBMFileType::prg, "TXT"}, {"README", CBMFileType::prg, "FILE"},
    };
    for (const auto& [name, type, label] : cases) {
        EXPECT_EQ(cbmFileType(file(name)), type) << name.toStdString();
        EXPECT_EQ(typeLabel(file(name)), label) << name.toStdString();
    }
    EXPECT_TRUE(diskImageExtensions().contains("d64"));
    EXPECT_FALSE(diskImageExtensions().contains("t64"));
}

TEST(SuffixedFreeNameTest, TheFirstFreeSuffixCutsTheBaseToFit) {
    const auto takenBelow = [](qint64 free) {
        return
            [free](const QString& name) { return !name.endsWith(QStringLiteral("-%1").arg(free)); };
    };
    EXPECT_EQ(suffixedFreeName("hello", 16, takenBelow(2)), "hello-2");
    EXPECT_EQ(suffixedFreeName("sixteen-letters!", 16, takenBelow(2)), "sixteen-letter-2");
    EXPECT_EQ(suffixedFreeName("sixteen-letters!", 16, takenBelow(10)), "sixteen-lette-10");
    EXPECT_EQ(suffixedFreeName("sixteen-letters!", 16, takenBelow(100)), "sixteen-lett-100");
    EXPECT_EQ(suffixedFreeName("ab", 4, takenBelow(100)), std::nullopt) << "no room for a letter";
}
