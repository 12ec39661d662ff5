#include "opencbm/OutputAccumulator.h"

#include <gtest/gtest.h>

using namespace vellum;

namespace {

QStringList linesOf(const QList<QByteArray>& chunks, bool flush = true) {
    QStringList seen;
    OutputAccumulator output([&seen](const QString& line) { seen << line; });
    for (const QByteArray& chunk : chunks) {
        output.appendChunk(chunk, true);
    }
    if (flush) {
        output.emitLines(true);
    }
    return seen;
}

} // namespace

TEST(OutputAccumulator, CutsLinesAtEveryKindOfBreak) {
    EXPECT_EQ(linesOf({"10%\r10%\r10%\r\n"}), QStringList({"10%", "10%", "10%"}));
    EXPECT_EQ(linesOf({"a\r\nb\n"}), QStringList({"a", "b"}));
    EXPECT_EQ(linesOf({"a\n\n\nb"}), QStringList({"a", "b"}));
    EXPECT_EQ(linesOf({"a\n\rb\r\rc"}), QStringList({"a", "b", "c"}));
    // A pair split over two chunks still ends one line.
    EXPECT_EQ(linesOf({"a\r", "\nb\n"}), QStringList({"a", "b"}));
    // Only spaces and tabs are trimmed; a spinner's backspaces stay in the line.
    EXPECT_EQ(linesOf({" \t x y \t\n\b.\n"}), QStringList({"x y", "\b."}));
    EXPECT_EQ(linesOf({" \t \r\n"}), QStringList());
}

TEST(OutputAccumulator, KeepsTheUnfinishedLineUntilFlushed) {
    QStringList seen;
    OutputAccumulator output([&seen](const QString& line) { seen << line; });
    output.appendChunk("12/683", true);
    EXPECT_TRUE(seen.isEmpty());
    output.appendChunk(" blocks\rtail  ", true);
    EXPECT_EQ(seen, QStringList({"12/683 blocks"}));
    EXPECT_EQ(output.emitLines(true), QStringList({"tail"}));
    EXPECT_EQ(seen, QStringList({"12/683 blocks", "tail"}));
    EXPECT_TRUE(output.emitLines(true).isEmpty());
}

TEST(OutputAccumulator, SharesOneLineBufferButKeepsTheStreamsApart) {
    QStringList seen;
    OutputAccumulator output([&seen](const QString& line) { seen << line; });
    output.appendChunk("[Info] ", false);
    output.appendChunk("ok\n", true);
    EXPECT_EQ(seen, QStringList({"[Info] ok"}));
    const CommandResult result = output.makeResult(3);
    EXPECT_EQ(result, (CommandResult{3, "ok\n", "[Info] "}));
}

TEST(OutputAccumulator, FallsBackToLatin1PerChunkAndForTheWholeStream) {
    QStringList seen;
    OutputAccumulator output([&seen](const QString& line) { seen << line; });
    output.appendChunk("caf\xc3\xa9\n", true);
    output.appendChunk("\xe9t\xe9\n", true);
    output.appendChunk("fine\n", false);
    EXPECT_EQ(seen, QStringList({QStringLiteral("café"), QStringLiteral("été"), "fine"}));
    const CommandResult result = output.makeResult(0);
    EXPECT_EQ(result.stdoutText, QString::fromLatin1("caf\xc3\xa9\n\xe9t\xe9\n"));
    EXPECT_EQ(result.stderrText, QStringLiteral("fine\n"));
    EXPECT_EQ(output.stdoutBytes(), QByteArray("caf\xc3\xa9\n\xe9t\xe9\n"));
}
