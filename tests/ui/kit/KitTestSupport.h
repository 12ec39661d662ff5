#pragma once

#include "session/AppAppearance.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QWidget>

namespace vellum::testing {

// The colour of one pixel of what `widget` shows, after pending events are handled.
inline QColor pixelOf(QWidget& widget, QPoint point) {
    QCoreApplication::processEvents();
    return widget.grab().toImage().pixelColor(point);
}

inline bool closeTo(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// How many pixels of an image are painted at all, and the most opaque one (the tint of a
// symbol); over black, so that a mark drawn faintly counts as fainter.
struct Ink {
    int painted = 0;
    QColor strongest{0, 0, 0, 0};
};
inline Ink inkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            ink.painted += color.alpha() > 0 ? 1 : 0;
            ink.strongest = color.alpha() > ink.strongest.alpha() ? color : ink.strongest;
        }
    }
    return ink;
}

} // namespace vellum::testing
