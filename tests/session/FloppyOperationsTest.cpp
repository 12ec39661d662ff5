#include "BusFixture.h"

#include "images/D64Extractor.h"

#include <QDir>
#include <QFile>

using namespace vellum;
using namespace vellum::testing;
using namespace std::chrono_literals;

namespace {

QByteArray readWhole(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeWhole(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList namesOnDisk(const std::optional<QByteArray>& disk) {
    QStringList names;
    if (disk) {
        for (const D64Extractor::File& file : D64Extractor::files(*disk)) {
            names.append(file.name);
        }
    }
    return names;
}

} // namespace

class FloppyOperationsTest : public BusSessionTest {
protected:
    QTemporaryDir folder;
    QStringList headlines;

    void SetUp() override {
        BusSessionTest::SetUp();
        bus.addDrive(8, "1541",
                     diskWith("GAMES", "2A", {{"GAME", 600}, {"NOTES", 100}, {"DEMO", 300}}));
        waitForTask(model->detect(true));
        QObject::connect(&model->status(), &OperationStatus::statusHeadlineChanged,
                         [this] { headlines.append(model->status().statusHeadline()); });
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
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Directory of “games” loaded."));
    ASSERT_EQ(model->floppy().directory().entries.size(), 3);
    EXPECT_EQ(model->floppy().directory().entries.at(0).name, QStringLiteral("game"));
    EXPECT_EQ(model->floppy().selectedEntryIDs(),
              EntryIDSet{model->floppy().directory().entries.at(0).id});
    EXPECT_TRUE(model->drives().driveReady());
    EXPECT_EQ(model->drives().driveTitle(), QStringLiteral("Drive 8 — Ready"));
    EXPECT_EQ(model->drives().driveDetail(), QStringLiteral("IEC device responding normally."));
    EXPECT_EQ(headlines.value(0), QStringLiteral("Reading directory from drive 8…"));

    // A failed read keeps the listing that was there.
    bus.insertDisk(8, std::nullopt);
    waitForTask(model->readDirectory());
    EXPECT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->floppy().directory().entries.size(), 3);
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
}

TEST_F(FloppyOperationsTest, SavingTheFloppyWritesTheWholeDiskAndNeverDamagesAFileOnFailure) {
    waitForTask(model->readDirectory());
    headlines.clear();
    const QString target = folder.filePath("games.d64");
    desktop.saveFileAnswers.enqueue(QUrl::fromLocalFile(target));
    waitForTask(model->saveFloppyAsD64());

    ASSERT_EQ(desktop.saveFileRequests.size(), 1);
    EXPECT_EQ(desktop.saveFileRequests.at(0).title, QStringLiteral("Save D64 Image"));
    EXPECT_EQ(desktop.saveFileRequests.at(0).message,
              QStringLiteral("Read the floppy in drive 8 into a .d64 image."));
    EXPECT_EQ(desktop.saveFileRequests.at(0).proposedName, QStringLiteral("games.d64"));
    EXPECT_EQ(readWhole(target), bus.disk(8).value());
    EXPECT_EQ(headlines.value(0), QStringLiteral("Reading floppy to games.d64…"));
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Saved games.d64."));
    EXPECT_EQ(model->status().progress(), 1.0);
    EXPECT_EQ(desktop.notifications,
              (QList<FakeDesktopServices::Notification>{{"Vellum", "Saved games.d64."}}));

    // A read error half way: the earlier image stays as it was and nothing is left behind.
    writeWhole(target, "earlier image");
    bus.setFault("fail-at-track", "15");
    desktop.saveFileAnswers.enqueue(QUrl::fromLocalFile(target));
    waitForTask(model->saveFloppyAsD64());
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->status().statusHeadline(), *model->status().lastError());
    EXPECT_EQ(readWhole(target), QByteArray("earlier image"));
    EXPECT_EQ(model->status().progress(), 0.0) << "d64copy ran on to 100% past the bad track";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"games.d64"});
    ASSERT_EQ(desktop.notifications.size(), 2);
    EXPECT_EQ(desktop.notifications.at(1).body, *model->status().lastError());

    // A cancelled panel does nothing.
    const qint64 operations = model->status().operationID();
    waitForTask(model->saveFloppyAsD64());
    EXPECT_EQ(model->status().operationID(), operations);
}

TEST_F(FloppyOperationsTest, WritingAnImageReplacesTheFloppy) {
    waitForTask(model->readDirectory());
    const QByteArray image = diskWith("FRESH", "FR", {{"INTRO", 1000}});
    const QString source = folder.filePath("fresh.d64");
    writeWhole(source, image);
    desktop.openFilesAnswers.enqueue({QUrl::fromLocalFile(source)});
    model->chooseD64ToWrite();
    ASSERT_TRUE(model->confirmations().showsWriteConfirmation());

    waitForTask(model->confirmWrite());
    EXPECT_FALSE(model->confirmations().pendingWriteURL().has_value());
    EXPECT_EQ(bus.disk(8), image);
    EXPECT_TRUE(headlines.contains(QStringLiteral("Writing fresh.d64 to drive 8…")));
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Wrote fresh.d64 to disk."));
    EXPECT_EQ(model->status().progress(), 1.0);
    ASSERT_EQ(model->floppy().directory().entries.size(), 1) << "the new disk is listed";
    EXPECT_EQ(model->floppy().directory().entries.at(0).name, QStringLiteral("intro"));
    EXPECT_EQ(model->floppy().knownDirectoryBlocks().keys(), QStringList{"INTRO"});
    EXPECT_EQ(desktop.notifications.value(0).body,
              QStringLiteral("Wrote fresh.d64 to the floppy."));

    // A failing write reports the tool's words in the notice.
    bus.setFault("fail-at-track", "3");
    StateEditor(*model).setPendingWriteURL(QUrl::fromLocalFile(source));
    waitForTask(model->confirmWrite());
    ASSERT_TRUE(model->status().lastError().has_value());
    ASSERT_EQ(desktop.notifications.size(), 2);
    EXPECT_EQ(desktop.notifications.at(1).body, *model->status().lastError());
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
}

TEST_F(FloppyOperationsTest, AnImageTheDriveCannotTakeIsRefusedAndTheDiskKept) {
    const QByteArray before = *bus.disk(8);
    const QString source = folder.filePath("big.d81");
    writeWhole(source, SimulatedBus::demoDisk("d81"));
    StateEditor(*model).setPendingWriteURL(QUrl::fromLocalFile(source));
    waitForTask(model->confirmWrite());
    EXPECT_EQ(model->status().lastError(),
              QStringLiteral("A 1541 cannot write a D81 image: it needs a 1581 drive."));
    EXPECT_EQ(bus.disk(8), before);
}

TEST_F(FloppyOperationsTest, DeletingCountsThroughTheFilesAndRereadsTheDisk) {
    readAndSelect({"game", "notes", "demo"});
    ASSERT_EQ(model->floppy().selectedEntryIDs().size(), 3);
    headlines.clear();
    waitForTask(model->deleteSelectedFromFloppy());
    EXPECT_EQ(headlines.mid(0, 4),
              (QStringList{"Deleting 3 files from floppy…", "Deleting 1 of 3: “game”…",
                           "Deleting 2 of 3: “notes”…", "Deleting 3 of 3: “demo”…"}));
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Deleted 3 files from floppy."));
    EXPECT_TRUE(namesOnDisk(bus.disk(8)).isEmpty());
    EXPECT_TRUE(model->floppy().directory().entries.isEmpty());
    EXPECT_TRUE(model->floppy().selectedEntryIDs().isEmpty());
    EXPECT_FALSE(model->floppy().floppySelectionAnchor().has_value());
    EXPECT_TRUE(desktop.notifications.isEmpty());
}

TEST_F(FloppyOperationsTest, AFailedDeleteStillShowsWhatWasScratched) {
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
    EXPECT_EQ(namesOnDisk(bus.disk(8)), (QStringList{"NOTES", "DEMO"}));
    ASSERT_EQ(model->floppy().directory().entries.size(), 2) << "the listing was re-read";
    EXPECT_EQ(model->floppy().directory().entries.at(0).name, QStringLiteral("notes"));
    EXPECT_EQ(model->status().operation(), OperationKind::idle);

    // One file: no counted headline.
    readAndSelect({"demo"});
    headlines.clear();
    waitForTask(model->deleteSelectedFromFloppy());
    EXPECT_EQ(headlines,
              (QStringList{"Deleting “demo” from floppy…", "Deleted “demo” from floppy."}));
}

TEST_F(FloppyOperationsTest, RenamingCarriesTheSelectionAndTheBlockCount) {
    readAndSelect({"notes"});
    model->sheets().setNamePrompt(NamePromptKind::renameFloppy);
    model->sheets().setNameField(QStringLiteral(" readme "));
    waitForTask(model->commitRenameFloppy());
    EXPECT_FALSE(model->sheets().namePrompt().has_value());
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Renamed “notes” to “readme”."));
    EXPECT_EQ(namesOnDisk(bus.disk(8)), (QStringList{"GAME", "README", "DEMO"}));
    const std::optional<DirectoryEntry> anchor = model->floppy().anchorFloppyEntry();
    ASSERT_TRUE(anchor.has_value());
    EXPECT_EQ(anchor->name, QStringLiteral("readme"));
    EXPECT_EQ(model->floppy().selectedEntryIDs(), EntryIDSet{anchor->id});
    EXPECT_TRUE(model->floppy().knownDirectoryBlocks().contains(QStringLiteral("README")));

    // The drive refuses a name that is taken.
    model->sheets().setNamePrompt(NamePromptKind::renameFloppy);
    model->sheets().setNameField(QStringLiteral("GAME"));
    waitForTask(model->commitRenameFloppy());
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(model->status().statusHeadline(), *model->status().lastError());
    EXPECT_EQ(namesOnDisk(bus.disk(8)), (QStringList{"GAME", "README", "DEMO"}));
}

TEST_F(FloppyOperationsTest, FormattingMakesAnEmptyDiskAndTellsTheDesktop) {
    waitForTask(model->readDirectory());
    model->beginFormat();
    EXPECT_EQ(model->sheets().formatName(), QStringLiteral("games"));
    model->sheets().setFormatName(QStringLiteral(" work "));
    model->sheets().setFormatID(QStringLiteral("w1"));
    waitForTask(model->confirmFormat());
    EXPECT_FALSE(model->sheets().showsFormatSheet());
    EXPECT_TRUE(headlines.contains(QStringLiteral("Formatting “WORK” (W1)…")));
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Formatted “WORK”, ID W1."));
    const DiskDirectory formatted = D64Extractor::readDirectory(bus.disk(8).value());
    EXPECT_EQ(formatted.diskName.toUpper(), QStringLiteral("WORK"));
    EXPECT_TRUE(formatted.entries.isEmpty());
    EXPECT_TRUE(model->floppy().directory().entries.isEmpty());
    EXPECT_TRUE(model->floppy().knownDirectoryBlocks().isEmpty());
    EXPECT_EQ(model->status().progress(), 1.0);
    EXPECT_EQ(desktop.notifications.value(0).body, QStringLiteral("Formatted “WORK”, ID W1."));

    // A 1571 is formatted with the DOS command, which the drive answers the same way.
    bus.addDrive(9, "1571", diskWith("OLD", "01", {{"GAME", 100}}));
    waitForTask(model->detect(true));
    waitForTask(model->selectDrive(9));
    model->sheets().setFormatName(QStringLiteral("DOUBLE"));
    model->sheets().setFormatID(QStringLiteral("D2"));
    model->sheets().setFormatExtended(true);
    waitForTask(StateEditor(*model).formatFloppy());
    EXPECT_EQ(model->status().statusHeadline(), QStringLiteral("Formatted “DOUBLE”, ID D2."));
    EXPECT_TRUE(namesOnDisk(bus.disk(9)).isEmpty());

    // A failed format notices with the drive's words.
    bus.setFault("fail-at-track", "10");
    waitForTask(StateEditor(*model).formatFloppy());
    ASSERT_TRUE(model->status().lastError().has_value());
    EXPECT_EQ(desktop.notifications.last().body, *model->status().lastError());
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
}

TEST_F(FloppyOperationsTest, ValidateAndInitializeReportTheDrive) {
    waitForTask(model->readDirectory());
    waitForTask(model->validateFloppy());
    EXPECT_TRUE(headlines.contains(QStringLiteral("Validating disk in drive 8…")));
    EXPECT_EQ(model->status().statusHeadline(), bus.status(8)) << "the drive's reply as sent";
    EXPECT_EQ(model->status().progress(), 1.0);
    EXPECT_EQ(model->drives().driveDetail(), QStringLiteral("IEC device responding normally."));
    EXPECT_EQ(namesOnDisk(bus.disk(8)), (QStringList{"GAME", "NOTES", "DEMO"}));

    waitForTask(model->initializeFloppy());
    EXPECT_TRUE(headlines.contains(QStringLiteral("Initializing disk in drive 8 (I0)…")));
    EXPECT_EQ(model->status().statusHeadline(),
              QStringLiteral("Initialized “games”. BAM re-read; files were not erased."));
    EXPECT_TRUE(desktop.notifications.isEmpty());

    bus.insertDisk(8, diskWith("", "00", {}));
    waitForTask(model->initializeFloppy());
    EXPECT_EQ(model->status().statusHeadline(),
              QStringLiteral("Initialized drive 8. BAM re-read; files were not erased."));
}

TEST_F(FloppyOperationsTest, StoppingATransferPostsNoNotice) {
    bus.setFault("seconds-per-track", "0.06");
    desktop.saveFileAnswers.enqueue(QUrl::fromLocalFile(folder.filePath("slow.d64")));
    QCoro::Task<> saving = model->saveFloppyAsD64();
    ASSERT_TRUE(spinUntil([&] { return model->status().progress() >= 0.4; }));
    model->stop();
    waitForTask(std::move(saving));
    EXPECT_EQ(model->status().operation(), OperationKind::idle);
    EXPECT_EQ(
        model->status().statusHeadline(),
        QStringLiteral("Stopped. If the drive was powered off, turn it on and click Detect."));
    EXPECT_FALSE(model->status().lastError().has_value());
    EXPECT_GE(model->status().progress(), 0.4) << "a stop is not a failure: the bar stays";
    EXPECT_LT(model->status().progress(), 1.0);
    EXPECT_TRUE(desktop.notifications.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.filePath("slow.d64")));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
