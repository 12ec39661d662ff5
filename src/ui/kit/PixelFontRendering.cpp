#include "ui/kit/PixelFontRendering.h"

#if VELLUM_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace vellum {

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
