#include "DialogFixture.h"
#include "images/D64Builder.h"
#include "ui/sheets/FormatDiskSheet.h"
#include "ui/sheets/NamePromptSheet.h"
#include "ui/sheets/NewDiskImageSheet.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace vellum;
using namespace vellum::testing;

namespace {

// Types over a field's whole text, as a user would.
void typeInto(QLineEdit* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

bool anySheetRequested(const Sheets& sheets) {
    return sheets.showsFormatSheet() || sheets.showsNewDiskSheet() ||
           sheets.namePrompt().has_value();
}

struct RefusedCase {
    const char* name;
    std::function<void(DialogTest&)> open;
    // The field refused, as the nth text field of the sheet.
    int field;
    QString typed;
    QString message;

    friend void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }
};

const RefusedCase refusedCases[]{
    {"newFolder", [](DialogTest& t) { t.session().beginNewFolder(); }, 0, "", "Enter a name."},
    {"renameComputerFile",
     [](DialogTest& t) {
         const QUrl file = t.makeFile("loader.prg");
         t.session().refreshLocalItems();
         t.session().computer().select(file);
         t.session().beginRenameComputerItem();
     },
     0, "a:b", "The name cannot contain “/” or “:”."},
    {"renameFloppyFile",
     [](DialogTest& t) {
         t.showFloppy({"BOULDER"}, 1);
         t.session().beginRenameFloppy();
     },
     0, "A NAME TOO LONG!!", "CBM names must be 16 characters or fewer."},
    {"newDiskImage", [](DialogTest& t) { t.session().showNewDiskSheet(); }, 0, "A,B",
     "Disk name cannot contain a comma."},
    {"formatFloppy", [](DialogTest& t) { t.session().beginFormat(); }, 1, "1",
     "Disk ID must be exactly 2 characters."},
};

class RefusedFieldTest : public DialogTest, public ::testing::WithParamInterface<RefusedCase> {};

} // namespace

TEST_P(RefusedFieldTest, StaysOpenWithTheMessageAndEveryWayOfClosingClearsTheRequest) {
    const RefusedCase& c = GetParam();
    const QList<std::function<void(DialogFrame*)>> closes{
        [](DialogFrame* d) { press(d, Qt::Key_Escape); },
        [](DialogFrame* d) { d->close(); },
        [](DialogFrame* d) {
            for (QAbstractButton* button : d->buttonBox()->buttons()) {
                if (d->buttonBox()->buttonRole(button) == QDialogButtonBox::RejectRole) {
                    button->click();
                }
            }
        },
    };
    for (qsizetype round = 0; round < allAppearances().size(); ++round) {
        Theme::shared().apply(allAppearances().at(round));
        c.open(*this);
        auto* sheet = shown<DialogFrame>();
        ASSERT_NE(sheet, nullptr);
        const QList<QLineEdit*> fields = sheet->findChildren<QLineEdit*>();
        EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
        EXPECT_EQ(sheet->focusWidget(), fields.first());
        EXPECT_FALSE(fields.first()->text().isEmpty());
        EXPECT_EQ(fields.first()->selectedText(), fields.first()->text());

        typeInto(fields.at(c.field), c.typed);
        press(sheet, Qt::Key_Return);
        settle();
        EXPECT_EQ(presenter->currentDialog(), sheet);
        EXPECT_EQ(sheet->error(), c.message);
        EXPECT_EQ(fields.at(c.field)->text(), c.typed);

        // Escape, the close button and Cancel in turn; the next round opens it again.
        closes.at(round)(sheet);
        EXPECT_TRUE(nothingShown());
        EXPECT_FALSE(anySheetRequested(session().sheets()));
    }
}

INSTANTIATE_TEST_SUITE_P(Each, RefusedFieldTest, ::testing::ValuesIn(refusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ASheetOpensOnALaterTurnAndClosesWhenTheSessionIsDone) {
    session().beginNewFolder();
    // Never from inside the change that asked for it.
    EXPECT_EQ(presenter->currentDialog(), nullptr);
    auto* sheet = shown<NamePromptSheet>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->confirmButton()->isDefault());
    typeInto(sheet->nameField(), "Demos");
    press(sheet, Qt::Key_Return);
    EXPECT_TRUE(nothingShown());
    EXPECT_TRUE(QDir(folder.filePath("Demos")).exists());

    // A request the session withdraws closes the sheet unanswered.
    session().beginNewFolder();
    ASSERT_NE(shown<NamePromptSheet>(), nullptr);
    session().sheets().setNamePrompt(std::nullopt);
    EXPECT_TRUE(nothingShown());
}

TEST_F(DialogTest, FormatSheetOffersFortyTracksOnlyWhereTheFormatToolServes) {
    for (const auto& [model, offered] :
         {std::pair{"1541", true}, {"1571", false}, {"1581", false}}) {
        SCOPED_TRACE(model);
        edit().setDriveModel(QString::fromLatin1(model));
        session().beginFormat();
        auto* sheet = shown<FormatDiskSheet>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(!sheet->extendedCheck()->isHidden(), offered);
        if (offered) {
            sheet->extendedCheck()->click();
            EXPECT_TRUE(session().sheets().formatExtended());
        }
        sheet->close();
        EXPECT_TRUE(nothingShown());
    }
}

namespace {

struct ConfirmationCase {
    const char* name;
    std::function<void(DialogTest&)> raise;
    bool (Confirmations::*requested)() const;
    ConfirmationText (Commands::*text)() const;

    friend void PrintTo(const ConfirmationCase& c, std::ostream* out) { *out << c.name; }
};

const ConfirmationCase confirmationCases[]{
    {"trashOneFile",
     [](DialogTest& t) {
         const QUrl url = t.makeFile("loader.prg");
         t.session().refreshLocalItems();
         t.session().computer().select(url);
         t.session().requestLocalDelete();
     },
     &Confirmations::showsLocalDeleteConfirmation, &Commands::computerDeleteConfirmation},
    {"deleteFromImage",
     [](DialogTest& t) {
         D64Builder image = D64Builder::create(QStringLiteral("GAMES"), QStringLiteral("01"));
         image.addFile(QStringLiteral("BOULDER"), CBMFileType::prg, QByteArray("\x01\x08xy"));
         t.session().openImage(t.makeFile("games.d64", image.data()));
         t.session().requestLocalDelete();
     },
     &Confirmations::showsLocalDeleteConfirmation, &Commands::computerDeleteConfirmation},
    {"scratchOne",
     [](DialogTest& t) {
         t.showFloppy({"BOULDER", "ELITE"}, 1);
         t.session().requestFloppyDelete();
     },
     &Confirmations::showsScratchConfirmation, &Commands::scratchConfirmation},
    {"overwriteFloppy",
     [](DialogTest& t) {
         t.edit().setPendingWriteURL(t.makeFile("games.d64"));
         t.session().confirmations().setShowsWriteConfirmation(true);
     },
     &Confirmations::showsWriteConfirmation, &Commands::writeConfirmation},
    {"imageCopyChoice",
     [](DialogTest& t) { t.session().intakeFilesForFloppy({t.makeFile("games.d64")}); },
     &Confirmations::showsImageCopyChoice, &Commands::imageCopyChoice},
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

TEST_P(ConfirmationTest, NeverDefaultsToTheDestructiveChoiceAndEveryWayOfClosingCancels) {
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
        Theme::shared().apply(allAppearances().at(way % allAppearances().size()));
        c.raise(*this);
        ASSERT_TRUE((session().confirmations().*c.requested)());
        auto* dialog = shown<ConfirmationDialog>();
        ASSERT_NE(dialog, nullptr);
        const ConfirmationText text = (session().commands().*c.text)();
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->title(), text.title);
        EXPECT_EQ(dialog->message(), text.message);
        EXPECT_EQ(dialog->confirmButton()->text(), text.confirmTitle);
        EXPECT_EQ(dialog->alternativeButton() != nullptr, !text.alternativeTitle.isEmpty());
        EXPECT_TRUE(dialog->confirmButton()->property("destructive").toBool());
        EXPECT_FALSE(dialog->confirmButton()->isDefault());
        EXPECT_TRUE(dialog->cancelButton()->isDefault());
        EXPECT_EQ(dialog->focusWidget(), dialog->cancelButton());

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
        c.raise(*this);
        auto* dialog = shown<ConfirmationDialog>();
        ASSERT_NE(dialog, nullptr);
        if (alternative && dialog->alternativeButton() == nullptr) {
            dialog->close();
            continue;
        }
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
    const qint64 number = edit().beginOperation(OperationKind::readingDirectory, "Reading…");
    edit().setLastError(QStringLiteral("cbmctrl was not found."));
    EXPECT_TRUE(nothingShown());
    edit().endOperation(number);
    auto* alert = shown<ConfirmationDialog>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->confirmButton(), nullptr);
    EXPECT_TRUE(alert->cancelButton()->isDefault());
    EXPECT_FALSE(alert->detailsPanel()->isVisibleTo(alert)) << "no tool output, no details";
    // A newer error replaces the text of the open alert; a tool's words wait under Details.
    edit().reportError(OpenCBMError::executionFailed("cbmctrl", 1, "74,DRIVE NOT READY,00,00"));
    settle();
    EXPECT_EQ(alert->message(), *session().status().lastError());
    ASSERT_TRUE(alert->detailsPanel()->isVisibleTo(alert));
    EXPECT_FALSE(alert->detailsText()->isVisibleTo(alert));
    alert->detailsToggle()->click();
    EXPECT_TRUE(alert->detailsText()->isVisibleTo(alert));
    EXPECT_EQ(alert->detailsText()->toPlainText(), "74,DRIVE NOT READY,00,00");
    // Cleared by the session itself (a later success), the alert goes unanswered.
    edit().setLastError(std::nullopt);
    EXPECT_TRUE(nothingShown());
}

INSTANTIATE_TEST_SUITE_P(Each, ConfirmationTest, ::testing::ValuesIn(confirmationCases),
                         [](const auto& info) { return std::string(info.param.name); });
