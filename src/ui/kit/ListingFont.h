#pragma once

#include "session/AppAppearance.h"

#include <QFont>
#include <QStringList>

namespace vellum {

// The family name of the C64 screen font from Debian's fonts-sixtyfour.
QString c64FontFamily();

// The fonts a theme sets apart from the application font.
struct ThemeFonts {
    QFont listing; // file lists and names
    QFont heading; // small upper-case headings
    QFont code;    // command lines
    QFont small;   // filter check boxes and the like
    bool usesC64Font = false;
};

// The C64 themes show names in the C64 screen font when it is installed and in the fixed
// font otherwise; System keeps the application font.
ThemeFonts themeFonts(AppAppearance appearance, const QStringList& installedFamilies,
                      const QFont& applicationFont, const QFont& fixedFont);

// The same for the fonts of this machine.
ThemeFonts installedThemeFonts(AppAppearance appearance);

// Asks the platform's font configuration to draw `family` without smoothing and without
// hinting. A font whose glyphs are drawn on a pixel grid then keeps every row and column
// whole at multiples of its grid size; smoothed, its pixels blur and lose half their
// brightness, and hinted, whole rows of them are moved or dropped. Returns whether the
// request was taken (never on systems without fontconfig). Call before the first text in
// that family is drawn.
bool drawWithoutSmoothing(const QString& family);

} // namespace vellum
