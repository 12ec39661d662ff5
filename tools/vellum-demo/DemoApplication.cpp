#include "DemoApplication.h"

#include "session/VellumViewModel.h"
#include "ui/desktop/ApplicationSetup.h"
#include "ui/desktop/QtDesktopServices.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QSettings>

namespace vellum::demo {

namespace {

// Before anything reads a setting: every user-scope QSettings of this process (the theme,
// the last folder, Qt's own file dialog state) goes into the demo folder.
void keepSettingsIn(const DemoFolder& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.settings);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.settings);
}

} // namespace

QStringList DemoApplication::toolSearchPaths() {
    return {QStringLiteral(VELLUM_SIM_BIN_DIR)};
}

DemoApplication::DemoApplication(QApplication& application, DemoFolder folder,
                                 std::unique_ptr<DesktopServices> desktop)
    : paths(std::move(folder)) {
    keepSettingsIn(paths);
    setUpApplication(application);
    QSettings().setValue(QStringLiteral("localFolderPath"), paths.samples);
    // The substitute tools find their bus through the environment the session hands on.
    qputenv("OPENCBM_SIM_BUS", paths.bus.toLocal8Bit());

    QtDesktopServices* qtDesktop = nullptr;
    if (!desktop) {
        auto real = std::make_unique<QtDesktopServices>();
        qtDesktop = real.get();
        desktop = std::move(real);
    }
    services = std::move(desktop);
    model = std::make_unique<VellumViewModel>(*services, toolSearchPaths());
    mainWindow = std::make_unique<MainWindow>(*model);
    if (qtDesktop) {
        qtDesktop->setWindow(mainWindow.get());
    }
}

DemoApplication::~DemoApplication() = default;

} // namespace vellum::demo
