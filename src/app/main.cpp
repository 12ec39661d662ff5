#include "session/VellumViewModel.h"
#include "ui/desktop/ApplicationSetup.h"
#include "ui/desktop/QtDesktopServices.h"
#include "ui/window/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vellum::setUpApplication(application);
    vellum::QtDesktopServices desktop;
    vellum::VellumViewModel session(desktop);
    vellum::MainWindow window(session);
    desktop.setWindow(&window);
    window.show();
    return QApplication::exec();
}
