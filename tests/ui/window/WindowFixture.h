#pragma once

#include "PaneFixture.h"
#include "StateEditor.h"

#include "ui/kit/CompactActionButton.h"
#include "ui/window/CommandActions.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ToolbarRow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <memory>

namespace vellum::testing {

// The main window over a session whose computer pane shows a folder with two programs, a
// disk image, a tape image and a subfolder; no OpenCBM tool is found.
class WindowTest : public PaneTest {
protected:
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        PaneTest::SetUp();
        put("a.prg", program(0x0801, pattern(300, 1)));
        put("b.prg", program(0x0801, pattern(600, 2)));
        put("games.d64", diskImage("GAMES", {{"ONE", CBMFileType::prg, program(0x0801, "x")},
                                             {"TWO", CBMFileType::prg, program(0x0801, "y")}}));
        put("tape.t64", tapeImage("TAPE", {{"HELLO", CBMFileType::prg, program(0x0801, "z")}}));
        QDir(folderDir.path()).mkdir(QStringLiteral("sub"));
    }
    void TearDown() override {
        window.reset();
        PaneTest::TearDown();
    }

    // The window shown at `width`, with the start-up done.
    MainWindow& shown(int width = 1280, int height = 640) {
        if (!window) {
            window = std::make_unique<MainWindow>(pane());
        }
        window->resize(width, height);
        window->show();
        settle();
        return *window;
    }

    // Runs the event loop until the session is idle and every queued update is through.
    void settle() {
        QElapsedTimer clock;
        clock.start();
        do {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        } while ((!session().status().isIdle() || (window && !window->hasStarted())) &&
                 clock.elapsed() < 5000);
        QApplication::processEvents();
    }

    CommanderFrame& frame() { return *window->frame(); }
    CommandActions& actions() { return window->commandActions(); }
    QList<CompactActionButton*> toolbarButtons() {
        return static_cast<ToolbarRow*>(frame().computerToolbar())->buttons() +
               static_cast<ToolbarRow*>(frame().floppyToolbar())->buttons();
    }

    // Selects the computer rows by name (none for an empty list).
    void selectComputer(const QStringList& names) {
        session().computer().clearSelection();
        for (const QString& name : names) {
            for (const ComputerFileItem& each : session().computer().visibleLocalItems()) {
                if (each.name == name) {
                    session().computer().click(each.url, {.command = true});
                }
            }
        }
    }
};

} // namespace vellum::testing
