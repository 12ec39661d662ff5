#include "FloppyPaneFixture.h"

using namespace vellum;
using namespace vellum::testing;
using namespace std::chrono_literals;

class FloppyOperationsTest : public FloppyPaneTest {
protected:
    void SetUp() override {
        FloppyPaneTest::SetUp();
        bus.addDrive(8, "1541",
                     diskImage("GAMES", {{"GAME", CBMFileType::prg, pattern(600, 1)},
                                         {"NOTES", CBMFileType::prg, pattern(100, 2)},
                                         {"DEMO", CBMFileType::prg, pattern(300, 3)}}));
        waitForTask(model->detect(true));
    }
    QStringList filesIn() const {
        return QDir(folderDir.path()).entryList(QDir::Files | QDir::Hidden);
    }

    void readAndSelect(const QStringList& names) {
        waitForTask(model->readDirectory());
        EntryIDSet selection;
        for (const DirectoryEntry& entry : model->floppy().directory().entries) {
            if (names.contains(entry.name)) {
                selection.insert(entry.id);
            }
        }
        StateEditor(*model).setFloppySelection(selection);
    }
};

TEST_F(FloppyOperationsTest, ReadingTheDirectoryShowsTheDisk) {
    StateEditor(*model).setDriveReady(false);
    waitForTask(model->readDirectory());
    ASSERT_EQ(model->floppy().directory().entries.size(), 3);
    EXPECT_EQ(model->floppy().directory().entries.at(0).name, QStringLiteral("game"));
    EXPECT_EQ(model->floppy().selectedEntryIDs(),
              EntryIDSet{model->floppy().directory().entries.at(0).id});
    EXPECT_TRUE(model->drives().driveReady());

    // A failed read keeps the listing that was there.
    bus.insertDisk(8, std::nullopt);
    waitForTask(model->readDirectory());
    EXPECT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->floppy().directory().entries.size(), 3);
}

TEST_F(FloppyOperationsTest, SavingTheFloppyWritesTheWholeDiskAndNeverDamagesAFileOnFailure) {
    waitForTask(model->readDirectory());
    desktop.saveFileAnswers.enqueue(url("games.d64"));
    waitForTask(model->saveFloppyAsD64());

    EXPECT_EQ(desktop.saveFileRequests.value(0).proposedName, QStringLiteral("games.d64"));
    EXPECT_EQ(contents("games.d64"), bus.disk(8).value());
    EXPECT_EQ(desktop.notifications.size(), 1);

    // A read error half way: the earlier image stays as it was and nothing is left behind.
    put("games.d64", "earlier image");
    bus.setFault("fail-at-track", "15");
    desktop.saveFileAnswers.enqueue(url("games.d64"));
    waitForTask(model->saveFloppyAsD64());
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(contents("games.d64"), QByteArray("earlier image"));
    EXPECT_EQ(model->status().progress(), 0.0) << "d64copy ran on to 100% past the bad track";
    EXPECT_EQ(filesIn(), QStringList{"games.d64"});
    EXPECT_TRUE(leftoverTemporaryFiles().isEmpty());
    ASSERT_EQ(desktop.notifications.size(), 2);
    EXPECT_EQ(desktop.notifications.at(1).body, *model->status().lastError());

    // A cancelled panel does nothing.
    const qint64 operations = model->status().operationID();
    waitForTask(model->saveFloppyAsD64());
    EXPECT_EQ(model->status().operationID(), operations);
}

TEST_F(FloppyOperationsTest, WritingAnImageReplacesTheFloppy) {
    waitForTask(model->readDirectory());
    const QByteArray image = diskImage("FRESH", {{"INTRO", CBMFileType::prg, pattern(1000, 4)}});
    const QUrl source = put("fresh.d64", image);
    desktop.openFilesAnswers.enqueue({source});
    model->chooseD64ToWrite();
    ASSERT_TRUE(model->confirmations().showsWriteConfirmation());

    waitForTask(model->confirmWrite());
    EXPECT_EQ(bus.disk(8), image);
    EXPECT_EQ(model->floppy().directory().entries.size(), 1) << "the new disk is listed";
    EXPECT_EQ(desktop.notifications.size(), 1);

    // A failing write reports the tool's words in the notice.
    bus.setFault("fail-at-track", "3");
    StateEditor(*model).setPendingWriteURL(source);
    waitForTask(model->confirmWrite());
    ASSERT_TRUE(model->status().lastError().has_value());
    ASSERT_EQ(desktop.notifications.size(), 2);
    EXPECT_EQ(desktop.notifications.at(1).body, *model->status().lastError());
}

TEST_F(FloppyOperationsTest, AnImageTheDriveCannotTakeIsRefusedAndTheDiskKept) {
    const QByteArray before = *bus.disk(8);
    StateEditor(*model).setPendingWriteURL(put("big.d81", SimulatedBus::demoDisk("d81")));
    waitForTask(model->confirmWrite());
    EXPECT_EQ(model->status().lastError(),
              QStringLiteral("A 1541 cannot write a D81 image: it needs a 1581 drive."));
    EXPECT_EQ(bus.disk(8), before);
}

TEST_F(FloppyOperationsTest, EachDriveSavesItsOwnImageType) {
    bus.addDrive(9, "1571", SimulatedBus::demoDisk("d71"));
    bus.addDrive(10, "1581", SimulatedBus::demoDisk("d81"));
    waitForTask(model->detect(true));
    struct Case {
        qint64 device;
        QString typed;
        QStringList offered;
        qint64 savedBytes;
    };
    // No directory read first: the 1571 is listed in its own mode to tell a double-sided
    // disk; a name typed without a type, or with one the drive cannot make, gets the one
    // offered first.
    const QList<Case> cases{
        {9, "both", {"d71", "d64"}, 349'696},
        {9, "side.d64", {"d71", "d64"}, 174'848},
        {10, "big", {"d81"}, 819'200},
        {10, "big.d64", {"d81"}, 819'200},
    };
    for (const Case& test : cases) {
        waitForTask(model->selectDrive(test.device));
        StateEditor(*model).setDirectory({});
        desktop.saveFileRequests.clear();
        desktop.saveFileAnswers.enqueue(url(test.typed));
        waitForTask(model->saveFloppyAsD64());
        ASSERT_FALSE(model->status().lastError().has_value()) << test.typed.toStdString();
        EXPECT_EQ(desktop.saveFileRequests.value(0).allowedExtensions, test.offered);
        const QString saved = test.typed.contains(u'.')
                                  ? test.typed
                                  : test.typed + QLatin1Char('.') + test.offered.first();
        // The second 1581 save was typed as "big.d64": "big.d81" is not written over.
        const QString stored = test.typed == "big.d64" ? QStringLiteral("big-2.d81")
                               : test.device == 10     ? QStringLiteral("big.d81")
                                                       : saved;
        EXPECT_EQ(contents(stored), bus.disk(test.device)->left(test.savedBytes))
            << stored.toStdString();
    }
}

TEST_F(FloppyOperationsTest, DeletingRereadsTheDiskEvenWhenANameIsRefused) {
    readAndSelect({"game"});
    // A listed name that the drive would read as a pattern is refused, after "game" is gone.
    DiskDirectory listed = model->floppy().directory();
    DirectoryEntry pattern;
    pattern.name = QStringLiteral("dem?");
    listed.entries.append(pattern);
    StateEditor(*model).setDirectory(listed);
    StateEditor(*model).setFloppySelection({listed.entries.at(0).id, pattern.id});
    waitForTask(model->deleteSelectedFromFloppy());
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_TRUE(model->status().lastError()->contains(QStringLiteral("dem?")));
    EXPECT_EQ(namesOn(bus.disk(8)), (QStringList{"NOTES", "DEMO"}));
    ASSERT_EQ(model->floppy().directory().entries.size(), 2) << "the listing was re-read";
    EXPECT_EQ(model->floppy().directory().entries.at(0).name, QStringLiteral("notes"));

    readAndSelect({"notes", "demo"});
    desktop.notifications.clear();
    waitForTask(model->deleteSelectedFromFloppy());
    EXPECT_TRUE(namesOn(bus.disk(8)).isEmpty());
    EXPECT_TRUE(model->floppy().directory().entries.isEmpty());
    EXPECT_TRUE(model->floppy().selectedEntryIDs().isEmpty());
    EXPECT_FALSE(model->floppy().floppySelectionAnchor().has_value());
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(FloppyOperationsTest, RenamingCarriesTheSelectionAndTheBlockCount) {
    readAndSelect({"notes"});
    model->sheets().setNamePrompt(NamePromptKind::renameFloppy);
    model->sheets().setNameField(QStringLiteral(" readme "));
    waitForTask(model->commitRenameFloppy());
    EXPECT_FALSE(model->sheets().namePrompt().has_value());
    EXPECT_EQ(namesOn(bus.disk(8)), (QStringList{"GAME", "README", "DEMO"}));
    EXPECT_EQ(model->floppy().anchorFloppyEntry().value_or(DirectoryEntry()).name, "readme");
    EXPECT_TRUE(model->floppy().knownDirectoryBlocks().contains(QStringLiteral("README")));

    // The drive refuses a name that is taken.
    model->sheets().setNamePrompt(NamePromptKind::renameFloppy);
    model->sheets().setNameField(QStringLiteral("GAME"));
    waitForTask(model->commitRenameFloppy());
    EXPECT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(namesOn(bus.disk(8)), (QStringList{"GAME", "README", "DEMO"}));
}

TEST_F(FloppyOperationsTest, FormattingMakesAnEmptyDiskAndTellsTheDesktop) {
    waitForTask(model->readDirectory());
    model->beginFormat();
    model->sheets().setFormatName(QStringLiteral(" work "));
    model->sheets().setFormatID(QStringLiteral("w1"));
    waitForTask(model->confirmFormat());
    EXPECT_FALSE(model->sheets().showsFormatSheet());
    const DiskDirectory formatted = D64Extractor::readDirectory(bus.disk(8).value());
    EXPECT_EQ(formatted.diskName.toUpper(), QStringLiteral("WORK"));
    EXPECT_TRUE(formatted.entries.isEmpty());
    EXPECT_TRUE(model->floppy().knownDirectoryBlocks().isEmpty());
    EXPECT_EQ(desktop.notifications.size(), 1);

    // A 1571 is formatted with the DOS command, which the drive answers the same way.
    bus.addDrive(9, "1571", diskImage("OLD", {{"GAME", CBMFileType::prg, pattern(100, 1)}}));
    waitForTask(model->detect(true));
    waitForTask(model->selectDrive(9));
    model->sheets().setFormatName(QStringLiteral("DOUBLE"));
    model->sheets().setFormatID(QStringLiteral("D2"));
    model->sheets().setFormatExtended(true);
    waitForTask(StateEditor(*model).formatFloppy());
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_TRUE(namesOn(bus.disk(9)).isEmpty());

    // A failed format notices with the drive's words.
    bus.setFault("fail-at-track", "10");
    waitForTask(StateEditor(*model).formatFloppy());
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(desktop.notifications.last().body, *model->status().lastError());
}

TEST_F(FloppyOperationsTest, ValidateAndInitializeReportTheDrive) {
    waitForTask(model->readDirectory());
    waitForTask(model->validateFloppy());
    EXPECT_EQ(model->status().statusHeadline(), bus.status(8)) << "the drive's reply as sent";
    EXPECT_EQ(namesOn(bus.disk(8)), (QStringList{"GAME", "NOTES", "DEMO"}));

    waitForTask(model->initializeFloppy());
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_EQ(namesOn(bus.disk(8)), (QStringList{"GAME", "NOTES", "DEMO"}));
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(FloppyOperationsTest, StoppingATransferPostsNoNotice) {
    bus.setFault("seconds-per-track", "0.06");
    desktop.saveFileAnswers.enqueue(QUrl::fromLocalFile(path("slow.d64")));
    QCoro::Task<> saving = model->saveFloppyAsD64();
    ASSERT_TRUE(spinUntil([&] { return model->status().progress() >= 0.4; }));
    model->stop();
    waitForTask(std::move(saving));
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_GE(model->status().progress(), 0.4) << "a stop is not a failure: the bar stays";
    EXPECT_LT(model->status().progress(), 1.0);
    EXPECT_TRUE(desktop.notifications.isEmpty());
    EXPECT_TRUE(filesIn().isEmpty());
}
