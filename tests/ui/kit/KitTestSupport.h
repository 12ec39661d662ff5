#pragma once

#include "session/AppAppearance.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace vellum::testing {

// Every theme with a short name for file names and messages.
struct NamedAppearance {
    AppAppearance appearance;
    const char* name;
};
const QList<NamedAppearance>& namedAppearances();

// The colour of one pixel of what `widget` shows, after pending events are handled.
QColor pixelOf(QWidget& widget, QPoint point);

// How many pixels of an image are not fully transparent.
int paintedPixels(const QImage& image);

// The colour of the most opaque pixel, for telling the tint of a symbol.
QColor strongestPixel(const QImage& image);

// The largest difference in lightness between any pixel and the top-left one, that is how
// strongly a widget's marks stand out from its ground.
int strongestContrast(const QImage& image);

bool closeTo(const QColor& a, const QColor& b, int tolerance = 6);

} // namespace vellum::testing
