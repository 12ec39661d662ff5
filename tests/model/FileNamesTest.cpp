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
    EXPECT_EQ(formatByteCount(0), "0 B");
    EXPECT_EQ(formatByteCount(1023), "1023 B");
    EXPECT_EQ(formatByteCount(1024), "1 KB");
    EXPECT_EQ(formatByteCount(2047), "1 KB");
    EXPECT_EQ(formatByteCount(1048575), "1023 KB");
    EXPECT_EQ(formatByteCount(1048576), "1.0 MB");
    EXPECT_EQ(formatByteCount(1572864), "1.5 MB");
}

TEST(CbmFileNameTest, StripsKnownExtensionsAndLowerCases) {
    EXPECT_EQ(cbmFileName(file("My Game.PRG")), "my game");
    EXPECT_EQ(cbmFileName(file("tape.T64")), "tape");
    EXPECT_EQ(cbmFileName(file("Disk,1.txt")), "disk-1-txt");
    EXPECT_EQ(cbmFileName(file("noext")), "noext");
}

TEST(CbmFileNameTest, KeepsLettersAndDigitsOfAnyScript) {
    EXPECT_EQ(cbmFileName(file("äö.prg")), "äö");
    EXPECT_EQ(cbmFileName(file("Ωμέγα٣.prg")), "ωμέγα٣");
    EXPECT_EQ(cbmFileName(file("***.prg")), "---");
    EXPECT_EQ(cbmFileName(file("a+b-c.prg")), "a+b-c");
    // Written decomposed, a letter and its combining mark stay one kept character.
    EXPECT_EQ(cbmFileName(file("A\u0308o\u0308.prg")), "a\u0308o\u0308");
}

TEST(CbmFileNameTest, CutsTo16AndFallsBackToFILE) {
    EXPECT_EQ(cbmFileName(file("abcdefghijklmnopqrst.prg")), "abcdefghijklmnop");
    EXPECT_EQ(cbmFileName(file(QString(15, u'e') + "e\u0301eeee.prg")),
              QString(15, u'e') + "e\u0301");
    // The cut leaves a space at its end, which goes.
    EXPECT_EQ(cbmFileName(file("abcdefghijklmno pqrst.prg")), "abcdefghijklmno");
    EXPECT_EQ(cbmFileName(file("   .prg")), "FILE");
    EXPECT_EQ(cbmFileName(file("\t.seq")), "-");
}

TEST(CbmFileTypeTest, ByExtension) {
    EXPECT_EQ(cbmFileType(file("a.SEQ")), CBMFileType::seq);
    EXPECT_EQ(cbmFileType(file("a.usr")), CBMFileType::usr);
    EXPECT_EQ(cbmFileType(file("a.rel")), CBMFileType::rel);
    EXPECT_EQ(cbmFileType(file("a.p00")), CBMFileType::prg);
    EXPECT_EQ(cbmFileType(file("a")), CBMFileType::prg);
}

TEST(TypeLabelTest, ByExtension) {
    EXPECT_EQ(typeLabel(file("a.p00")), "PRG");
    EXPECT_EQ(typeLabel(file("a.Prg")), "PRG");
    EXPECT_EQ(typeLabel(file("a.d64")), "D64");
    EXPECT_EQ(typeLabel(file("a.T64")), "T64");
    EXPECT_EQ(typeLabel(file("a.txt")), "TXT");
    EXPECT_EQ(typeLabel(file("README")), "FILE");
    EXPECT_TRUE(diskImageExtensions().contains("d64"));
    EXPECT_FALSE(diskImageExtensions().contains("t64"));
}
