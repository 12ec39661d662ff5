#include "DialogFixture.h"
#include "ui/sheets/FormatDiskSheet.h"
#include "ui/sheets/NamePromptSheet.h"
#include "ui/sheets/NewDiskImageSheet.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

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

const RefusedCase cases[]{
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
    for (qsizetype round = 0; round < namedThemes().size(); ++round) {
        const auto& [appearance, theme] = namedThemes().at(round);
        SCOPED_TRACE(theme);
        Theme::shared().apply(appearance);
        c.open(*this);
        auto* sheet = shown<DialogFrame>();
        ASSERT_NE(sheet, nullptr);
        const QList<QLineEdit*> fields = sheet->findChildren<QLineEdit*>();
        EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
        EXPECT_EQ(sheet->focusWidget(), fields.first());
        EXPECT_FALSE(fields.first()->text().isEmpty());
        EXPECT_EQ(fields.first()->selectedText(), fields.first()->text());
        saveScreenshot(sheet, theme, c.name);

        typeInto(fields.at(c.field), c.typed);
        press(sheet, Qt::Key_Return);
        settle();
        EXPECT_EQ(presenter->currentDialog(), sheet);
        EXPECT_EQ(sheet->error(), c.message);
        EXPECT_EQ(fields.at(c.field)->text(), c.typed);
        saveScreenshot(sheet, theme, QString::fromLatin1(c.name) + "-refused");

        // Escape, the close button and Cancel in turn; the next round opens it again.
        closes.at(round)(sheet);
        EXPECT_TRUE(nothingShown());
        EXPECT_FALSE(anySheetRequested(session().sheets()));
    }
}

INSTANTIATE_TEST_SUITE_P(Each, RefusedFieldTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ASheetOpensOnALaterTurnAndClosesWhenTheSessionIsDone) {
    session().beginNewFolder();
    // Never from inside the change that asked for it.
    EXPECT_EQ(presenter->currentDialog(), nullptr);
    auto* sheet = shown<NamePromptSheet>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->title(), QStringLiteral("New Folder"));
    EXPECT_TRUE(sheet->confirmButton()->isDefault());
    typeInto(sheet->nameField(), "Demos");
    press(sheet, Qt::Key_Return);
    EXPECT_TRUE(nothingShown());
    EXPECT_TRUE(QDir(folder.filePath("Demos")).exists());

    // A request the session withdraws or changes closes the sheet unanswered.
    showFloppy({"BOULDER"}, 1);
    session().beginNewFolder();
    ASSERT_NE(shown<NamePromptSheet>(), nullptr);
    session().sheets().setNamePrompt(NamePromptKind::renameFloppy);
    settle();
    auto* rename = qobject_cast<NamePromptSheet*>(presenter->currentDialog());
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->title(), QStringLiteral("Rename Floppy File"));
    session().sheets().setNamePrompt(std::nullopt);
    EXPECT_TRUE(nothingShown());
}

TEST_F(DialogTest, FormatSheetOffersFortyTracksOnlyWhereTheFormatToolServes) {
    edit().setDeviceNumber(9);
    for (const auto& [model, offered] :
         {std::pair{"1541", true}, {"1571", false}, {"1581", false}}) {
        SCOPED_TRACE(model);
        edit().setDriveModel(QString::fromLatin1(model));
        session().beginFormat();
        auto* sheet = shown<FormatDiskSheet>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->message(),
                  QStringLiteral("This erases all files on the disk in drive 9."));
        EXPECT_EQ(!sheet->extendedCheck()->isHidden(), offered);
        if (offered) {
            sheet->extendedCheck()->click();
            EXPECT_TRUE(session().sheets().formatExtended());
        }
        sheet->close();
        EXPECT_TRUE(nothingShown());
    }
}

TEST_F(DialogTest, SelectAllInATextFieldSelectsItsText) {
    // The window's own Select All, as its menu installs it.
    QAction selectAll;
    selectAll.setShortcut(QKeySequence::SelectAll);
    selectAll.setShortcutContext(Qt::ApplicationShortcut);
    window->addAction(&selectAll);
    int triggered = 0;
    QObject::connect(&selectAll, &QAction::triggered, [&triggered] { ++triggered; });

    session().beginNewFolder();
    auto* sheet = shown<NamePromptSheet>();
    ASSERT_NE(sheet, nullptr);
    sheet->nameField()->end(false);
    ASSERT_FALSE(sheet->nameField()->hasSelectedText());
    press(sheet, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(sheet->nameField()->selectedText(), sheet->nameField()->text());
    EXPECT_EQ(triggered, 0);
}
