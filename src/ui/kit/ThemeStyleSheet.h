#pragma once

#include "session/AppAppearance.h"

#include <QString>

namespace vellum {

struct ThemeColors;
struct ThemeFonts;

// The one application style sheet of a theme: the `vellumRole` rules that every theme has,
// and in the C64 themes the rules that dress the standard widgets.
QString themeStyleSheet(AppAppearance appearance, const ThemeColors& colors,
                        const ThemeFonts& fonts);

// Replaces every @name@ in a style-sheet template by the theme's value of that name.
QString filledStyleTemplate(QString text, AppAppearance appearance, const ThemeColors& colors,
                            const ThemeFonts& fonts);

// The template of the C64 themes' rules for the standard widgets.
QString c64WidgetRules();

} // namespace vellum
