#include "FloppyPaneFixture.h"

#include <QUuid>
#include <sys/stat.h>
#include <utime.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

class FloppySaveTest : public FloppyPaneTest {
protected:
    const QByteArray disk = diskImage("GAMES", {{"INTRO", CBMFileType::prg, intro}});

    // Saves the floppy as `path`, as if it had been chosen in the save panel.
    void saveAs(const QString& path) {
        desktop.saveFileAnswers.enqueue(QUrl::fromLocalFile(path));
        waitForTask(session().saveFloppyAsD64());
    }
    QString lastError() { return session().status().lastError().value_or(QString()); }
    QStringList everythingIn(const QString& folder) const {
        return QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
};

} // namespace

TEST_F(FloppySaveTest, ASaveIsListedAtOnceAndWritesThroughALinkKeepingTheMode) {
    withDisk(disk);
    saveAs(path("games.d64"));
    EXPECT_EQ(lastError(), "");
    EXPECT_EQ(itemNames(), QStringList{"games.d64"}) << "listed without a Refresh";

    put("real.d64", "earlier");
    ASSERT_EQ(::chmod(QFile::encodeName(path("real.d64")).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link("real.d64", path("link.d64")));
    saveAs(path("link.d64"));
    EXPECT_EQ(lastError(), "");
    EXPECT_TRUE(QFileInfo(path("link.d64")).isSymLink());
    EXPECT_EQ(contents("real.d64"), bus.disk(8).value());
    EXPECT_EQ(modeOf(path("real.d64")), 0640u);

    // A link to nothing is refused before the drive is read: the read would fail on track 1.
    ASSERT_TRUE(QFile::link("gone/nothing.d64", path("dangling.d64")));
    bus.setFault("fail-at-track", "1");
    saveAs(path("dangling.d64"));
    EXPECT_EQ(lastError(), "Could not write “" + path("dangling.d64") +
                               "”: it is a link to a file that does not exist.");
    EXPECT_EQ(everythingIn(folderDir.path()),
              QStringList({"dangling.d64", "games.d64", "link.d64", "real.d64"}));
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());
}

TEST_F(FloppySaveTest, AFullFileSystemIsReportedAsAFailedWrite) {
    VellumViewModel& model = withDisk(disk);
    put("games.d64", "earlier");
    OpenCBMService& service = StateEditor(model).service();

    // Too little room is found before the drive is read: the read would fail on track 1.
    service.setFreeSpaceProbe([](const QString&) { return std::optional<qint64>(100000); });
    bus.setFault("fail-at-track", "1");
    saveAs(path("games.d64"));
    EXPECT_EQ(lastError(), "Could not write “" + path("games.d64") + "”: No space left on device.");
    ASSERT_EQ(desktop.notifications.size(), 1);
    EXPECT_EQ(desktop.notifications.first().body, lastError());
    bus.clearFault("fail-at-track");

    // The file system fills while d64copy writes the image (in the temporary folder).
    service.setFreeSpaceProbe([this](const QString&) -> std::optional<qint64> {
        return leftoverTemporaryFiles().isEmpty() ? 100'000'000 : 0;
    });
    bus.setFault("image-space", "100000");
    saveAs(path("games.d64"));
    EXPECT_TRUE(lastError().startsWith("Could not write “" + scratchDir.path() + "/vellum-"));
    EXPECT_TRUE(lastError().endsWith(".d64”: No space left on device."))
        << lastError().toStdString();
    EXPECT_EQ(model.status().progress(), 0.0);

    // With room to spare, the tool's write errors still say the image was cut short.
    service.setFreeSpaceProbe({});
    saveAs(path("games.d64"));
    EXPECT_TRUE(lastError().endsWith("”: only part of the image could be written."))
        << lastError().toStdString();

    EXPECT_EQ(contents("games.d64"), "earlier");
    EXPECT_EQ(everythingIn(folderDir.path()), QStringList{"games.d64"});
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());
}

TEST_F(FloppySaveTest, StartUpRemovesOnlyOurOwnStaleLeftoversWhereWeWrote) {
    withDisk(disk);
    ASSERT_TRUE(QDir(folderDir.path()).mkdir("saves"));
    ASSERT_TRUE(QDir(folderDir.path()).mkdir("other"));
    saveAs(path("saves/games.d64"));
    ASSERT_EQ(lastError(), "");

    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    struct Leftover {
        QString name;
        bool isFolder = false;
        bool stale = true;
        bool removed = false;
    };
    const QList<Leftover> leftovers = {
        {".vellum-" + uuid + ".d64", false, true, true},       // the listed folder
        {"saves/.vellum-" + uuid + ".prg", false, true, true}, // the last save folder
        {"other/.vellum-" + uuid + ".d64"},                    // never written to
        {".vellum-" + uuid + ".seq", false, false},            // still being written
        {".vellum-" + uuid + ".usr", true},
        {".vellum-" + uuid.toUpper() + ".d64"},
        {"vellum-" + uuid + ".d64"},
        {".vellum-" + uuid + ".d64.keep"},
        {".vellum-" + uuid.chopped(1) + ".d64"},
    };
    const qint64 anHourAgo = QDateTime::currentSecsSinceEpoch() - 3600;
    for (const Leftover& leftover : leftovers) {
        if (leftover.isFolder) {
            ASSERT_TRUE(QDir(folderDir.path()).mkdir(leftover.name));
        } else {
            put(leftover.name, QByteArray(174848, '\0'));
        }
        const utimbuf times{anHourAgo, anHourAgo};
        if (leftover.stale) {
            ASSERT_EQ(::utime(QFile::encodeName(path(leftover.name)).constData(), &times), 0);
        }
    }

    model.reset();
    makeSession({SimulatedBus::binDir()});
    waitForTask(model->startUp());
    for (const Leftover& leftover : leftovers) {
        EXPECT_EQ(QFileInfo::exists(path(leftover.name)), !leftover.removed)
            << leftover.name.toStdString();
    }
    EXPECT_EQ(contents("saves/games.d64"), bus.disk(8).value());
}
