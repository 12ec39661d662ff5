#include "ui/desktop/ApplicationSetup.h"

#include "session/AppSettings.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QApplication>

namespace vellum {

void setUpApplication(QApplication& application) {
    // The organisation and name place the user defaults (~/.config/Vellum/Vellum.conf).
    QApplication::setOrganizationName(QStringLiteral("Vellum"));
    QApplication::setOrganizationDomain(QStringLiteral("vellum.app"));
    QApplication::setApplicationName(QStringLiteral("Vellum"));
    QApplication::setApplicationVersion(QStringLiteral(VELLUM_BUILD_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopEntryName));
    application.setWindowIcon(appLogoIcon());
    Theme::shared().follow(AppSettings::shared());
}

} // namespace vellum
