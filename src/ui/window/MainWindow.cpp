#include "ui/window/MainWindow.h"

#include "session/VellumViewModel.h"
#include "ui/diskmap/DiskMapDock.h"
#include "ui/sheets/DialogPresenter.h"
#include "ui/window/CommandActions.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/Menus.h"
#include "ui/window/SecondaryWindows.h"

#include <QMenuBar>

namespace vellum {

MainWindow::MainWindow(VellumViewModel& session, QWidget* parent)
    : QMainWindow(parent), session(session), commands(new CommandActions(session, this)),
      commander(new CommanderFrame(session, *commands, this)),
      secondary(new SecondaryWindows(session, this)) {
    setWindowTitle(QStringLiteral("Vellum"));
    setObjectName(QStringLiteral("mainWindow"));
    buildMenus(*menuBar(), *commands);
    setCentralWidget(commander);
    setMinimumSize(windowMetrics::minimumWidth, windowMetrics::minimumHeight);
    resize(windowMetrics::defaultSize);
    new DiskMapDock(session.diskMap(), *this);
    dialogs = std::make_unique<DialogPresenter>(session, this);
    connect(commander, &CommanderFrame::firstPainted, this, &MainWindow::startUp);
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp() {
    if (started) {
        return;
    }
    started = true;
    session.startUp();
    emit startUpBegun();
}

} // namespace vellum
