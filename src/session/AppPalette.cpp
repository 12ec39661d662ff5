#include "session/AppPalette.h"

#include <QCoreApplication>

#include <array>

namespace vellum {

namespace {

constexpr ThemeColor rgb(int red, int green, int blue, double opacity = 1.0) {
    return ThemeColor{std::nullopt, red, green, blue, opacity};
}

constexpr ThemeColor systemColor(SystemColor color, double opacity = 1.0) {
    return ThemeColor{color, 0, 0, 0, opacity};
}

struct RoleColors {
    PaletteRole role;
    ThemeColor classic;
    ThemeColor modern;
    ThemeColor system;
};

const std::array<RoleColors, 8>& paletteTable() {
    static const std::array<RoleColors, 8> table{{
        {PaletteRole::windowBackground, rgb(107, 143, 212), rgb(11, 20, 38),
         systemColor(SystemColor::windowBackground)},
        {PaletteRole::panelBackground, rgb(46, 74, 166), rgb(15, 28, 50),
         systemColor(SystemColor::controlBackground)},
        {PaletteRole::deepPanelBackground, rgb(36, 60, 146), rgb(18, 35, 58),
         systemColor(SystemColor::controlBackground)},
        {PaletteRole::accentTone, rgb(117, 206, 200), rgb(100, 181, 246),
         systemColor(SystemColor::accent, 0.85)},
        {PaletteRole::strongFill, rgb(58, 88, 184), rgb(26, 53, 84),
         systemColor(SystemColor::primaryLabel, 0.12)},
        {PaletteRole::lightFill, rgb(27, 50, 124), rgb(21, 42, 68),
         systemColor(SystemColor::primaryLabel, 0.06)},
        {PaletteRole::secondaryText, rgb(255, 255, 255, 0.78), rgb(79, 195, 247, 0.62),
         systemColor(SystemColor::secondaryLabel)},
        {PaletteRole::brightText, rgb(255, 255, 255, 0.82), rgb(129, 212, 250),
         systemColor(SystemColor::secondaryLabel)},
    }};
    return table;
}

} // namespace

ThemeColor paletteColor(AppAppearance appearance, PaletteRole role) {
    for (const RoleColors& colors : paletteTable()) {
        if (colors.role != role) {
            continue;
        }
        switch (appearance) {
        case AppAppearance::classicC64:
            return colors.classic;
        case AppAppearance::modernC64:
            return colors.modern;
        case AppAppearance::system:
            return colors.system;
        }
    }
    return rgb(0, 0, 0);
}

const QList<ThemeColor>& classicStatusTones() {
    static const QList<ThemeColor> tones{rgb(117, 206, 200), rgb(191, 206, 114), rgb(86, 172, 77),
                                         rgb(184, 105, 98)};
    return tones;
}

QString appearanceDescription() {
    return QCoreApplication::translate(
        "vellum::AppPalette",
        "Classic C64 uses the original BASIC blues with white text, like the machine after "
        "READY. Modern C64 is the dark cyan look. System follows your desktop's colors.");
}

} // namespace vellum
