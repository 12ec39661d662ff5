#pragma once

#include <QPalette>

namespace vellum {

struct ThemeColors;

// The application palette of a C64 theme, so that everything the style sheet does not reach
// (Fusion's own drawing, item views, standard dialogs) still wears the theme's colours.
QPalette c64Palette(const ThemeColors& colors);

} // namespace vellum
