#include "SessionFixture.h"

#include "model/OpenCBMError.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryFile>
#include <cmath>

using namespace vellum;
using namespace vellum::testing;

TEST_F(SessionTest, ComputerFolderStartsAtTheRememberedFolderOnlyWhenItExists) {
    QTemporaryDir remembered;
    QTemporaryFile plainFile;
    ASSERT_TRUE(plainFile.open());
    const QList<std::pair<QString, QString>> cases{{remembered.path(), remembered.path()},
                                                   {remembered.path() + "/gone", QDir::homePath()},
                                                   {plainFile.fileName(), QDir::homePath()}};
    for (const auto& [stored, shown] : cases) {
        QSettings().setValue(QStringLiteral("localFolderPath"), stored);
        makeSession({emptyToolFolder.path()});
        EXPECT_EQ(model->computer().computerFolder(), QUrl::fromLocalFile(shown));
    }
}

TEST_F(SessionTest, OperationSlotNumbersGuardAgainstStaleEnds) {
    VellumViewModel& model = session();
    StateEditor(model).setLastError(QStringLiteral("old failure"));
    StateEditor(model).setProgress(0.5);

    const qint64 first = StateEditor(model).beginOperation(OperationKind::readingDirectory,
                                                           QStringLiteral("Reading directory…"));
    EXPECT_EQ(model.status().operation(), OperationKind::readingDirectory);
    EXPECT_FALSE(model.status().lastError().has_value());
    EXPECT_EQ(model.status().progress(), 0.0) << "non-transfer kinds start the bar at zero";
    model.stop();
    EXPECT_TRUE(model.status().isStopping());
    StateEditor(model).endOperation(first);

    StateEditor(model).setProgress(0.4);
    const qint64 second =
        StateEditor(model).beginOperation(OperationKind::writingD64, QStringLiteral("Writing…"));
    EXPECT_GT(second, first);
    EXPECT_EQ(model.status().progress(), 0.4) << "transfers set their own progress";
    EXPECT_FALSE(model.status().isStopping());
    EXPECT_FALSE(model.status().stopRequested());

    StateEditor(model).endOperation(first);
    EXPECT_EQ(model.status().operation(), OperationKind::writingD64) << "a stale end is ignored";

    // A failed transfer leaves the bar empty, even when the tool's last line said 100%; one
    // that finished leaves it full.
    StateEditor(model).setProgress(1.0);
    // The tool's words, with their DOS code and temporary path, go to the details; the
    // headline and the alert say what happened in a sentence.
    const QString output = "[Info] writing /tmp/vellum-1f.prg -> hello,p,w\n[Fatal] could not "
                           "open file for writing: 63, FILE EXISTS,00,00\n";
    StateEditor(model).setDeviceNumber(9);
    StateEditor(model).reportError(OpenCBMError::executionFailed("cbmcopy 9", 1, output));
    StateEditor(model).endOperation(second);
    EXPECT_EQ(model.status().operation(), OperationKind::idle);
    EXPECT_EQ(model.status().progress(), 0.0);
    EXPECT_EQ(model.status().statusHeadline(), model.status().lastError());
    EXPECT_TRUE(model.status().statusHeadline().startsWith("A file of that name is already on "
                                                           "the disk in drive 9."));
    EXPECT_EQ(model.status().errorDetails(), output.trimmed());
    EXPECT_EQ(model.commands().errorAlert().details, output.trimmed());
    // Output that names no known failure still gives a sentence; other errors have no details.
    StateEditor(model).reportError(OpenCBMError::executionFailed("d64copy 9 x.d64", 1, "??"));
    EXPECT_FALSE(model.status().lastError()->contains("??"));
    EXPECT_EQ(model.status().errorDetails(), "??");
    StateEditor(model).reportError(OpenCBMError::noDrive());
    EXPECT_TRUE(model.status().errorDetails().isEmpty());
    model.status().dismissLastError();
    EXPECT_FALSE(model.commands().errorAlert().details.size());

    const qint64 third =
        StateEditor(model).beginOperation(OperationKind::formatting, "Formatting…");
    StateEditor(model).setProgress(0.4);
    StateEditor(model).endOperation(third);
    EXPECT_EQ(model.status().progress(), 0.4) << "ended before any error was reported";
    StateEditor(model).endOperation();
    EXPECT_EQ(model.status().operationID(), third);
}

TEST_F(SessionTest, ALateFailureNeverOverwritesANewerOperation) {
    VellumViewModel& model = session();
    const qint64 stopped = StateEditor(model).beginOperation(OperationKind::readingD64, "Saving…");
    StateEditor(model).endOperation(stopped);
    const qint64 current = StateEditor(model).beginOperation(OperationKind::detecting, "Probing…");

    const auto failure =
        std::make_exception_ptr(OpenCBMError::executionFailed("d64copy", 1, "read error"));
    StateEditor(model).reportFailure(failure, stopped, QStringLiteral("Saving the .d64 failed."));
    StateEditor(model).reportFailure(failure, stopped);
    EXPECT_EQ(model.status().statusHeadline(), QStringLiteral("Probing…"));
    EXPECT_FALSE(model.status().lastError().has_value());
    EXPECT_TRUE(desktop.notifications.isEmpty());

    StateEditor(model).reportFailure(failure, current, QStringLiteral("Saving the .d64 failed."));
    ASSERT_EQ(desktop.notifications.size(), 1);
    EXPECT_EQ(desktop.notifications.at(0).body, model.status().lastError());
    EXPECT_EQ(model.status().errorDetails(), QStringLiteral("read error"));

    StateEditor(model).reportFailure(std::make_exception_ptr(OpenCBMError::cancelled()), current,
                                     QStringLiteral("Saving the .d64 failed."));
    EXPECT_EQ(desktop.notifications.size(), 1) << "a stop posts no notice";
}

TEST_F(SessionTest, DriveCardShowsFriendlyOrRawStatus) {
    VellumViewModel& model = session();
    StateEditor(model).setDeviceNumber(9);
    struct Case {
        bool ready;
        QString driveModel;
        std::optional<QString> status;
        QString title;
        QString detail;
    };
    const QString normal = QStringLiteral("IEC device responding normally.");
    // The model stays 1541 throughout: an empty one keeps the old, an offline drive too.
    const QList<Case> cases{
        {true, "  1541\n", "00, OK,00,00", "Drive 9 — Ready", normal},
        {true, "", "74,DRIVE NOT READY,00,00", "Drive 9 — Ready", "74,DRIVE NOT READY,00,00"},
        {true, "", "ok", "Drive 9 — Ready", normal},
        {true, "", "73,jiffydos 5.0 1541,00,00", "Drive 9 — Ready", normal},
        {true, "", QString(), "Drive 9 — Ready", normal},
        {false, "1571", std::nullopt, "Drive 9 — Offline", "IEC device not detected."},
    };
    for (const Case& test : cases) {
        StateEditor(model).applyDriveState(test.ready, test.driveModel, test.status);
        EXPECT_EQ(model.drives().driveReady(), test.ready);
        EXPECT_EQ(model.drives().driveModel(), QStringLiteral("1541"));
        EXPECT_EQ(model.drives().driveTitle(), test.title);
        EXPECT_EQ(model.drives().driveDetail(), test.detail)
            << test.status.value_or("none").toStdString();
    }
}

TEST_F(SessionTest, NewListingsKeepSelectionByNameAndRememberBlockCounts) {
    VellumViewModel& model = session();
    StateEditor(model).setDriveModel(QStringLiteral("1541"));

    // The only file listed with 0 blocks gets the used space of the disk.
    StateEditor(model).applyDirectory(
        diskListing({floppyEntry(QStringLiteral("Game "), 0),
                     floppyEntry(QStringLiteral("OLD"), 0, CBMFileType::del)},
                    600));
    EXPECT_EQ(model.floppy().directory().entries.at(0).blocks, 64);
    EXPECT_EQ(model.floppy().knownDirectoryBlocks().value(QStringLiteral("GAME")), 64);

    model.floppy().selectEntry(model.floppy().directory().entries.at(0).id);
    const QUuid oldID = model.floppy().directory().entries.at(0).id;

    // A later listing with two files: the remembered count fills the 0, the selection and
    // the anchor follow the name to the entry's new id.
    StateEditor(model).applyDirectory(diskListing(
        {floppyEntry(QStringLiteral("game "), 0), floppyEntry(QStringLiteral("NOTES"), 5)}, 590));
    const DirectoryEntry& game = model.floppy().directory().entries.at(0);
    EXPECT_EQ(game.blocks, 64);
    EXPECT_NE(game.id, oldID);
    EXPECT_EQ(model.floppy().selectedEntryIDs(), EntryIDSet{game.id});
    EXPECT_EQ(model.floppy().floppySelectionAnchor(), game.id);
    EXPECT_EQ(model.floppy().knownDirectoryBlocks().value(QStringLiteral("NOTES")), 5);

    // Capacity follows the drive model; a full 1541 disk gives no estimate.
    EXPECT_EQ(model.drives().usedBlocksEstimate(664), std::nullopt);
    StateEditor(model).setDriveModel(QStringLiteral("cbm 1581"));
    EXPECT_EQ(model.drives().usedBlocksEstimate(3000), 160);

    StateEditor(model).applyDirectory(diskListing({floppyEntry(QStringLiteral("OTHER"), 2)}, 500));
    EXPECT_TRUE(model.floppy().selectedEntryIDs().isEmpty());
    EXPECT_FALSE(model.floppy().floppySelectionAnchor().has_value());
}

TEST_F(SessionTest, ProgressIsAFractionAndSinksDropUnknownAndLateValues) {
    VellumViewModel& model = session();
    const QList<std::pair<double, double>> stored{
        {0.25, 0.25}, {1.5, 1.0}, {-0.2, 0.0}, {std::nan(""), 0.0}, {INFINITY, 1.0}};
    for (const auto& [given, kept] : stored) {
        StateEditor(model).setProgress(given);
        EXPECT_EQ(model.status().progress(), kept) << given;
    }
    ProgressCallback sink = StateEditor(model).progressSink();
    sink(QString(), 0.45);
    sink(QString(), -1);
    EXPECT_DOUBLE_EQ(model.status().progress(), 0.45);

    // File 2 of 4 at half way is 5/8 of the whole bar.
    ProgressCallback fileSink = StateEditor(model).fileProgressSink(2, 4);
    fileSink(QString(), 0.5);
    fileSink(QString(), -1);
    fileSink(QString(), std::nan(""));
    EXPECT_DOUBLE_EQ(model.status().progress(), 0.625);
    StateEditor(model).fileProgressSink(1, 2)(QString(), 3.0);
    EXPECT_EQ(model.status().progress(), 1.0) << "a fraction over 1 is clamped";

    this->model.reset();
    sink(QString(), 0.9); // the session is gone: nothing happens, nothing crashes
    fileSink(QString(), 0.9);
}
