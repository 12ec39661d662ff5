#include "session/Trash.h"
#include "model/OpenCBMError.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

namespace {

// Points the freedesktop trash at a temporary data folder for one test.
class TrashTest : public ::testing::Test {
protected:
    QTemporaryDir dataHome;
    QTemporaryDir work{QDir(dataHome.path()).filePath("work-XXXXXX")};
    QTemporaryDir cwd;
    QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    QString savedCurrent = QDir::currentPath();
    bool savedTestMode = QStandardPaths::isTestModeEnabled();

    void SetUp() override {
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        QDir::setCurrent(cwd.path());
    }
    void TearDown() override {
        QDir::setCurrent(savedCurrent);
        QStandardPaths::setTestModeEnabled(savedTestMode);
        if (savedDataHome.isEmpty()) {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", savedDataHome);
        }
    }
    QString make(const QString& name) {
        QFile file(QDir(work.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("bytes");
        return file.fileName();
    }
};

} // namespace

TEST_F(TrashTest, FilesAndFoldersGoToTheTrashOfTheDataHome) {
    QStandardPaths::setTestModeEnabled(false);
    const QDir root(work.path());
    make("game.prg");
    root.mkpath("folder/inner");

    moveItemToTrash(QUrl::fromLocalFile(root.filePath("game.prg")));
    moveItemToTrash(QUrl::fromLocalFile(root.filePath("folder")));
    EXPECT_FALSE(QFileInfo::exists(root.filePath("game.prg")));
    EXPECT_FALSE(QFileInfo::exists(root.filePath("folder")));
    const QDir trash(QDir(dataHome.path()).filePath("Trash/files"));
    QFile trashed(trash.filePath("game.prg"));
    ASSERT_TRUE(trashed.open(QIODevice::ReadOnly));
    EXPECT_EQ(trashed.readAll(), "bytes");
    EXPECT_TRUE(QFileInfo(trash.filePath("folder/inner")).isDir());

    try {
        moveItemToTrash(QUrl::fromLocalFile(root.filePath("game.prg")));
        ADD_FAILURE() << "a missing item cannot be trashed";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.errorDescription(), "“game.prg” does not exist.");
    }
}

TEST_F(TrashTest, AnItemNeverEndsUpBesideTheWorkingDirectory) {
    // With the standard locations in test mode the home trash cannot be set up; whatever
    // the platform then does, the item is either in a real trash or back where it was.
    QStandardPaths::setTestModeEnabled(true);
    const QString path = make("keep.prg");
    try {
        moveItemToTrash(QUrl::fromLocalFile(path));
        EXPECT_FALSE(QFileInfo::exists(path));
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.errorDescription(), "“keep.prg” could not be moved to the Trash.");
        EXPECT_TRUE(QFileInfo::exists(path));
    }
    EXPECT_TRUE(QDir(cwd.path())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .filter("keep.prg")
                    .isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(cwd.path()).filePath("files/keep.prg")));
}
