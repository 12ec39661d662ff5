#include "WindowFixture.h"

#include "ui/kit/AppBrandMark.h"
#include "ui/kit/IconButton.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/window/BottomStatusBar.h"
#include "ui/window/DrivePicker.h"
#include "ui/window/SecondaryWindows.h"
#include "ui/window/StatusControls.h"
#include "ui/window/StatusPanel.h"
#include "ui/window/TransferControls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

using namespace vellum;
using namespace vellum::testing;

TEST_F(WindowTest, ButtonsAndMenuLinesFollowTheirCommands) {
    shown();
    using C = CommandId;
    const QList<CommandId> bound{
        C::parentFolder, C::refresh,      C::openFolder,     C::newFolder,
        C::renameLocal,  C::deleteLocal,  C::readDirectory,  C::saveD64,
        C::writeD64,     C::formatFloppy, C::initializeDisk, C::resetBus,
        C::renameFloppy, C::deleteFloppy, C::copyToFloppy,   C::copyToComputer};
    const CommandRegistry& registry = session().commandRegistry();
    for (const bool busy : {false, true}) {
        SCOPED_TRACE(busy ? "busy" : "idle");
        selectComputer({"a.prg"});
        showFloppy({"A", "B"}, 1);
        if (busy) {
            StateEditor(session()).beginOperation(OperationKind::copyingFiles, "Copying…");
        }
        QApplication::processEvents();
        QList<QAbstractButton*> buttons;
        for (CompactActionButton* button : toolbarButtons()) {
            buttons << button;
        }
        buttons << frame().transferControls()->toFloppy()
                << frame().transferControls()->toComputer();
        ASSERT_EQ(buttons.size(), bound.size());
        for (qsizetype i = 0; i < bound.size(); ++i) {
            EXPECT_EQ(buttons.at(i)->isEnabled(), registry.isEnabled(bound.at(i))) << i;
        }
        for (const CommandId id : registry.ids()) {
            EXPECT_EQ(actions().action(id)->isEnabled(), registry.isEnabled(id)) << int(id);
            EXPECT_EQ(actions().action(id)->text(), registry.title(id)) << int(id);
        }
        EXPECT_EQ(busy, !toolbarButtons().at(1)->isEnabled()) << "Refresh waits for the slot";
    }
}

TEST_F(WindowTest, KeysReachTheirCommands) {
    shown();
    selectComputer({"a.prg"});
    showFloppy({"A", "B"}, 1);
    QApplication::processEvents();
    window->activateWindow();
    frame().computerPane().list->setFocus();
    const QList<std::pair<QKeySequence, std::function<bool()>>> cases{
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
    for (const auto& [keys, happened] : cases) {
        SCOPED_TRACE(keys.toString().toStdString());
        session().sheets().setNamePrompt(std::nullopt);
        QTest::keySequence(window.get(), keys);
        EXPECT_TRUE(happened());
    }
}

TEST_F(WindowTest, TheStatusFollowsTheOperationAndEscapeStopsItButOnlyIt) {
    shown(1280);
    // Started without the tools: the adapter card tells what is missing.
    StatusPanel* panel = frame().statusPanel();
    EXPECT_EQ(panel->adapterDetail()->text(), session().drives().zoomFloppyDetail());
    EXPECT_TRUE(session().drives().zoomFloppyDetail().contains("OpenCBM"));
    EXPECT_EQ(panel->driveTitle()->fullText(), session().drives().driveTitle());

    // Idle: the focused widget gets Escape (a dialog takes it as cancel); nothing is stopped.
    auto* field = new QLineEdit(&frame());
    field->show();
    field->setFocus();
    class KeyCounter : public QObject {
    public:
        int escapes = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            escapes += event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
            return false;
        }
    } counter;
    field->installEventFilter(&counter);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(counter.escapes, 1);
    EXPECT_FALSE(session().status().isStopping());

    // Busy: a long headline is shortened on the card, whole in its tooltip and on the bottom
    // bar; Escape stops, and the Stop control turns into Force.
    const QString longHeadline =
        "Copying 3 of 12: “A VERY LONG FILE NAME THAT DOES NOT FIT IN THE PANEL AT ALL”…";
    const QString idle = panel->readiness()->text();
    StopButton* stop = panel->stopButton();
    EXPECT_FALSE(stop->isVisible());
    StateEditor(session()).beginOperation(OperationKind::copyingFiles, longHeadline);
    StateEditor(session()).setProgress(0.42);
    QApplication::processEvents();
    EXPECT_TRUE(panel->headline()->isClamped());
    EXPECT_EQ(panel->headline()->toolTip(), longHeadline);
    EXPECT_NE(panel->readiness()->text(), idle);
    EXPECT_EQ(panel->percentage()->text(), "42%");
    EXPECT_EQ(frame().bottomBar()->headline()->fullText(), longHeadline);
    EXPECT_DOUBLE_EQ(frame().bottomBar()->progressBar()->progress(), 0.42);
    EXPECT_TRUE(stop->isVisible());
    const QString stopText = stop->text();
    QTest::keyClick(field, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(counter.escapes, 1);
    EXPECT_TRUE(session().status().isStopping());
    EXPECT_NE(stop->text(), stopText);
    StateEditor(session()).endOperation();
    QApplication::processEvents();
    EXPECT_FALSE(stop->isVisible());
    EXPECT_EQ(panel->readiness()->text(), idle);
}

TEST_F(WindowTest, TheStatusFindsItsPlaceForTheWidthAndThePanesShareTheRest) {
    using enum StatusPlacement;
    const QList<std::tuple<int, bool, StatusPlacement>> cases{
        {1280, false, column}, {1099, false, bottomBar}, {1099, true, floating}};
    for (const auto& [width, forced, placement] : cases) {
        session().window().setStatusSidebarForced(forced);
        shown(width);
        EXPECT_EQ(frame().currentLayout().status, placement) << width;
        EXPECT_EQ(frame().statusPanel()->isVisible(), placement != bottomBar) << width;
        EXPECT_EQ(frame().bottomBar()->isVisible(), placement == bottomBar) << width;
        const QRect floppy = frame().floppyPane().widget->geometry();
        EXPECT_LE(std::abs(floppy.width() - frame().computerPane().widget->width()), 1) << width;
        EXPECT_EQ(floppy.right() < frame().statusPanel()->mapTo(&frame(), QPoint()).x(),
                  placement == column)
            << width;
    }
    // The toggle in the title bar flips the forced panel; the brand mark asks for About.
    frame().titleBar()->statusToggle()->click();
    EXPECT_FALSE(session().window().statusSidebarForced());
    frame().titleBar()->brandMark()->click();
    EXPECT_TRUE(session().window().showsAbout());
}

TEST_F(WindowTest, TheDrivePickerListsEveryDriveAndRefillingItSelectsNone) {
    shown();
    DrivePicker* picker = frame().statusPanel()->drivePicker();
    StateEditor(session()).setDeviceNumber(10);
    QApplication::processEvents();
    EXPECT_EQ(picker->currentText(), "Drive 10");
    // Only the user's choice selects a drive.
    StateEditor(session()).setDeviceNumber(8);
    QApplication::processEvents();
    EXPECT_EQ(picker->count(), 1);
    EXPECT_TRUE(session().status().isIdle());
    EXPECT_EQ(session().drives().deviceNumber(), 8);

    // The C64 sheets pad the list's rows; the list still opens with room for every drive.
    for (const qint64 number : {9, 10, 11}) {
        picker->addItem(QStringLiteral("Drive %1 — 1541-II").arg(number));
    }
    for (const AppAppearance look : {AppAppearance::classicC64, AppAppearance::modernC64}) {
        Theme::shared().apply(look);
        picker->showPopup();
        QApplication::processEvents();
        const QAbstractItemView* list = picker->view();
        for (int row = 0; row < picker->count(); ++row) {
            const QRect shown = list->visualRect(picker->model()->index(row, 0));
            EXPECT_GE(shown.top(), 0) << storedText(look).toStdString() << " row " << row;
            EXPECT_LE(shown.bottom(), list->viewport()->height() - 1)
                << storedText(look).toStdString() << " row " << row;
        }
        picker->hidePopup();
    }
}

TEST_F(WindowTest, AboutHelpAndPreferencesOpenOnRequestAndReopenAfterClosing) {
    shown();
    SecondaryWindows& windows = window->secondaryWindows();
    WindowState& state = session().window();
    const QList<std::tuple<const char*, std::function<QDialog*()>>> cases{
        {"showsAbout", [&] { return windows.about(); }},
        {"showsHelp", [&] { return windows.help(); }},
        {"showsSettings", [&] { return windows.preferences(); }}};
    for (const auto& [property, opened] : cases) {
        for (int round = 0; round < 2; ++round) {
            state.setProperty(property, true);
            EXPECT_EQ(opened(), nullptr) << "opened on a later turn, not inside the change";
            QApplication::processEvents();
            ASSERT_NE(opened(), nullptr) << property;
            EXPECT_TRUE(opened()->isVisible());
            EXPECT_EQ(opened()->parentWidget(), window.get());
            // Escape, the close button and the window manager all reject.
            opened()->reject();
            QApplication::processEvents();
            EXPECT_FALSE(state.property(property).toBool()) << property;
        }
    }
    EXPECT_LE(window->findChildren<QDialog*>().size(), 3);
}

TEST_F(WindowTest, StartsTheSessionOnceAfterTheFirstPaint) {
    window = std::make_unique<MainWindow>(pane());
    QApplication::processEvents();
    EXPECT_FALSE(window->hasStarted());
    QSignalSpy begun(window.get(), &MainWindow::startUpBegun);
    shown();
    window->hide();
    shown();
    EXPECT_EQ(begun.count(), 1);
    // The start-up listed the folder and ran the quiet detection.
    EXPECT_FALSE(session().computer().computerItems().isEmpty());
    EXPECT_FALSE(session().status().lastError().has_value());
}
