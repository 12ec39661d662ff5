#include "ui/kit/ListingFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace vellum {

namespace {

// The font is drawn on an 8-pixel grid. At its own size hinting keeps it sharp; at one and
// a half times, hinting would drop whole pixel rows, so it is drawn unhinted and stays even.
constexpr int c64ListingPixels = 12;
constexpr int c64HeadingPixels = 8;

QFont c64Font(int pixels) {
    QFont font(c64FontFamily());
    font.setPixelSize(pixels);
    font.setStyleHint(QFont::Monospace);
    font.setHintingPreference(pixels % 8 == 0 ? QFont::PreferFullHinting : QFont::PreferNoHinting);
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
