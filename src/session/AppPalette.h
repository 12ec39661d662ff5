#pragma once

#include "session/AppAppearance.h"

#include <QList>
#include <optional>

namespace vellum {

// The roles by which views ask for their colours.
enum class PaletteRole {
    windowBackground,
    panelBackground,
    deepPanelBackground,
    accentTone,
    strongFill,
    lightFill,
    secondaryText,
    brightText,
};

// Colours of the desktop that the "system" theme follows; the window maps them onto the
// platform's palette.
enum class SystemColor {
    windowBackground,
    controlBackground,
    accent,
    primaryLabel,
    secondaryLabel,
};

// One colour of a theme: fixed sRGB components (0-255), or a system colour, with opacity.
struct ThemeColor {
    std::optional<SystemColor> systemColor;
    int red = 0;
    int green = 0;
    int blue = 0;
    double opacity = 1.0;

    friend bool operator==(const ThemeColor&, const ThemeColor&) = default;
};

ThemeColor paletteColor(AppAppearance appearance, PaletteRole role);

// The C64-style status tones of the classic theme: cyan, yellow-green, green, red.
const QList<ThemeColor>& classicStatusTones();

// How the Settings view describes the themes.
QString appearanceDescription();

} // namespace vellum
