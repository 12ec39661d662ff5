#include "WindowFixture.h"

#include "ui/kit/IconButton.h"
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
