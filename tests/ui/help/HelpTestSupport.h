#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vellum::testing {

inline QString screenshotPath(const QString& name) {
    return QStringLiteral(VELLUM_SCREENSHOT_DIR "/") + name;
}

// Points the user defaults at a fresh temporary folder.
class IsolatedSettings {
public:
    IsolatedSettings() {
        QCoreApplication::setOrganizationName(QStringLiteral("VellumTests"));
        QCoreApplication::setApplicationName(QStringLiteral("help_tests"));
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
