#include "ui/kit/ListingFont.h"

#include <QApplication>
#include <QFontDatabase>

#if VELLUM_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace vellum {

namespace {

// The font is drawn on an 8-pixel grid and stays sharp only at whole multiples of it: at
// 12 pixels every other pixel row is doubled or dropped and the text stripes. Hinting would
// move its rows as well, so it is drawn unhinted and unsmoothed (see drawWithoutSmoothing
// below, which reaches every font of the family, whoever made it).
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

bool drawWithoutSmoothing(const QString& family) {
#if VELLUM_HAVE_FONTCONFIG
    // Qt's font database reads the antialias flag and the hint style of the matched pattern
    // for every font engine it makes, so one rule for the family reaches every widget and
    // painter, whatever font the widget inherited; a style sheet could not carry this (it
    // has no word for it and drops what a widget set itself).
    const QString rule =
        QStringLiteral(
            R"(<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>)"
            R"(<match target="font"><test name="family"><string>%1</string></test>)"
            R"(<edit name="antialias" mode="assign"><bool>false</bool></edit>)"
            R"(<edit name="hintstyle" mode="assign"><const>hintnone</const></edit>)"
            R"(</match></fontconfig>)")
            .arg(family.toHtmlEscaped());
    const QByteArray text = rule.toUtf8();
    FcConfig* config = FcConfigGetCurrent();
    return config != nullptr &&
           FcConfigParseAndLoadFromMemory(
               config, reinterpret_cast<const FcChar8*>(text.constData()), FcFalse) == FcTrue;
#else
    Q_UNUSED(family);
    return false;
#endif
}

} // namespace vellum
