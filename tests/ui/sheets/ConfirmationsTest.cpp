#include "DialogFixture.h"
#include "images/D64Builder.h"

#include <QFile>
#include <QPushButton>

using namespace vellum;
using namespace vellum::testing;

namespace {

QUrl makeFile(DialogTest& test, const QString& name, const QByteArray& contents = "data") {
    QFile file(test.folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(contents);
    return QUrl::fromLocalFile(file.fileName());
}

// Files in the computer folder, all of them selected.
void selectNewFiles(DialogTest& test, const QStringList& names) {
    QList<QUrl> urls;
    for (const QString& name : names)
        urls.append(makeFile(test, name));
    VellumViewModel& session = test.session();
    session.refreshLocalItems();
    session.computer().select(urls.first());
    for (const QUrl& url : urls.mid(1))
        session.computer().click(url, {.command = true, .shift = false});
}

struct ConfirmationCase {
    const char* name;
    std::function<void(DialogTest&)> raise;
    std::function<bool(VellumViewModel&)> requested;
    QString title;
    QString message;
    QString confirm;
    QString alternative;

    // Names the case in gtest's messages instead of dumping its bytes.
    friend void PrintTo(const ConfirmationCase& c, std::ostream* out) { *out << c.name; }
};

const QList<ConfirmationCase>& confirmationCases() {
    static const QList<ConfirmationCase> cases{
        {"trashOneFile",
         [](DialogTest& test) {
             selectNewFiles(test, {"loader.prg"});
             test.session().requestLocalDelete();
         },
         [](VellumViewModel& s) { return s.confirmations().showsLocalDeleteConfirmation(); },
         "Move to Trash?",
         "Move the file “loader.prg” to Trash? You can restore it from Trash later.",
         "Move to Trash", ""},
        {"trashTwoFiles",
         [](DialogTest& test) {
             selectNewFiles(test, {"a.prg", "b.prg"});
             test.session().requestLocalDelete();
         },
         [](VellumViewModel& s) { return s.confirmations().showsLocalDeleteConfirmation(); },
         "Move items to Trash?", "Move 2 files to Trash? You can restore them from Trash later.",
         "Move to Trash", ""},
        {"deleteFromImage",
         [](DialogTest& test) {
             D64Builder image = D64Builder::create(QStringLiteral("GAMES"), QStringLiteral("01"));
             image.addFile(QStringLiteral("BOULDER"), CBMFileType::prg,
                           QByteArray("\x01\x08"
                                      "ab"));
             test.session().openImage(makeFile(test, "games.d64", image.data()));
             test.session().requestLocalDelete();
         },
         [](VellumViewModel& s) { return s.confirmations().showsLocalDeleteConfirmation(); },
         "Delete file from disk image?", "Delete “BOULDER” from games.d64? This cannot be undone.",
         "Delete", ""},
        {"scratchOne",
         [](DialogTest& test) {
             test.showFloppy({"BOULDER", "ELITE"}, 1);
             test.session().requestFloppyDelete();
         },
         [](VellumViewModel& s) { return s.confirmations().showsScratchConfirmation(); },
         "Delete file from floppy?",
         "Delete “BOULDER” from the floppy in drive 8? This cannot be undone.", "Delete", ""},
        {"scratchTwo",
         [](DialogTest& test) {
             test.showFloppy({"BOULDER", "ELITE"}, 2);
             test.session().requestFloppyDelete();
         },
         [](VellumViewModel& s) { return s.confirmations().showsScratchConfirmation(); },
         "Delete files from floppy?",
         "Delete 2 files from the floppy in drive 8? This cannot be undone.", "Delete", ""},
        {"overwriteFloppy",
         [](DialogTest& test) {
             test.edit().setPendingWriteURL(makeFile(test, "games.d64"));
             test.session().confirmations().setShowsWriteConfirmation(true);
         },
         [](VellumViewModel& s) { return s.confirmations().showsWriteConfirmation(); },
         "Overwrite entire floppy?",
         "Writing “games.d64” will erase all data on the floppy in drive 8.", "Write to Disk", ""},
        {"imageCopyChoice",
         [](DialogTest& test) {
             test.session().intakeFilesForFloppy({makeFile(test, "games.d64")});
         },
         [](VellumViewModel& s) { return s.confirmations().showsImageCopyChoice(); },
         "Copy image to floppy?",
         "“games.d64” can be copied as PRG file(s) onto the current disk, or written as a full "
         "disk image. Writing as an image erases everything on the floppy in drive 8.",
         "Write image (erase floppy)", "Copy as PRG files"},
    };
    return cases;
}

// What a Cancel must leave as it was.
struct Snapshot {
    QStringList files;
    UrlSet computerSelection;
    EntryIDSet floppySelection;
    QString headline;
    OperationKind operation;

    static Snapshot of(DialogTest& test) {
        VellumViewModel& s = test.session();
        return {QDir(test.folder.path()).entryList(QDir::Files), s.computer().selectedLocalURLs(),
                s.floppy().selectedEntryIDs(), s.status().statusHeadline(), s.status().operation()};
    }
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

class ConfirmationTest : public DialogTest,
                         public ::testing::WithParamInterface<ConfirmationCase> {};

std::string caseName(const ::testing::TestParamInfo<ConfirmationCase>& info) {
    return info.param.name;
}

} // namespace

TEST_P(ConfirmationTest, ShowsItsTextsWithCancelAsTheDefault) {
    const ConfirmationCase& c = GetParam();
    c.raise(*this);
    ASSERT_TRUE(c.requested(session()));
    auto* dialog = shown<ConfirmationDialog>();
    ASSERT_NE(dialog, nullptr);

    EXPECT_EQ(dialog->title(), c.title);
    EXPECT_EQ(dialog->message(), c.message);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->parentWidget(), window.get());
    EXPECT_EQ(dialog->confirmButton()->text(), c.confirm);
    EXPECT_TRUE(dialog->confirmButton()->property("destructive").toBool());
    EXPECT_FALSE(dialog->confirmButton()->isDefault());
    EXPECT_FALSE(dialog->confirmButton()->autoDefault());
    EXPECT_EQ(dialog->cancelButton()->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(dialog->cancelButton()->isDefault());
    EXPECT_EQ(dialog->focusWidget(), dialog->cancelButton());
    if (c.alternative.isEmpty()) {
        EXPECT_EQ(dialog->alternativeButton(), nullptr);
    } else {
        ASSERT_NE(dialog->alternativeButton(), nullptr);
        EXPECT_EQ(dialog->alternativeButton()->text(), c.alternative);
        EXPECT_FALSE(dialog->alternativeButton()->property("destructive").toBool());
    }
}

TEST_P(ConfirmationTest, EveryWayOfClosingCancelsAndTheRequestOpensAgain) {
    const ConfirmationCase& c = GetParam();
    const QList<std::pair<const char*, std::function<void(QDialog*)>>> ways{
        {"Return", [](QDialog* d) { press(d, Qt::Key_Return); }},
        {"Escape", [](QDialog* d) { press(d, Qt::Key_Escape); }},
        {"close button", [](QDialog* d) { d->close(); }},
        {"Cancel",
         [](QDialog* d) { static_cast<ConfirmationDialog*>(d)->cancelButton()->click(); }},
        // With the focus moved onto it, Return still does not press the destructive button.
        {"Return on the destructive button",
         [](QDialog* d) {
             auto* confirmation = static_cast<ConfirmationDialog*>(d);
             confirmation->confirmButton()->setFocus();
             QTest::keyClick(confirmation->confirmButton(), Qt::Key_Return);
         }},
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        c.raise(*this);
        QDialog* dialog = shown();
        ASSERT_NE(dialog, nullptr);
        const Snapshot before = Snapshot::of(*this);
        close(dialog);
        EXPECT_TRUE(nothingShown());
        EXPECT_FALSE(c.requested(session()));
        EXPECT_TRUE(Snapshot::of(*this) == before);
        EXPECT_FALSE(session().status().lastError().has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Each, ConfirmationTest, ::testing::ValuesIn(confirmationCases()),
                         caseName);

TEST_F(DialogTest, ConfirmingStartsTheWorkAndItsFailureShowsOnceTheOperationEnded) {
    // Without the tools the scratch fails; its alert comes after the operation, with OK only.
    showFloppy({"BOULDER"}, 1);
    session().requestFloppyDelete();
    auto* confirmation = shown<ConfirmationDialog>();
    ASSERT_NE(confirmation, nullptr);
    confirmation->confirmButton()->click();
    EXPECT_FALSE(session().confirmations().showsScratchConfirmation());

    auto* alert = shown<ConfirmationDialog>();
    ASSERT_NE(alert, nullptr);
    ASSERT_TRUE(session().status().lastError().has_value());
    EXPECT_TRUE(session().status().isIdle());
    EXPECT_EQ(alert->title(), QStringLiteral("OpenCBM"));
    EXPECT_EQ(alert->message(), *session().status().lastError());
    EXPECT_EQ(alert->confirmButton(), nullptr);
    EXPECT_EQ(alert->alternativeButton(), nullptr);
    EXPECT_EQ(alert->cancelButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(alert->cancelButton()->isDefault());
    press(alert, Qt::Key_Return);
    EXPECT_TRUE(nothingShown());
    EXPECT_FALSE(session().status().lastError().has_value());
}

TEST_F(DialogTest, TheAlertWaitsForTheOperationAndReturnsWithTheNextError) {
    const qint64 number = edit().beginOperation(OperationKind::readingDirectory, "Reading…");
    edit().setLastError(QStringLiteral("The drive did not answer."));
    EXPECT_TRUE(nothingShown());
    edit().endOperation(number);
    auto* alert = shown<ConfirmationDialog>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->message(), QStringLiteral("The drive did not answer."));

    // A newer error replaces the text of the open alert.
    edit().setLastError(QStringLiteral("No disk in the drive."));
    settle();
    EXPECT_EQ(alert->message(), QStringLiteral("No disk in the drive."));
    alert->close();
    EXPECT_TRUE(nothingShown());
    EXPECT_FALSE(session().status().lastError().has_value());

    edit().setLastError(QStringLiteral("No disk in the drive."));
    EXPECT_NE(shown<ConfirmationDialog>(), nullptr);
    // Cleared by the session itself (a later success), the alert goes away unanswered.
    edit().setLastError(std::nullopt);
    EXPECT_TRUE(nothingShown());
}

TEST_F(DialogTest, TheImageChoiceHandsThePendingFilesToTheChosenCopy) {
    for (const bool asFiles : {true, false}) {
        SCOPED_TRACE(asFiles ? "as files" : "as image");
        session().intakeFilesForFloppy({makeFile(*this, "games.d64")});
        auto* choice = shown<ConfirmationDialog>();
        ASSERT_NE(choice, nullptr);
        (asFiles ? choice->alternativeButton() : choice->confirmButton())->click();
        EXPECT_FALSE(session().confirmations().showsImageCopyChoice());
        EXPECT_TRUE(session().confirmations().pendingCopyURLs().isEmpty());
        // The copy ran and failed without the tools; its alert follows.
        auto* alert = shown<ConfirmationDialog>();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), QStringLiteral("OpenCBM"));
        alert->close();
        EXPECT_TRUE(nothingShown());
    }
}

TEST_F(DialogTest, MovingToTrashTakesTheFileAway) {
    selectNewFiles(*this, {"loader.prg"});
    session().requestLocalDelete();
    auto* confirmation = shown<ConfirmationDialog>();
    ASSERT_NE(confirmation, nullptr);
    confirmation->confirmButton()->click();
    EXPECT_TRUE(nothingShown());
    EXPECT_FALSE(QFile::exists(folder.filePath("loader.prg")));
    EXPECT_EQ(desktop.trashed.size(), 1);
}

TEST_P(ConfirmationTest, LooksRightInEachTheme) {
    const ConfirmationCase& c = GetParam();
    for (const NamedTheme& theme : namedThemes()) {
        Theme::shared().apply(theme.appearance);
        c.raise(*this);
        QDialog* dialog = shown();
        ASSERT_NE(dialog, nullptr);
        saveScreenshot(dialog, theme, QString::fromLatin1(c.name));
        dialog->close();
        ASSERT_TRUE(nothingShown());
    }
}

TEST_F(DialogTest, AlertLooksRightInEachTheme) {
    for (const NamedTheme& theme : namedThemes()) {
        Theme::shared().apply(theme.appearance);
        edit().setLastError(QStringLiteral(
            "cbmctrl was not found. Install OpenCBM from your distribution's packages or build "
            "it from source, then click Detect."));
        QDialog* alert = shown();
        ASSERT_NE(alert, nullptr);
        saveScreenshot(alert, theme, QStringLiteral("alert"));
        alert->close();
        ASSERT_TRUE(nothingShown());
    }
}
