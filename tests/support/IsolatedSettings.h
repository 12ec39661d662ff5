#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vellum::testing {

// Points the user defaults at a fresh temporary folder so no test reads or writes the real
// user's settings.
class IsolatedSettings {
public:
    IsolatedSettings() {
        QCoreApplication::setOrganizationName(QStringLiteral("VellumTests"));
        QCoreApplication::setApplicationName(QStringLiteral("vellum_tests"));
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
        QSettings().clear();
    }
    ~IsolatedSettings() { QSettings().clear(); }

private:
    QTemporaryDir folder;
};

} // namespace vellum::testing
