#include "ui/kit/Theme.h"

#include "session/AppSettings.h"
#include "ui/kit/PixelFontRendering.h"
#include "ui/kit/ThemePalette.h"
#include "ui/kit/ThemeStyleSheet.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleFactory>

namespace vellum {

namespace {

bool coloursCameFrom(const QPalette& palette, const ThemeColors& colors) {
    return palette.color(QPalette::Window) == colors.windowBackground &&
           palette.color(QPalette::Base) == colors.panelBackground &&
           palette.color(QPalette::Highlight) == colors.selection &&
           palette.color(QPalette::WindowText) == colors.text;
}

} // namespace

Theme::Theme()
    : platformStyleName(QApplication::style()->name()), styleInUse(platformStyleName),
      platformFont(QApplication::font()),
      resolvedColors(themeColors(current, QApplication::palette())),
      resolvedFonts(installedThemeFonts(current)) {
    // Before any text in the C64 font is drawn: a font engine, once made, keeps its smoothing.
    drawWithoutSmoothing(c64FontFamily());
    qApp->installEventFilter(this);
}

Theme& Theme::shared() {
    static Theme* instance = new Theme();
    return *instance;
}

void Theme::apply(AppAppearance appearance) {
    const QScopedValueRollback busy(applying, true);
    current = appearance;
    // Clearing the sheet first lets the style and palette change underneath without the old
    // rules being resolved against the new style.
    qApp->setStyleSheet(QString());
    if (appearance == AppAppearance::system) {
        useStyle(platformStyleName);
        // An empty palette hands the application back to the platform's, which then also
        // follows the desktop's later changes.
        QApplication::setPalette(QPalette());
        QApplication::setFont(platformFont);
        resolvedColors = themeColors(appearance, QApplication::palette());
    } else {
        useStyle(QStringLiteral("Fusion"));
        resolvedColors = themeColors(appearance, QPalette());
        QApplication::setPalette(c64Palette(resolvedColors));
        QApplication::setFont(platformFont);
    }
    resolvedFonts = themeFonts(appearance, QFontDatabase::families(), platformFont,
                               QFontDatabase::systemFont(QFontDatabase::FixedFont));
    sheet = themeStyleSheet(appearance, resolvedColors, resolvedFonts);
    qApp->setStyleSheet(sheet);
    emit changed(appearance);
}

void Theme::follow(AppSettings& settings) {
    disconnect(settingsConnection);
    settingsConnection = connect(&settings, &AppSettings::appearanceChanged, this,
                                 [this, &settings] { apply(settings.appearance()); });
    apply(settings.appearance());
}

bool Theme::eventFilter(QObject* watched, QEvent* event) {
    // Under System the desktop may change its colours (a switch to a dark scheme) while the
    // program runs; the derived colours and the role rules follow.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !applying &&
        current == AppAppearance::system &&
        !coloursCameFrom(QApplication::palette(), resolvedColors)) {
        const QScopedValueRollback busy(applying, true);
        resolvedColors = themeColors(current, QApplication::palette());
        sheet = themeStyleSheet(current, resolvedColors, resolvedFonts);
        qApp->setStyleSheet(sheet);
        emit changed(current);
    }
    return QObject::eventFilter(watched, event);
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
