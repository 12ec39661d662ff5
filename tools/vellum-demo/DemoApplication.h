#pragma once

#include "DemoFolder.h"

#include <QStringList>
#include <memory>

class QApplication;

namespace vellum {
class DesktopServices;
class MainWindow;
class VellumViewModel;
} // namespace vellum

namespace vellum::demo {

// Vellum as `vellum` starts it (the same set-up, session and window), with two differences:
// the OpenCBM tools are the substitute ones of the build tree, which work on the simulated
// bus of the demo folder, and the user settings live in the demo folder too, so the demo
// opens on its sample folder and never touches the user's own settings.
class DemoApplication {
public:
    // `folder` is prepared already. Without `desktop`, the real desktop (Qt's file dialogs,
    // notices, trash) serves the session, as in `vellum`.
    DemoApplication(QApplication& application, DemoFolder folder,
                    std::unique_ptr<DesktopServices> desktop = nullptr);
    ~DemoApplication();

    // Where the substitute tools are.
    static QStringList toolSearchPaths();

    const DemoFolder& folder() const { return paths; }
    VellumViewModel& session() { return *model; }
    MainWindow& window() { return *mainWindow; }
    DesktopServices& desktop() { return *services; }

private:
    DemoFolder paths;
    std::unique_ptr<DesktopServices> services;
    std::unique_ptr<VellumViewModel> model;
    std::unique_ptr<MainWindow> mainWindow;
};

} // namespace vellum::demo
