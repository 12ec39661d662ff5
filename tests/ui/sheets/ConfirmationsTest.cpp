#include "DialogFixture.h"
#include "images/D64Builder.h"

using namespace vellum;
using namespace vellum::testing;

namespace {

// A new file in the computer folder, selected.
void selectNewFile(DialogTest& test, const QString& name) {
    const QUrl url = test.makeFile(name);
    test.session().refreshLocalItems();
    test.session().computer().select(url);
}

struct ConfirmationCase {
    const char* name;
    std::function<void(DialogTest&)> raise;
    bool (Confirmations::*requested)() const;
    QString title;
    QString message;
    QString confirm;
    QString alternative;

    friend void PrintTo(const ConfirmationCase& c, std::ostream* out) { *out << c.name; }
};

const ConfirmationCase cases[]{
    {"trashOneFile",
     [](DialogTest& t) {
         selectNewFile(t, "loader.prg");
         t.session().requestLocalDelete();
     },
     &Confirmations::showsLocalDeleteConfirmation, "Move to Trash?",
     "Move the file “loader.prg” to Trash? You can restore it from Trash later.", "Move to Trash",
     ""},
    {"deleteFromImage",
     [](DialogTest& t) {
         D64Builder image = D64Builder::create(QStringLiteral("GAMES"), QStringLiteral("01"));
         image.addFile(QStringLiteral("BOULDER"), CBMFileType::prg,
                       QByteArray("\x01\x08"
                                  "ab"));
         t.session().openImage(t.makeFile("games.d64", image.data()));
         t.session().requestLocalDelete();
     },
     &Confirmations::showsLocalDeleteConfirmation, "Delete file from disk image?",
     "Delete “BOULDER” from games.d64? This cannot be undone.", "Delete", ""},
    {"scratchOne",
     [](DialogTest& t) {
         t.showFloppy({"BOULDER", "ELITE"}, 1);
         t.session().requestFloppyDelete();
     },
     &Confirmations::showsScratchConfirmation, "Delete file from floppy?",
     "Delete “BOULDER” from the floppy in drive 8? This cannot be undone.", "Delete", ""},
    {"overwriteFloppy",
     [](DialogTest& t) {
         t.edit().setPendingWriteURL(t.makeFile("games.d64"));
         t.session().confirmations().setShowsWriteConfirmation(true);
     },
     &Confirmations::showsWriteConfirmation, "Overwrite entire floppy?",
     "Writing “games.d64” will erase all data on the floppy in drive 8.", "Write to Disk", ""},
    {"imageCopyChoice",
     [](DialogTest& t) { t.session().intakeFilesForFloppy({t.makeFile("games.d64")}); },
     &Confirmations::showsImageCopyChoice, "Copy image to floppy?",
     "“games.d64” can be copied as PRG file(s) onto the current disk, or written as a full disk "
     "image. Writing as an image erases everything on the floppy in drive 8.",
     "Write image (erase floppy)", "Copy as PRG files"},
};

// What Cancel must leave as it was.
auto snapshot(DialogTest& test) {
    VellumViewModel& s = test.session();
    return std::tuple(QDir(test.folder.path()).entryList(QDir::Files),
                      s.computer().selectedLocalURLs(), s.floppy().selectedEntryIDs(),
                      s.status().statusHeadline(), s.status().operation(), s.status().lastError());
}

class ConfirmationTest : public DialogTest,
                         public ::testing::WithParamInterface<ConfirmationCase> {};

} // namespace

TEST_P(ConfirmationTest, ShowsItsTextsAndEveryWayOfClosingCancelsSoItOpensAgain) {
    const ConfirmationCase& c = GetParam();
    const QList<std::pair<const char*, std::function<void(ConfirmationDialog*)>>> ways{
        {"Return", [](ConfirmationDialog* d) { press(d, Qt::Key_Return); }},
        {"Escape", [](ConfirmationDialog* d) { press(d, Qt::Key_Escape); }},
        {"close button", [](ConfirmationDialog* d) { d->close(); }},
        {"Cancel", [](ConfirmationDialog* d) { d->cancelButton()->click(); }},
        // Moved onto it, the focus still does not let Return press the destructive button.
        {"Return on the destructive button",
         [](ConfirmationDialog* d) {
             d->confirmButton()->setFocus();
             QTest::keyClick(d->confirmButton(), Qt::Key_Return);
         }},
    };
    for (qsizetype way = 0; way < ways.size(); ++way) {
        SCOPED_TRACE(ways.at(way).first);
        const auto& [themeAppearance, theme] = namedThemes().at(way % namedThemes().size());
        Theme::shared().apply(themeAppearance);
        c.raise(*this);
        ASSERT_TRUE((session().confirmations().*c.requested)());
        auto* dialog = shown<ConfirmationDialog>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->title(), c.title);
        EXPECT_EQ(dialog->message(), c.message);
        EXPECT_EQ(dialog->confirmButton()->text(), c.confirm);
        EXPECT_TRUE(dialog->confirmButton()->property("destructive").toBool());
        EXPECT_FALSE(dialog->confirmButton()->isDefault());
        EXPECT_TRUE(dialog->cancelButton()->isDefault());
        EXPECT_EQ(dialog->focusWidget(), dialog->cancelButton());
        EXPECT_EQ(dialog->alternativeButton() ? dialog->alternativeButton()->text() : "",
                  c.alternative);
        if (way < namedThemes().size()) {
            saveScreenshot(dialog, theme, c.name);
        }

        const auto before = snapshot(*this);
        ways.at(way).second(dialog);
        EXPECT_TRUE(nothingShown());
        EXPECT_FALSE((session().confirmations().*c.requested)());
        EXPECT_EQ(snapshot(*this), before);
    }
}

TEST_P(ConfirmationTest, EachChoiceStartsItsWorkWhoseFailureShowsOnceTheOperationEnded) {
    const ConfirmationCase& c = GetParam();
    for (const bool alternative : {false, true}) {
        if (alternative && c.alternative.isEmpty()) {
            continue;
        }
        c.raise(*this);
        auto* dialog = shown<ConfirmationDialog>();
        ASSERT_NE(dialog, nullptr);
        const QString headline = session().status().statusHeadline();
        (alternative ? dialog->alternativeButton() : dialog->confirmButton())->click();
        EXPECT_FALSE((session().confirmations().*c.requested)());
        settle([this] { return session().status().isIdle(); });
        EXPECT_NE(session().status().statusHeadline(), headline);
        // Without the tools the floppy work fails; the alert comes once the slot is free.
        const bool onTheFloppy = c.requested != &Confirmations::showsLocalDeleteConfirmation;
        ASSERT_EQ(session().status().lastError().has_value(), onTheFloppy);
        if (!onTheFloppy) {
            continue;
        }
        auto* alert = shown<ConfirmationDialog>();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->message(), *session().status().lastError());
        press(alert, Qt::Key_Return);
        EXPECT_TRUE(nothingShown());
        EXPECT_FALSE(session().status().lastError().has_value());
    }
}

TEST_F(DialogTest, TheAlertWaitsForTheOperationAndFollowsTheError) {
    for (const auto& [appearance, theme] : namedThemes()) {
        Theme::shared().apply(appearance);
        const qint64 number = edit().beginOperation(OperationKind::readingDirectory, "Reading…");
        edit().setLastError(QStringLiteral("cbmctrl was not found."));
        EXPECT_TRUE(nothingShown());
        edit().endOperation(number);
        auto* alert = shown<ConfirmationDialog>();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), QStringLiteral("OpenCBM"));
        EXPECT_EQ(alert->confirmButton(), nullptr);
        EXPECT_EQ(alert->cancelButton()->text(), QStringLiteral("OK"));
        EXPECT_TRUE(alert->cancelButton()->isDefault());
        // A newer error replaces the text of the open alert.
        edit().setLastError(QStringLiteral(
            "cbmctrl was not found. Install OpenCBM from your distribution's packages or build "
            "it from source, then click Detect."));
        settle();
        EXPECT_EQ(alert->message(), *session().status().lastError());
        saveScreenshot(alert, theme, "alert");
        // Cleared by the session itself (a later success), the alert goes unanswered.
        edit().setLastError(std::nullopt);
        EXPECT_TRUE(nothingShown());
    }
}

INSTANTIATE_TEST_SUITE_P(Each, ConfirmationTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });
