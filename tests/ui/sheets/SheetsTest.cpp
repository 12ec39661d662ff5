#include "DialogFixture.h"
#include "ui/kit/Theme.h"
#include "ui/sheets/FormatDiskSheet.h"
#include "ui/sheets/NamePromptSheet.h"
#include "ui/sheets/NewDiskImageSheet.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

using namespace vellum;
using namespace vellum::testing;

namespace {

// Types over a field's whole text, as a user would.
void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

struct RefusedCase {
    const char* name;
    std::function<void(DialogTest&)> open;
    // The field to type into, of the sheet on screen.
    std::function<QLineEdit*(QDialog*)> field;
    QString typed;
    QString message;

    // Names the case in gtest's messages instead of dumping its bytes.
    friend void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }
};

QLineEdit* promptField(QDialog* d) {
    return static_cast<NamePromptSheet*>(d)->nameField();
}

const QList<RefusedCase>& refusedCases() {
    static const QList<RefusedCase> cases{
        {"emptyFolderName", [](DialogTest& t) { t.session().beginNewFolder(); }, promptField, "",
         "Enter a name."},
        {"dotDotFolder", [](DialogTest& t) { t.session().beginNewFolder(); }, promptField, "..",
         "That name is not allowed."},
        {"longFloppyName",
         [](DialogTest& t) {
             t.showFloppy({"BOULDER"}, 1);
             t.session().beginRenameFloppy();
         },
         promptField, "ABCDEFGHIJKLMNOPQ", "CBM names must be 16 characters or fewer."},
        {"commaInNewDiskName", [](DialogTest& t) { t.session().showNewDiskSheet(); },
         [](QDialog* d) { return static_cast<NewDiskImageSheet*>(d)->nameField(); }, "A,B",
         "Disk name cannot contain a comma."},
        {"shortFormatID", [](DialogTest& t) { t.session().beginFormat(); },
         [](QDialog* d) { return static_cast<FormatDiskSheet*>(d)->idField(); }, "1",
         "Disk ID must be exactly 2 characters."},
    };
    return cases;
}

class RefusedFieldTest : public DialogTest, public ::testing::WithParamInterface<RefusedCase> {};

std::string caseName(const ::testing::TestParamInfo<RefusedCase>& info) {
    return info.param.name;
}

} // namespace

TEST_P(RefusedFieldTest, StaysOpenShowingTheMessageAndKeepsTheText) {
    const RefusedCase& c = GetParam();
    c.open(*this);
    auto* sheet = shown<DialogFrame>();
    ASSERT_NE(sheet, nullptr);
    QLineEdit* field = c.field(sheet);
    typeInto(field, c.typed);
    press(sheet, Qt::Key_Return);
    settle();
    EXPECT_EQ(presenter->currentDialog(), sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->error(), c.message);
    EXPECT_EQ(field->text(), c.typed);
    EXPECT_TRUE(session().status().isIdle());
}

INSTANTIATE_TEST_SUITE_P(Each, RefusedFieldTest, ::testing::ValuesIn(refusedCases()), caseName);

TEST_F(DialogTest, SheetsOpenOnALaterTurnWithTheFirstFieldSelected) {
    session().beginNewFolder();
    // Never from inside the change that asked for it.
    EXPECT_EQ(presenter->currentDialog(), nullptr);
    auto* sheet = shown<NamePromptSheet>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->title(), QStringLiteral("New Folder"));
    EXPECT_EQ(sheet->confirmButton()->text(), QStringLiteral("Create"));
    EXPECT_TRUE(sheet->confirmButton()->isDefault());
    EXPECT_EQ(sheet->focusWidget(), sheet->nameField());
    EXPECT_EQ(sheet->nameField()->text(), QStringLiteral("untitled folder"));
    EXPECT_EQ(sheet->nameField()->selectedText(), QStringLiteral("untitled folder"));
    EXPECT_FALSE(sheet->error().has_value());
}

TEST_F(DialogTest, ConfirmedSheetsCloseWhenTheSessionIsDone) {
    session().beginNewFolder();
    auto* prompt = shown<NamePromptSheet>();
    ASSERT_NE(prompt, nullptr);
    typeInto(prompt->nameField(), "Demos");
    press(prompt, Qt::Key_Return);
    EXPECT_TRUE(nothingShown());
    EXPECT_TRUE(QDir(folder.filePath("Demos")).exists());

    session().showNewDiskSheet();
    auto* newDisk = shown<NewDiskImageSheet>();
    ASSERT_NE(newDisk, nullptr);
    typeInto(newDisk->nameField(), "games");
    newDisk->confirmButton()->click();
    EXPECT_TRUE(nothingShown());
    EXPECT_TRUE(QFile::exists(folder.filePath("games.d64")));
}

TEST_F(DialogTest, ClosedSheetsClearTheirRequestAndOpenAgain) {
    const QList<std::pair<const char*, std::function<void()>>> openers{
        {"format", [this] { session().beginFormat(); }},
        {"new disk", [this] { session().showNewDiskSheet(); }},
        {"new folder", [this] { session().beginNewFolder(); }},
    };
    const auto requested = [this] {
        const Sheets& sheets = session().sheets();
        return sheets.showsFormatSheet() || sheets.showsNewDiskSheet() ||
               sheets.namePrompt().has_value();
    };
    for (const auto& [name, open] : openers) {
        for (const bool byEscape : {true, false}) {
            SCOPED_TRACE(std::string(name) + (byEscape ? " by Escape" : " by close button"));
            open();
            QDialog* sheet = shown();
            ASSERT_NE(sheet, nullptr);
            if (byEscape)
                press(sheet, Qt::Key_Escape);
            else
                sheet->close();
            EXPECT_TRUE(nothingShown());
            EXPECT_FALSE(requested());
        }
    }
}

TEST_F(DialogTest, ARequestTheSessionWithdrawsClosesItsSheet) {
    showFloppy({"BOULDER"}, 1);
    session().beginNewFolder();
    ASSERT_NE(shown<NamePromptSheet>(), nullptr);
    // Another kind of prompt replaces the open one.
    session().sheets().setNamePrompt(NamePromptKind::renameFloppy);
    settle();
    auto* rename = qobject_cast<NamePromptSheet*>(presenter->currentDialog());
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->kind(), NamePromptKind::renameFloppy);
    EXPECT_EQ(rename->title(), QStringLiteral("Rename Floppy File"));
    session().sheets().setNamePrompt(std::nullopt);
    EXPECT_TRUE(nothingShown());
    EXPECT_FALSE(session().sheets().namePrompt().has_value());
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
        sheet->extendedCheck()->click();
        EXPECT_EQ(session().sheets().formatExtended(), true);
        sheet->close();
        EXPECT_TRUE(nothingShown());
    }
}

TEST_F(DialogTest, SelectAllInATextFieldSelectsItsText) {
    // The window's own Select All, as the menus install it.
    auto* selectAll = new QAction(window.get());
    selectAll->setShortcut(QKeySequence::SelectAll);
    selectAll->setShortcutContext(Qt::ApplicationShortcut);
    window->addAction(selectAll);
    int triggered = 0;
    QObject::connect(selectAll, &QAction::triggered, [&triggered] { ++triggered; });

    session().beginNewFolder();
    auto* sheet = shown<NamePromptSheet>();
    ASSERT_NE(sheet, nullptr);
    QLineEdit* field = sheet->nameField();
    field->end(false);
    ASSERT_FALSE(field->hasSelectedText());
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), field->text());
    EXPECT_EQ(triggered, 0);
}

TEST_F(DialogTest, AnOpenDialogTakesTheNewThemesColours) {
    session().showNewDiskSheet();
    QDialog* sheet = shown();
    ASSERT_NE(sheet, nullptr);
    QList<QColor> seen;
    for (const AppAppearance appearance : {AppAppearance::classicC64, AppAppearance::modernC64}) {
        Theme::shared().apply(appearance);
        settle();
        const QColor ground = sheet->grab().toImage().pixelColor(3, 3);
        EXPECT_EQ(ground.rgb(), Theme::shared().colors().dialog.rgb())
            << ground.name().toStdString();
        seen.append(ground);
    }
    EXPECT_NE(seen.first(), seen.last());
}

TEST_F(DialogTest, SheetsLookRightInEachTheme) {
    showFloppy({"BOULDER"}, 1);
    QFile(folder.filePath("loader.prg")).open(QIODevice::WriteOnly);
    session().refreshLocalItems();
    session().computer().select(QUrl::fromLocalFile(folder.filePath("loader.prg")));
    const auto refused = [this](QLineEdit* (*field)(QDialog*), const QString& typed) {
        return [this, field, typed] {
            typeInto(field(presenter->currentDialog()), typed);
            press(presenter->currentDialog(), Qt::Key_Return);
        };
    };
    const auto newDiskID = [](QDialog* d) { return static_cast<NewDiskImageSheet*>(d)->idField(); };
    struct Look {
        const char* name;
        std::function<void()> open;
        std::function<void()> then;
    };
    const QList<Look> looks{
        {"format", [this] { session().beginFormat(); }, {}},
        {"format-1571",
         [this] {
             edit().setDriveModel(QStringLiteral("1571"));
             session().beginFormat();
         },
         {}},
        {"new-disk", [this] { session().showNewDiskSheet(); }, {}},
        {"new-disk-refused", [this] { session().showNewDiskSheet(); }, refused(newDiskID, "1")},
        {"new-folder", [this] { session().beginNewFolder(); }, {}},
        {"rename-computer", [this] { session().beginRenameMac(); }, {}},
        {"rename-floppy", [this] { session().beginRenameFloppy(); }, {}},
        {"rename-floppy-refused", [this] { session().beginRenameFloppy(); },
         refused(promptField, "A NAME THAT IS FAR TOO LONG")},
    };
    for (const NamedTheme& theme : namedThemes()) {
        Theme::shared().apply(theme.appearance);
        for (const Look& look : looks) {
            SCOPED_TRACE(std::string(theme.name) + " " + look.name);
            edit().setDriveModel(QStringLiteral("1541"));
            look.open();
            QDialog* sheet = shown();
            ASSERT_NE(sheet, nullptr);
            if (look.then)
                look.then();
            saveScreenshot(sheet, theme, QString::fromLatin1(look.name));
            sheet->close();
            ASSERT_TRUE(nothingShown());
        }
    }
}
