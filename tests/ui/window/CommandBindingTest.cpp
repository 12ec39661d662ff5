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

TEST_F(WindowTest, ButtonsAndMenuLinesFollowTheirCommands) {
    shown();
    using C = CommandId;
    const QList<CommandId> toolbars{
        C::parentFolder,   C::refresh,       C::openFolder,   C::newFolder,   C::renameLocal,
        C::deleteLocal,    C::readDirectory, C::saveD64,      C::writeD64,    C::formatFloppy,
        C::initializeDisk, C::resetBus,      C::renameFloppy, C::deleteFloppy};
    const CommandRegistry& registry = session().commandRegistry();
    TransferControls* arrows = frame().transferControls();
    for (const bool busy : {false, true}) {
        SCOPED_TRACE(busy ? "busy" : "idle");
        selectComputer({"a.prg"});
        showFloppy({"A", "B"}, 1);
        if (busy) {
            StateEditor(session()).beginOperation(OperationKind::copyingFiles, "Copying…");
        }
        QApplication::processEvents();
        QList<QAbstractButton*> buttons;
        for (CompactActionButton* button : computerButtons() + floppyButtons()) {
            buttons << button;
        }
        buttons << arrows->toFloppy() << arrows->toComputer();
        const QList<CommandId> bound =
            toolbars + QList<CommandId>{C::copyToFloppy, C::copyToComputer};
        ASSERT_EQ(buttons.size(), bound.size());
        for (qsizetype i = 0; i < bound.size(); ++i) {
            const CommandId id = bound.at(i);
            EXPECT_EQ(buttons.at(i)->isEnabled(), registry.isEnabled(id)) << int(id);
            const QString help = registry.help(id);
            EXPECT_TRUE(
                buttons.at(i)->toolTip().endsWith(help.isEmpty() ? buttons.at(i)->text() : help))
                << int(id);
            if (i < toolbars.size()) {
                EXPECT_EQ(buttons.at(i)->text(), registry.buttonTitle(id)) << int(id);
            }
        }
        for (const CommandId id : registry.ids()) {
            EXPECT_EQ(actions().action(id)->isEnabled(), registry.isEnabled(id)) << int(id);
            EXPECT_EQ(actions().action(id)->text(), registry.title(id)) << int(id);
        }
        EXPECT_EQ(busy, !computerButtons().at(1)->isEnabled()) << "Refresh waits for the slot";
    }
    // The commander keys work without a menu line.
    EXPECT_TRUE(window->actions().contains(actions().action(C::renameInFocusedPane)));
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
    EXPECT_EQ(actions().action(CommandId::stop)->text(), "Stop");
    QTest::keyClick(field, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(counter.escapes, 1);
    EXPECT_TRUE(session().status().isStopping());
    EXPECT_EQ(stop->text(), "Force");
    EXPECT_EQ(stop->toolTip(), "Force-stop the hung OpenCBM process");
    EXPECT_EQ(actions().action(CommandId::stop)->text(), "Force Stop");
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
    actions().action(CommandId::selectAll)->trigger();
    EXPECT_EQ(field->selectedText(), "GAMES");
    EXPECT_TRUE(session().computer().selectedLocalURLs().isEmpty());

    // In a pane it selects the pane's rows.
    frame().computerPane().list->setFocus();
    session().window().setFocusedPane(CommanderPane::computer);
    QTest::keySequence(window.get(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(session().computer().selectedLocalURLs().size(),
              session().computer().visibleLocalItems().size());
}
