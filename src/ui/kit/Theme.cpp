#include "ui/kit/Theme.h"

#include "session/AppSettings.h"
#include "ui/kit/ThemePalette.h"
#include "ui/kit/ThemeStyleSheet.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace vellum {

Theme::Theme()
    : platformStyleName(QApplication::style()->name()), styleInUse(platformStyleName),
      platformPalette(QApplication::palette()), platformFont(QApplication::font()),
      resolvedColors(themeColors(current, platformPalette)),
      resolvedFonts(installedThemeFonts(current)) {}

Theme& Theme::shared() {
    static Theme* instance = new Theme();
    return *instance;
}

void Theme::apply(AppAppearance appearance) {
    current = appearance;
    resolvedColors = themeColors(appearance, platformPalette);
    resolvedFonts = installedThemeFonts(appearance);
    sheet = themeStyleSheet(appearance, resolvedColors, resolvedFonts);

    // Clearing the sheet first lets the style and palette change underneath without the old
    // rules being resolved against the new style.
    qApp->setStyleSheet(QString());
    if (appearance == AppAppearance::system) {
        useStyle(platformStyleName);
        QApplication::setPalette(platformPalette);
        QApplication::setFont(platformFont);
    } else {
        useStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(c64Palette(resolvedColors));
        // A style sheet cannot ask for unhinted text, but the fonts it sets keep what they
        // do not name from the application font: this keeps the C64 font's pixel rows even
        // at sizes between its multiples of eight.
        QFont unhinted = platformFont;
        unhinted.setHintingPreference(QFont::PreferNoHinting);
        QApplication::setFont(unhinted);
    }
    qApp->setStyleSheet(sheet);
    emit changed(appearance);
}

void Theme::follow(AppSettings& settings) {
    disconnect(settingsConnection);
    settingsConnection = connect(&settings, &AppSettings::appearanceChanged, this,
                                 [this, &settings] { apply(settings.appearance()); });
    apply(settings.appearance());
}

// The style is swapped only when it really changes: a swap deletes the old style and
// repolishes every widget.
void Theme::useStyle(const QString& name) {
    if (styleInUse.compare(name, Qt::CaseInsensitive) == 0) {
        return;
    }
    if (QStyle* style = QStyleFactory::create(name)) {
        QApplication::setStyle(style);
        styleInUse = name;
    }
}

bool Theme::isDark() const {
    // Both C64 themes carry light text, even on the light blue of the classic border.
    return current != AppAppearance::system || resolvedColors.text.lightness() > 128;
}

} // namespace vellum
