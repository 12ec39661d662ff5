#include "WindowFixture.h"

#include "ui/kit/TransferArrowButton.h"
#include "ui/window/StatusControls.h"
#include "ui/window/StatusPanel.h"
#include "ui/window/TransferControls.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace vellum;
using namespace vellum::testing;

namespace {

// "1" for an enabled button, "0" for a dimmed one, in row order.
QString enabledPattern(const QList<CompactActionButton*>& buttons) {
    QString pattern;
    for (const CompactActionButton* button : buttons) {
        pattern += button->isEnabled() ? u'1' : u'0';
    }
    return pattern;
}

} // namespace

TEST_F(WindowTest, ToolbarsAndArrowsFollowTheSessionInEveryState) {
    shown();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString computer; // Up, Refresh, Open, New Folder, Rename, Delete
        QString floppy;   // Directory, Save, Write, Format, Init, Reset, Rename, Delete
        QString arrows;   // to the floppy, to the computer
        QString upHelp;
        QString deleteHelp;
        QString toComputerHelp;
    };
    const QString parent = "Parent folder", close = "Close this image";
    const QString trash = "Move selected files to Trash";
    const QString fromImage = "Delete selected files from this disk image";
    const QString toFolder = "Copy selected floppy file(s) to the computer folder";
    const QString intoD64 = "Copy selected floppy file(s) into this D64";
    const QList<Case> cases{
        {"idle, nothing selected",
         [&] {
             selectComputer({}), showFloppy({"A", "B"}, 0);
         },
         "111100", "11111100", "00", parent, trash, toFolder},
        {"idle, one each",
         [&] {
             selectComputer({"a.prg"}), showFloppy({"A", "B"}, 1);
         },
         "111111", "11111111", "11", parent, trash, toFolder},
        {"idle, two each",
         [&] {
             selectComputer({"a.prg", "b.prg"}), showFloppy({"A", "B"}, 2);
         },
         "111101", "11111101", "11", parent, trash, toFolder},
        {"busy, one each",
         [&] {
             selectComputer({"a.prg"});
             showFloppy({"A", "B"}, 1);
             StateEditor(session()).beginOperation(OperationKind::copyingFiles, "Copying…");
         },
         "101000", "00000000", "00", parent, trash, toFolder},
        {"D64 open, one each",
         [&] {
             StateEditor(session()).endOperation();
             session().openImage(url("games.d64"));
             selectComputer({"ONE"});
             showFloppy({"A", "B"}, 1);
         },
         "111001", "11111111", "11", close, fromImage, intoD64},
        {"T64 open, one each",
         [&] {
             session().goUp();
             session().openImage(url("tape.t64"));
             selectComputer({"HELLO"});
         },
         "111000", "11111111", "11", close, trash, toFolder},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(probe.name);
        probe.arrange();
        QApplication::processEvents();
        EXPECT_EQ(enabledPattern(computerButtons()), probe.computer);
        EXPECT_EQ(enabledPattern(floppyButtons()), probe.floppy);
        TransferControls* arrows = frame().transferControls();
        EXPECT_EQ(QString("%1%2")
                      .arg(int(arrows->toFloppy()->isEnabled()))
                      .arg(int(arrows->toComputer()->isEnabled())),
                  probe.arrows);
        EXPECT_EQ(computerButtons().at(0)->toolTip(), probe.upHelp);
        EXPECT_EQ(computerButtons().at(5)->toolTip(), probe.deleteHelp);
        EXPECT_EQ(arrows->toComputer()->toolTip(), probe.toComputerHelp);
        // The menu's Drive commands after Stop follow the slot alone.
        const bool idle = session().status().isIdle();
        for (Command command : {Command::detect, Command::readDirectory, Command::saveD64,
                                Command::convertT64, Command::resetBus}) {
            EXPECT_EQ(actions().action(command)->isEnabled(), idle) << int(command);
        }
        EXPECT_EQ(actions().action(Command::stop)->isEnabled(), !idle);
    }
}

TEST_F(WindowTest, ToolbarTooltipsAreTheCommandsHelp) {
    shown();
    const QStringList computer{"Parent folder",
                               "Refresh this folder",
                               "Open folder",
                               "New folder in this directory",
                               "Rename selected file or folder",
                               "Move selected files to Trash"};
    const QStringList floppy{
        "Directory",
        "Save the floppy as a .d64 image",
        "Write a .d64 image to the floppy",
        "Erase the floppy and write a new filesystem. This destroys all files.",
        "Initialize the disk in the selected drive (DOS I0). Re-reads BAM, disk name and ID "
        "after swapping a floppy. Does not format or erase files.",
        "Reset all devices on the IEC bus, then initialize the selected drive.",
        "Rename selected file on floppy (DOS R0)",
        "Delete selected file from floppy"};
    QStringList titles;
    for (CompactActionButton* button : computerButtons() + floppyButtons()) {
        titles << button->text();
    }
    EXPECT_EQ(titles.join('|'), "Up|Refresh|Open|New Folder|Rename|Delete|Directory|Save|Write|"
                                "Format|Init|Reset|Rename|Delete");

    // Both rows drop their titles together, and then each tooltip names its button.
    for (const int width : {1280, 1099, 899, 760}) {
        shown(width);
        auto* computerRow = static_cast<ToolbarRow*>(frame().computerToolbar());
        const bool titled = computerRow->showsTitles();
        EXPECT_EQ(static_cast<ToolbarRow*>(frame().floppyToolbar())->showsTitles(), titled)
            << width;
        qsizetype index = 0;
        for (CompactActionButton* button : computerButtons() + floppyButtons()) {
            EXPECT_EQ(button->showsTitle(), titled) << width;
            const QString help = (computer + floppy).at(index++);
            const QString expected =
                titled || help == button->text() ? help : button->text() + "\n" + help;
            EXPECT_EQ(button->toolTip(), expected) << width;
        }
    }
    EXPECT_FALSE(static_cast<ToolbarRow*>(frame().computerToolbar())->showsTitles())
        << "760 is too narrow for the floppy titles";
    EXPECT_EQ(frame().transferControls()->toFloppy()->toolTip(),
              "Copy selected computer file(s) to floppy");
}

TEST_F(WindowTest, MenusHoldEveryCommandWithItsShortcut) {
    shown();
    // One line per menu: its items, each with "=" and its keys if it has any, "--" for a
    // separator.
    QStringList lines;
    for (QAction* menu : window->menuBar()->actions()) {
        QStringList items{menu->text()};
        for (QAction* item : menu->menu()->actions()) {
            const QString keys = item->shortcut().toString();
            items << (item->isSeparator() ? QStringLiteral("--")
                                          : item->text() + (keys.isEmpty() ? "" : "=" + keys));
        }
        lines << items.join(QStringLiteral(" | "));
    }
    EXPECT_EQ(
        lines.join(u'\n'),
        QStringLiteral(
            R"(&File | New Disk Image…=Ctrl+N | New Folder=Ctrl+Shift+N | -- | Rename… | Move to Trash…=Del | -- | Quit=Ctrl+Q
&Edit | Select All=Ctrl+A | -- | Preferences…
&Drive | Stop=Esc | -- | Detect=Ctrl+D | Read Directory=Ctrl+L | -- | Save .d64…=Ctrl+R | Write D64…=Ctrl+E | Copy Files to Floppy…=Ctrl+O | Copy File to Computer=Ctrl+Shift+S | Convert T64 to D64 | -- | Rename File… | Delete File… | Validate Disk | -- | Initialize Disk=Ctrl+I | Format Floppy… | -- | Reset Bus=Ctrl+K
&View | Show Status
&Help | Vellum Help=F1 | -- | Report a Bug… | Suggest a Feature… | Contact… | -- | About Vellum)"));
    // The commander keys live in the window without a menu line.
    for (const auto& [command, keys] :
         QList<std::pair<Command, QString>>{{Command::renameInFocusedPane, "F2"},
                                            {Command::refresh, "F5"},
                                            {Command::parentFolder, "Alt+Up"}}) {
        EXPECT_EQ(actions().action(command)->shortcut().toString(), keys);
        EXPECT_TRUE(window->actions().contains(actions().action(command)));
    }
}

TEST_F(WindowTest, KeysReachTheirCommands) {
    shown();
    selectComputer({"a.prg"});
    showFloppy({"A", "B"}, 1);
    QApplication::processEvents();
    window->activateWindow();
    frame().computerPane().list->setFocus();
    struct Case {
        QKeySequence keys;
        std::function<bool()> happened;
    };
    const QList<Case> cases{
        {QKeySequence("F2"),
         [&] { return session().sheets().namePrompt() == NamePromptKind::renameComputerItem; }},
        {QKeySequence("Ctrl+Shift+N"),
         [&] { return session().sheets().namePrompt() == NamePromptKind::newFolder; }},
        {QKeySequence("Ctrl+N"), [&] { return session().sheets().showsNewDiskSheet(); }},
        {QKeySequence("Del"),
         [&] { return session().confirmations().showsLocalDeleteConfirmation(); }},
        {QKeySequence("F1"), [&] { return session().window().showsHelp(); }},
        {QKeySequence("Alt+Up"), [&] { return session().computer().computerFolder() != folder(); }},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(probe.keys.toString().toStdString());
        session().sheets().setNamePrompt(std::nullopt);
        QTest::keySequence(window.get(), probe.keys);
        EXPECT_TRUE(probe.happened());
    }
}

TEST_F(WindowTest, EscapeStopsWhileBusyAndPassesThroughWhenIdle) {
    shown();
    auto* field = new QLineEdit(&frame());
    field->setGeometry(0, 0, 100, 20);
    field->show();
    field->setFocus();
    // Idle: the focused widget gets Escape (a line edit passes it to its parent, which a
    // dialog would take as cancel); nothing is stopped.
    class KeyCounter : public QObject {
    public:
        int escapes = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                ++escapes;
            }
            return false;
        }
    } counter;
    field->installEventFilter(&counter);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(counter.escapes, 1);
    EXPECT_FALSE(session().status().isStopping());

    // Busy: Escape stops, and the Stop control turns into Force.
    StateEditor(session()).beginOperation(OperationKind::copyingFiles, "Copying 2 files…");
    QApplication::processEvents();
    StopButton* stop = frame().statusPanel()->stopButton();
    EXPECT_TRUE(stop->isVisible());
    EXPECT_EQ(stop->text(), "Stop");
    EXPECT_EQ(stop->toolTip(),
              "Stop the current transfer. Press again if the drive does not respond.");
    EXPECT_EQ(actions().action(Command::stop)->text(), "Stop");
    QTest::keyClick(field, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(counter.escapes, 1);
    EXPECT_TRUE(session().status().isStopping());
    EXPECT_EQ(stop->text(), "Force");
    EXPECT_EQ(stop->toolTip(), "Force-stop the hung OpenCBM process");
    EXPECT_EQ(actions().action(Command::stop)->text(), "Force Stop");
    EXPECT_EQ(frame().statusPanel()->operationWord()->text(), "Stopping…");
    StateEditor(session()).endOperation();
    QApplication::processEvents();
    EXPECT_FALSE(stop->isVisible());
}

TEST_F(WindowTest, SelectAllSelectsTheFieldsTextInATextField) {
    shown();
    auto* field = new QLineEdit(QStringLiteral("GAMES"), &frame());
    field->show();
    field->setFocus();
    field->deselect();
    QTest::keySequence(window.get(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(field->selectedText(), "GAMES");
    EXPECT_TRUE(session().computer().selectedLocalURLs().isEmpty());
    // From the menu as well.
    field->deselect();
    actions().action(Command::selectAll)->trigger();
    EXPECT_EQ(field->selectedText(), "GAMES");
    EXPECT_TRUE(session().computer().selectedLocalURLs().isEmpty());

    // In a pane it selects the pane's rows.
    frame().computerPane().list->setFocus();
    session().window().setFocusedPane(CommanderPane::computer);
    QTest::keySequence(window.get(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(session().computer().selectedLocalURLs().size(),
              session().computer().visibleLocalItems().size());
}
