#include "ui/kit/ListingFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace vellum {

namespace {

// The font is drawn on an 8-pixel grid and stays sharp only at whole multiples of it: at
// 12 pixels every other pixel row is doubled or dropped and the text stripes. Hinting would
// move its rows as well, so it is drawn unhinted and unsmoothed (see PixelFontRendering,
// which also reaches the fonts the style sheet makes from these).
constexpr int c64ListingPixels = 16;
constexpr int c64HeadingPixels = 8;

QFont c64Font(int pixels) {
    QFont font(c64FontFamily());
    font.setPixelSize(pixels);
    font.setStyleHint(QFont::Monospace);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont headingFrom(const QFont& applicationFont) {
    QFont font = applicationFont;
    font.setPointSizeF(applicationFont.pointSizeF() * 0.85);
    font.setBold(true);
    return font;
}

} // namespace

QString c64FontFamily() {
    return QStringLiteral("C-64");
}

ThemeFonts themeFonts(AppAppearance appearance, const QStringList& installedFamilies,
                      const QFont& applicationFont, const QFont& fixedFont) {
    ThemeFonts fonts;
    fonts.code = fixedFont;
    fonts.code.setPointSizeF(applicationFont.pointSizeF());
    fonts.listing = applicationFont;
    fonts.heading = headingFrom(applicationFont);
    fonts.small = applicationFont;
    fonts.small.setPointSizeF(applicationFont.pointSizeF() * 0.92);
    if (appearance == AppAppearance::system) {
        return fonts;
    }
    if (installedFamilies.contains(c64FontFamily(), Qt::CaseInsensitive)) {
        fonts.listing = c64Font(c64ListingPixels);
        fonts.heading = c64Font(c64HeadingPixels);
        fonts.usesC64Font = true;
    } else {
        fonts.listing = fonts.code;
    }
    return fonts;
}

ThemeFonts installedThemeFonts(AppAppearance appearance) {
    return themeFonts(appearance, QFontDatabase::families(), QApplication::font(),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

} // namespace vellum
