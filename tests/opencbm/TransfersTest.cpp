#include "FakeTools.h"
#include "WaitForTask.h"
#include "model/OpenCBMError.h"
#include "opencbm/OpenCBMService.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

const QByteArray d64copyInfo = "[Info] Trying to identify drive type\n"
                               "[Info] drive 08 (1541): 00, OK,00,00\r\n"
                               "[Info] copying tracks 1-35 (683 sectors)\n";
const QByteArray d64copyTracks = "\r 1: *--------------------     0%     1/683"
                                 "\r 1: *********************    45%    21/683"
                                 "\r 1: *********************      \n"
                                 "\r35: *****************       100%   683/683";

class Transfers : public ::testing::Test {
protected:
    FakeTools tools;
    OpenCBMService service{QStringList{tools.path()}};
    QList<double> fractions;
    ProgressCallback progress = [this](const QString&, double fraction) { fractions << fraction; };

    void SetUp() override {
        for (const char* tool : {"cbmctrl", "d64copy", "cbmcopy", "cbmformat"})
            tools.addTool(tool);
    }

    QUrl fileOnComputer(const QString& name) {
        QFile file(tools.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot write " << name.toStdString();
        file.write("\x01\x08payload");
        return QUrl::fromLocalFile(file.fileName());
    }

    template <typename T> OpenCBMError failureOf(QCoro::Task<T>&& task) {
        try {
            waitForTask(std::move(task));
        } catch (const OpenCBMError& error) {
            return error;
        }
        ADD_FAILURE() << "no failure";
        return OpenCBMError::parseError("none");
    }
};

} // namespace

TEST_F(Transfers, SavingTheFloppyNeedsEveryBlock) {
    const QUrl target = QUrl::fromLocalFile(tools.filePath("my disk.d64"));
    tools.setResponse("d64copy", "run", d64copyTracks + "\n683 blocks copied.\n", d64copyInfo);
    waitForTask(service.readDiskImage(8, target, progress));
    EXPECT_EQ(tools.calls("d64copy").value(0), QStringList({"-v", "8", target.toLocalFile()}));
    EXPECT_TRUE(fractions.contains(0.45));
    EXPECT_TRUE(fractions.contains(-1.0)); // the [Info] lines
    EXPECT_EQ(fractions.last(), 1.0);

    fractions.clear();
    tools.setResponse("d64copy", "run", d64copyTracks + "\n675 blocks copied.\n",
                      d64copyInfo + "[Warning] read error: 12/05: 5\n[Warning] giving up...\n");
    const OpenCBMError partial = failureOf(service.readDiskImage(8, target, progress));
    EXPECT_EQ(partial.command(), "d64copy 8 my disk.d64");
    EXPECT_TRUE(partial.errorDescription().contains("675 blocks copied."));

    tools.setResponse("d64copy", "run", "",
                      "[Fatal] drive 08 (1541): 74,DRIVE NOT READY,00,00\r\n");
    EXPECT_EQ(failureOf(service.readDiskImage(8, target, {})).errorDescription(),
              "[Fatal] drive 08 (1541): 74,DRIVE NOT READY,00,00");
}

TEST_F(Transfers, WritingAnImageChecksTheSourceFirst) {
    const QUrl missing = QUrl::fromLocalFile(tools.filePath("missing.d64"));
    EXPECT_EQ(failureOf(service.writeDiskImage(missing, 8, progress)),
              OpenCBMError::invalidImage());
    EXPECT_TRUE(tools.calls("d64copy").isEmpty());

    const QUrl source = fileOnComputer("games.d64");
    tools.setResponse("d64copy", "run", d64copyTracks + "\n683 blocks copied.\n", d64copyInfo);
    waitForTask(service.writeDiskImage(source, 9, progress));
    EXPECT_EQ(tools.calls("d64copy").value(0), QStringList({"-v", source.toLocalFile(), "9"}));
    tools.setResponse("d64copy", "run", "", "[Fatal] 1581 drives are not supported\n");
    EXPECT_EQ(failureOf(service.writeDiskImage(source, 9, progress)).command(),
              "d64copy games.d64 9");

    OpenCBMService noTools{QStringList{tools.path() + "/none"}};
    EXPECT_EQ(failureOf(noTools.writeDiskImage(missing, 8, {})),
              OpenCBMError::toolNotFound("d64copy"));
}

TEST_F(Transfers, ReadingAFileRefusesPatternsAndTrustsNoSilentFailure) {
    const QUrl target = QUrl::fromLocalFile(tools.filePath("hello.prg"));
    EXPECT_EQ(failureOf(service.readFile(8, "1541-II", "a*", target, progress)).errorCase(),
              OpenCBMError::Case::invalidDiskName);
    EXPECT_TRUE(tools.calls("cbmcopy").isEmpty());

    tools.setResponse("cbmcopy", "run", "\b.\\\b|\b/",
                      "[Info] reading hello -> " + target.toLocalFile().toUtf8() +
                          "\n[Info] 00, OK,00,00\r\n");
    waitForTask(service.readFile(8, "1541-II", "HELLO", target, progress));
    EXPECT_EQ(tools.calls("cbmcopy").value(0),
              QStringList({"-r", "-v", "-d", "1541", "-o", target.toLocalFile(), "8", "hello"}));

    tools.setResponse("cbmcopy", "run", "",
                      "[Fatal] could not open file for reading: 62, FILE NOT FOUND,00,00\r\n");
    const OpenCBMError notFound = failureOf(service.readFile(8, "", "HELLO", target, progress));
    EXPECT_EQ(notFound.command(), "cbmcopy -r HELLO");
    EXPECT_TRUE(notFound.errorDescription().contains("62, FILE NOT FOUND"));
    tools.setResponse("cbmcopy", "run", "", "[Warning] error reading hello\n");
    EXPECT_EQ(failureOf(service.readFile(8, "", "hello", target, progress)).errorCase(),
              OpenCBMError::Case::executionFailed);
}

TEST_F(Transfers, WritingAFileBuildsItsListFromTheSource) {
    EXPECT_EQ(failureOf(service.writeFile(8, "", QUrl::fromLocalFile(tools.filePath("nope.prg")),
                                          "nope", progress)),
              OpenCBMError::unreadableFile());
    const QUrl game = fileOnComputer("GAME.P00");
    const QUrl notes = fileOnComputer("NOTES.SEQ");
    waitForTask(service.writeFile(8, "1571", game, "Game", progress));
    waitForTask(service.writeFile(9, "", notes, "notes", progress));
    EXPECT_EQ(tools.calls("cbmcopy"),
              QList<QStringList>(
                  {{"-w", "-v", "-d", "1571", "-f", "P", "-o", "game", "8", game.toLocalFile()},
                   {"-w", "-v", "-f", "S", "-o", "notes", "-R", "9", notes.toLocalFile()}}));
    tools.setResponse("cbmcopy", "run", "",
                      "[Fatal] could not open file for writing: 63, FILE EXISTS,00,00\r\n");
    const OpenCBMError exists = failureOf(service.writeFile(8, "", notes, "notes", progress));
    EXPECT_EQ(exists.command(), "cbmcopy -w NOTES.SEQ");
    EXPECT_EQ(exists.errorDescription(),
              "[Fatal] could not open file for writing: 63, FILE EXISTS,00,00");
}

TEST_F(Transfers, FormatPicksTheToolByModelAndJudgesTheStatus) {
    tools.setResponse("cbmctrl", "status", "00, ok,00,00\n");
    waitForTask(service.formatDisk(8, "1571", "GAMES", "01", true, progress));
    EXPECT_EQ(tools.calls("cbmctrl").value(0),
              QStringList({"--petscii", "command", "8", "n0:games,01"}));
    EXPECT_TRUE(tools.calls("cbmformat").isEmpty());

    fractions.clear();
    tools.setResponse("cbmformat", "run",
                      "20: formatting\n" + QByteArray(40, '#') + "\n00, OK,00,00\r");
    waitForTask(service.formatDisk(8, "", "GAMES", "01", true, progress));
    waitForTask(service.formatDisk(8, "1541-II", "GAMES", "01", false, progress));
    EXPECT_EQ(tools.calls("cbmformat"), QList<QStringList>({{"-p", "-s", "-x", "8", "games,01"},
                                                            {"-p", "-s", "8", "games,01"}}));
    ASSERT_GE(fractions.size(), 2);
    EXPECT_EQ(fractions[0], 0.5); // track 20 of 40
    EXPECT_TRUE(fractions.contains(20.0 / 35.0));

    tools.setResponse("cbmformat", "run", QByteArray(35, '#') + "\n21, READ ERROR,18,00\r");
    EXPECT_EQ(
        failureOf(service.formatDisk(8, "", "games", "01", false, progress)),
        OpenCBMError::executionFailed("cbmformat 8 games,01", 1,
                                      QString(35, QLatin1Char('#')) + "\n21, READ ERROR,18,00\r"));
}
