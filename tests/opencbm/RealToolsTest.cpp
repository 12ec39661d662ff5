#include "FailureOf.h"
#include "WaitForTask.h"
#include "model/DriveSentences.h"
#include "opencbm/OpenCBMService.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

// The real OpenCBM tools, built by scripts/build-opencbm from the source beside the project.
class RealTools : public ::testing::Test {
protected:
    static QString built(const QString& path) {
        return QStringLiteral(VELLUM_OPENCBM_BUILD_DIR "/") + path;
    }

    void SetUp() override {
        if (!QFile::exists(built(QStringLiteral("root/bin/cbmctrl")))) {
            GTEST_SKIP() << "the real OpenCBM tools are not built (scripts/build-opencbm needs "
                            "../shared/opencbm/opencbm-src.tar.gz)";
        }
        qputenv("LD_LIBRARY_PATH", built(QStringLiteral("root/lib")).toLocal8Bit());
        usePlugin(QStringLiteral("xdummy"));
    }

    // A configuration of our own: the tools never read /etc/opencbm.conf here.
    static void usePlugin(const QString& plugin) {
        qputenv("OPENCBM_HOME", built(QStringLiteral("home-") + plugin).toLocal8Bit());
    }

    static bool toolStillRuns(const QString& tool) {
        const QString path = built(QStringLiteral("root/bin/") + tool);
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) == path) {
                return true;
            }
        }
        return false;
    }

    OpenCBMService service{QStringList{built(QStringLiteral("root/bin"))}};
};

} // namespace

TEST_F(RealTools, TheDummyBusAnswersEveryDriveCommand) {
    const auto drives = waitForTask(service.detectDrives());
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first().deviceNumber, 8);

    const DiskDirectory directory = waitForTask(service.listDirectory(8));
    EXPECT_EQ(directory.diskName, QStringLiteral("test"));
    EXPECT_EQ(directory.blocksFree, 664);
    EXPECT_TRUE(directory.entries.isEmpty());

    EXPECT_EQ(waitForTask(service.driveStatus(8)).trimmed(), QStringLiteral("00, ok,00,00"));
    waitForTask(service.initializeDrive(8));

    double reached = 0;
    waitForTask(service.formatDisk(
        8, QStringLiteral("1541"), QStringLiteral("NEW"), QStringLiteral("01"), false,
        [&](const QString&, double fraction) { reached = std::max(reached, fraction); }));
    EXPECT_GT(reached, 0.9);
}

TEST_F(RealTools, WithoutAnAdapterTheToolsOutputGivesTheNoAdapterSentence) {
    usePlugin(QStringLiteral("xum1541"));
    const OpenCBMError error = failureOf(service.listDirectory(8));
    EXPECT_EQ(sentenceForOutput(error.output(), 8), sentenceFor(ToolFailure::noAdapter))
        << error.output().toStdString();
}

TEST_F(RealTools, AD64copyThatNeverGetsAnAnswerTripsTheWatchAndStopsCleanly) {
    QTemporaryDir folder;
    bool wentQuiet = false;
    service.setQuietWatch(std::chrono::milliseconds(1000), [&] {
        wentQuiet = true;
        EXPECT_TRUE(toolStillRuns(QStringLiteral("d64copy")));
        service.cancelRunningTool();
    });
    const OpenCBMError error = failureOf(service.readDiskImage(
        8, QUrl::fromLocalFile(folder.filePath("disk.d64")), [](const QString&, double) {}));
    EXPECT_TRUE(wentQuiet);
    EXPECT_EQ(error.errorCase(), OpenCBMError::Case::cancelled);
    EXPECT_FALSE(toolStillRuns(QStringLiteral("d64copy")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("disk.d64"))));
}
