#include "PanesFixture.h"
#include "SimulatedBus.h"
#include "session/DragExportFolders.h"
#include "ui/panes/PaneDragData.h"

#include <QProcess>
#include <QTimer>

namespace vellum::testing {
namespace {

const QByteArray hello = program(0x0801, pattern(700, 1));
const QByteArray game = program(0x1000, pattern(900, 2));
const QByteArray notes = pattern(400, 3);

// Copies between the panes on the substitute tools: a 1541 on a simulated bus.
class PaneCopiesTest : public PanesTest {
protected:
    SimulatedBus bus;

    void SetUp() override {
        PanesTest::SetUp();
        bus.exportEnvironment();
        makeSession({SimulatedBus::binDir()});
        StateEditor(*model).service().setResetSettleTime(std::chrono::milliseconds(0));
        bus.addDrive(8, "1541", diskImage("DISK", {{"GAME", CBMFileType::prg, game}}));
        StateEditor(*model).setDriveModel("1541");
        put("hello.prg", hello);
        put("NOTES.d64", diskImage("NOTES", {{"MY NOTES", CBMFileType::seq, notes}}));
        showPanes();
        waitForTask(session().readDirectory());
    }

    void waitUntilIdle() {
        QTest::qWait(0);
        EXPECT_TRUE(QTest::qWaitFor([this] { return session().status().isIdle(); }, 20000))
            << session().status().statusHeadline().toStdString();
    }
    std::optional<std::pair<CBMFileType, QByteArray>> onFloppy(const QString& name) {
        const std::optional<QByteArray> disk = bus.disk(8);
        const QList<DirectoryEntry> entries = D64Extractor::readDirectory(*disk).entries;
        for (qsizetype index = 0; index < entries.size(); ++index) {
            if (entries.at(index).name == name) {
                return std::pair{entries.at(index).type,
                                 D64Extractor::parsedFile(*disk, "floppy", index).contents()};
            }
        }
        return std::nullopt;
    }
    QStringList dragExportFolders() const {
        return QDir(scratchDir.path())
            .entryList({"vellum-drag-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(PaneCopiesTest, AFloppyEntryDraggedOntoTheComputerPaneBecomesAFile) {
    // The simulated drive lists its names as the real tools print them, in lower case.
    const QString file = session().floppy().directory().entries.value(0).name + ".prg";
    ASSERT_TRUE(drop(*computerPane, dragRow(floppyList(), 0), computerPane->rect().center()));
    waitUntilIdle();
    EXPECT_EQ(contents(file), game) << session().status().statusHeadline().toStdString();
    EXPECT_TRUE(itemNames().contains(file));
}

TEST_F(PaneCopiesTest, AnImageEntryDraggedToTheFloppyKeepsItsListedNameAndType) {
    session().openImage(url("NOTES.d64"));
    ASSERT_EQ(computerList().model()->rowCount(), 1);
    const QMimeData& dragged = dragRow(computerList(), 0);
    ASSERT_EQ(dragged.urls().size(), 1);
    EXPECT_EQ(dragged.urls().first().fileName(), "MY NOTES.prg")
        << "the desktop gets a file under the listed name";
    EXPECT_EQ(dragExportFolders().size(), 1);

    ASSERT_TRUE(drop(*floppyPane, dragged, floppyPane->rect().center()));
    waitUntilIdle();
    const auto copied = onFloppy("MY NOTES");
    ASSERT_TRUE(copied.has_value()) << session().status().statusHeadline().toStdString();
    EXPECT_EQ(copied->first, CBMFileType::seq);
    EXPECT_EQ(copied->second, notes);
    EXPECT_EQ(leftoverTemporaryFiles(), dragExportFolders())
        << "only the drag's own folder waits for the end of the run";
}

TEST_F(PaneCopiesTest, DragExportFoldersGoAtQuitAndStaleOnesAtTheNextStart) {
    QProcess finished;
    finished.start("true");
    ASSERT_TRUE(finished.waitForStarted());
    const qint64 gone = finished.processId();
    ASSERT_TRUE(finished.waitForFinished());
    const QString uuid = "0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0";
    const QDir scratch(scratchDir.path());
    const QString stale = QStringLiteral("vellum-drag-%1-%2").arg(gone).arg(uuid);
    const QString notOurs = QStringLiteral("vellum-%1").arg(uuid);
    scratch.mkpath(stale + "/GAME.prg");
    scratch.mkpath(notOurs);
    QFile(scratch.filePath(QStringLiteral("vellum-drag-%1-%2.prg").arg(gone).arg(uuid)))
        .open(QIODevice::WriteOnly);
    const QString own = makeDragExportFolder();
    ASSERT_FALSE(own.isEmpty());

    removeStaleDragExportFolders();
    EXPECT_FALSE(scratch.exists(stale));
    EXPECT_TRUE(QFileInfo::exists(own)) << "this run's folder stays while it runs";
    EXPECT_TRUE(scratch.exists(notOurs));
    EXPECT_EQ(leftoverTemporaryFiles().size(), 3);

    // The panes tidy up when the program quits.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QApplication::exec();
    EXPECT_FALSE(QFileInfo::exists(own));
    EXPECT_TRUE(scratch.exists(notOurs));
}

} // namespace
} // namespace vellum::testing
