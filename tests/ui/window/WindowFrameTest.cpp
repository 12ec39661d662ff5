#include "WindowFixture.h"

#include "model/OpenCBMError.h"
#include "ui/kit/AppBrandMark.h"
#include "ui/kit/IconButton.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/window/BottomStatusBar.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/DrivePicker.h"
#include "ui/window/SecondaryWindows.h"
#include "ui/window/StatusControls.h"
#include "ui/window/StatusPanel.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QTest>

using namespace vellum;
using namespace vellum::testing;

TEST_F(WindowTest, ArrangesItselfForTheWidth) {
    struct Case {
        int width;
        bool forced;
        StatusPlacement placement;
        int padding;
        bool compactBrand;
        QString toggleHelp; // empty: no toggle
    };
    using enum StatusPlacement;
    const QList<Case> cases{
        {1280, false, column, 20, false, ""},
        {1100, false, column, 20, false, ""},
        {1099, false, bottomBar, 20, true, "Show status"},
        {1099, true, floating, 20, false, "Hide status"},
        {900, false, bottomBar, 20, true, "Show status"},
        {899, false, bottomBar, 12, true, "Show status"},
        {760, false, bottomBar, 12, true, "Show status"},
        {899, true, floating, 12, false, "Hide status"},
        {1100, true, column, 20, false, ""},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(
            QString("%1%2").arg(probe.width).arg(probe.forced ? " forced" : "").toStdString());
        session().window().setStatusSidebarForced(probe.forced);
        shown(probe.width);
        ASSERT_EQ(frame().width(), probe.width);
        EXPECT_EQ(frame().currentLayout().status, probe.placement);
        EXPECT_EQ(frame().layout()->contentsMargins().left(), probe.padding);
        EXPECT_EQ(frame().titleBar()->brandMark()->isCompact(), probe.compactBrand);
        IconButton* toggle = frame().titleBar()->statusToggle();
        EXPECT_EQ(toggle->isVisible(), !probe.toggleHelp.isEmpty());
        if (!probe.toggleHelp.isEmpty()) {
            EXPECT_EQ(toggle->toolTip(), probe.toggleHelp);
        }

        StatusPanel* panel = frame().statusPanel();
        EXPECT_EQ(panel->isVisible(), probe.placement != bottomBar);
        EXPECT_EQ(frame().bottomBar()->isVisible(), probe.placement == bottomBar);
        EXPECT_EQ(frame().floatingPanel()->isVisible(), probe.placement == floating);
        EXPECT_EQ(panel->width(), 260);
        const QRect floppy = frame().floppyPane().widget->geometry();
        const QRect computer = frame().computerPane().widget->geometry();
        // The panes share the width and stay clear of the edges and of the status column.
        EXPECT_LE(std::abs(floppy.width() - computer.width()), 1);
        EXPECT_EQ(computer.left(), probe.padding);
        const QRect status = panel->mapTo(&frame(), QPoint(0, 0)).isNull()
                                 ? QRect()
                                 : QRect(panel->mapTo(&frame(), QPoint(0, 0)), panel->size());
        if (probe.placement == column) {
            EXPECT_LT(floppy.right(), status.left());
            EXPECT_EQ(status.right(), probe.width - probe.padding - 1);
        } else {
            EXPECT_EQ(floppy.right(), probe.width - probe.padding - 1);
        }
        if (probe.placement == floating) {
            // Over the floppy pane, inside the window.
            EXPECT_TRUE(floppy.intersects(frame().floatingPanel()->geometry()));
            EXPECT_LE(frame().floatingPanel()->geometry().right(), probe.width - probe.padding);
        }
    }
    frame().titleBar()->brandMark()->click();
    EXPECT_TRUE(session().window().showsAbout());
    // The toggle flips the forced panel.
    shown(1000);
    const bool before = session().window().statusSidebarForced();
    frame().titleBar()->statusToggle()->click();
    EXPECT_NE(session().window().statusSidebarForced(), before);
}

TEST_F(WindowTest, StatusTextsAreVisibleInEveryLayout) {
    shown(1280);
    // Started without the tools: the adapter card tells what is missing.
    const DriveState& drives = session().drives();
    StatusPanel* panel = frame().statusPanel();
    EXPECT_FALSE(drives.zoomFloppyDetected());
    EXPECT_EQ(panel->adapterTitle()->text(), "ZoomFloppy not found");
    EXPECT_EQ(panel->adapterDetail()->text(), drives.zoomFloppyDetail());
    EXPECT_TRUE(panel->adapterDetail()->isVisible());
    EXPECT_TRUE(drives.zoomFloppyDetail().contains("OpenCBM"))
        << drives.zoomFloppyDetail().toStdString();
    EXPECT_NE(panel->adapterDetail()->text(), "The drive is ready.");
    EXPECT_EQ(panel->driveTitle()->fullText(), drives.driveTitle());
    EXPECT_EQ(panel->driveDetail()->text(), drives.driveDetail());

    // A long headline is shortened on the card and whole in its tooltip, and the same
    // headline runs along the bottom bar.
    // The operation card keeps its size and its headline its place when Stop appears.
    const QString longHeadline =
        "Copying 3 of 12: “A VERY LONG FILE NAME THAT DOES NOT FIT IN THE PANEL AT ALL”…";
    QWidget* operationCard = panel->headline()->parentWidget();
    // Wrapped texts above the card settle over more than one layout pass, later on a busy
    // machine: compare places only once they have stopped changing.
    const auto settledPlaces = [&] {
        QPair<QRect, QRect> last;
        QElapsedTimer clock;
        clock.start();
        for (int stable = 0; stable < 5 && clock.elapsed() < 3000;) {
            QTest::qWait(10);
            const QPair<QRect, QRect> now{operationCard->geometry(), panel->headline()->geometry()};
            stable = now == last ? stable + 1 : 0;
            last = now;
        }
        return last;
    };
    const QPair<QRect, QRect> idlePlaces = settledPlaces();
    EXPECT_FALSE(panel->stopButton()->isVisible());
    StateEditor(session()).beginOperation(OperationKind::copyingFiles, longHeadline);
    StateEditor(session()).setProgress(0.42);
    const QPair<QRect, QRect> busyPlaces = settledPlaces();
    EXPECT_TRUE(panel->stopButton()->isVisible());
    EXPECT_EQ(busyPlaces.first, idlePlaces.first);
    EXPECT_EQ(busyPlaces.second, idlePlaces.second);
    EXPECT_EQ(panel->headline()->fullText(), longHeadline);
    EXPECT_TRUE(panel->headline()->isClamped());
    EXPECT_EQ(panel->headline()->toolTip(), longHeadline);
    EXPECT_EQ(panel->operationWord()->text(), label(OperationKind::copyingFiles));
    EXPECT_EQ(panel->readiness()->text(), "BUSY.");
    EXPECT_EQ(panel->percentage()->text(), "42%");
    EXPECT_DOUBLE_EQ(panel->progressBar()->progress(), 0.42);
    BottomStatusBar* bar = frame().bottomBar();
    EXPECT_EQ(bar->headline()->fullText(), longHeadline);
    EXPECT_EQ(bar->readiness()->text(), "BUSY.");
    EXPECT_DOUBLE_EQ(bar->progressBar()->progress(), 0.42);
    StateEditor(session()).endOperation();
    QApplication::processEvents();
    EXPECT_EQ(panel->readiness()->text(), "READY.");
}

TEST(DrivePickerEntries, ShowsTheCurrentDriveEvenWhenTheBusDidNotList) {
    const QList<DriveInfo> detected{{9, "1541", {}, true}, {11, "1571", {}, true}};
    struct Case {
        QList<DriveInfo> drives;
        qint64 current;
        QList<qint64> numbers;
        QString currentText;
    };
    const QList<Case> cases{
        {{}, 8, {8}, "Drive 8"},
        {detected, 9, {9, 11}, DriveInfo{9, "1541", {}, true}.title()},
        {detected, 10, {9, 10, 11}, "Drive 10"},
        {detected, 12, {9, 11, 12}, "Drive 12"},
    };
    for (const Case& probe : cases) {
        QList<qint64> numbers;
        QString currentText;
        for (const DrivePickerEntry& entry : drivePickerEntries(probe.drives, probe.current)) {
            numbers << entry.deviceNumber;
            if (entry.deviceNumber == probe.current) {
                currentText = entry.text;
            }
        }
        EXPECT_EQ(numbers, probe.numbers) << probe.current;
        EXPECT_EQ(currentText, probe.currentText) << probe.current;
    }
}

TEST_F(WindowTest, RefillingTheDrivePickerSelectsNoDrive) {
    shown();
    DrivePicker* picker = frame().statusPanel()->drivePicker();
    StateEditor(session()).setDeviceNumber(10);
    QApplication::processEvents();
    EXPECT_EQ(picker->currentText(), "Drive 10");
    EXPECT_EQ(session().drives().deviceNumber(), 10);
    EXPECT_TRUE(session().status().isIdle());

    // Only the user's choice selects a drive.
    StateEditor(session()).setDeviceNumber(8);
    QApplication::processEvents();
    EXPECT_EQ(picker->count(), 1);
    EXPECT_TRUE(session().status().isIdle());
    EXPECT_EQ(session().drives().deviceNumber(), 8);
}

// The C64 sheets pad the list's rows; the list still opens with room for every drive.
TEST_F(WindowTest, TheDrivePickersListShowsEveryDrive) {
    shown();
    DrivePicker* picker = frame().statusPanel()->drivePicker();
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
                << storedText(look).toStdString() << " row " << row << " ends at " << shown.bottom()
                << " of " << list->viewport()->height();
        }
        picker->hidePopup();
    }
    Theme::shared().apply(AppAppearance::modernC64);
}

TEST_F(WindowTest, AboutHelpAndPreferencesOpenOnRequestAndReopenAfterClosing) {
    shown();
    SecondaryWindows& windows = window->secondaryWindows();
    struct Case {
        const char* name;
        std::function<void(bool)> request;
        std::function<bool()> requested;
        std::function<QDialog*()> opened;
    };
    WindowState& state = session().window();
    const QList<Case> cases{
        {"about", [&](bool on) { state.setShowsAbout(on); }, [&] { return state.showsAbout(); },
         [&] { return windows.about(); }},
        {"help", [&](bool on) { state.setShowsHelp(on); }, [&] { return state.showsHelp(); },
         [&] { return windows.help(); }},
        {"preferences", [&](bool on) { state.setShowsSettings(on); },
         [&] { return state.showsSettings(); }, [&] { return windows.preferences(); }},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(probe.name);
        for (int round = 0; round < 2; ++round) {
            probe.request(true);
            // Opened on the next turn of the event loop, not inside the change.
            EXPECT_EQ(probe.opened(), nullptr);
            QApplication::processEvents();
            ASSERT_NE(probe.opened(), nullptr);
            EXPECT_TRUE(probe.opened()->isVisible());
            EXPECT_EQ(probe.opened()->parentWidget(), window.get());
            // Escape, the close button and the window manager all reject.
            probe.opened()->reject();
            QApplication::processEvents();
            EXPECT_FALSE(probe.requested());
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
    EXPECT_TRUE(window->hasStarted());
    window->hide();
    shown();
    EXPECT_EQ(begun.count(), 1);
    // The start-up listed the folder and ran the quiet detection.
    EXPECT_FALSE(session().computer().computerItems().isEmpty());
    EXPECT_EQ(session().drives().driveTitle(), "Drive 8 — Offline");
    EXPECT_FALSE(session().status().lastError().has_value());
}
