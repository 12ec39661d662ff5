#include "KitTestSupport.h"

#include <QCoreApplication>

namespace vellum::testing {

namespace {

template <typename Visit> void eachPixel(const QImage& image, Visit visit) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            visit(image.pixelColor(x, y));
        }
    }
}

} // namespace

const QList<NamedAppearance>& namedAppearances() {
    static const QList<NamedAppearance> all{{AppAppearance::classicC64, "classic"},
                                            {AppAppearance::modernC64, "modern"},
                                            {AppAppearance::system, "system"}};
    return all;
}

QColor pixelOf(QWidget& widget, QPoint point) {
    QCoreApplication::processEvents();
    return widget.grab().toImage().pixelColor(point);
}

int paintedPixels(const QImage& image) {
    int count = 0;
    eachPixel(image, [&](const QColor& color) { count += color.alpha() > 0 ? 1 : 0; });
    return count;
}

QColor strongestPixel(const QImage& image) {
    QColor strongest(0, 0, 0, 0);
    eachPixel(image, [&](const QColor& color) {
        if (color.alpha() > strongest.alpha()) {
            strongest = color;
        }
    });
    return strongest;
}

int strongestContrast(const QImage& shot) {
    // Seen over black, so that a mark drawn faintly (in part transparent) counts as fainter.
    const QImage image = shot.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             .convertToFormat(QImage::Format_RGB32);
    const int ground = image.pixelColor(0, 0).lightness();
    int strongest = 0;
    eachPixel(image, [&](const QColor& color) {
        strongest = std::max(strongest, std::abs(color.lightness() - ground));
    });
    return strongest;
}

bool closeTo(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace vellum::testing
