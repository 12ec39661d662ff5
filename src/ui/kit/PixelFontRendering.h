#pragma once

#include <QString>

namespace vellum {

// Asks the platform's font configuration to draw `family` without smoothing and without
// hinting. A font whose glyphs are drawn on a pixel grid then keeps every row and column
// whole at multiples of its grid size; smoothed, its pixels blur and lose half their
// brightness, and hinted, whole rows of them are moved or dropped. Returns whether the
// request was taken (never on systems without fontconfig). Call before the first text in
// that family is drawn.
bool drawWithoutSmoothing(const QString& family);

} // namespace vellum
