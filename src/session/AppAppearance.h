#pragma once

#include <QList>
#include <QString>

namespace vellum {

// The colour theme.
enum class AppAppearance {
    classicC64,
    modernC64,
    system,
};

const QList<AppAppearance>& allAppearances();

// The text stored in the user defaults ("classicC64", "modernC64", "system").
QString storedText(AppAppearance appearance);

// What the Settings view shows ("Classic C64", "Modern C64", "System").
QString displayName(AppAppearance appearance);

// How the Settings view describes the themes.
QString appearanceDescription();

// Reads a stored text; "c64" of earlier versions and anything unknown read as modernC64.
AppAppearance appearanceFromStoredText(const QString& text);

} // namespace vellum
