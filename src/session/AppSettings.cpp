#include "session/AppSettings.h"

#include <QSettings>

namespace vellum {

AppSettings::AppSettings(QObject* parent)
    : QObject(parent),
      current(appearanceFromStoredText(QSettings().value(settingsKey()).toString())) {}

AppSettings& AppSettings::shared() {
    static AppSettings* instance = new AppSettings();
    return *instance;
}

void AppSettings::setAppearance(AppAppearance appearance) {
    QSettings().setValue(settingsKey(), storedText(appearance));
    if (appearance == current) {
        return;
    }
    current = appearance;
    emit appearanceChanged();
}

} // namespace vellum
