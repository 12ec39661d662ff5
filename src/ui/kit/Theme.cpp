#include "ui/kit/Theme.h"

#include "session/AppSettings.h"
#include "ui/kit/StyleRoles.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace vellum {

namespace {

bool coloursCameFrom(const QPalette& palette, const ThemeColors& colors) {
    return palette.color(QPalette::Window) == colors.windowBackground &&
           palette.color(QPalette::Base) == colors.panelBackground &&
           palette.color(QPalette::Highlight) == colors.selection &&
           palette.color(QPalette::WindowText) == colors.text;
}

// The application palette of a C64 theme, so that everything the style sheet does not reach
// (Fusion's own drawing, item views, standard dialogs) still wears the theme's colours, and
// so that the sheet can name these colours as palette roles.
QPalette c64Palette(const ThemeColors& c) {
    QPalette palette;
    const auto setAll = [&](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::All, role, color);
    };
    setAll(QPalette::Window, c.windowBackground);
    setAll(QPalette::WindowText, c.text);
    setAll(QPalette::Base, c.panelBackground);
    setAll(QPalette::AlternateBase, c.stripe);
    setAll(QPalette::Text, c.text);
    setAll(QPalette::PlaceholderText, c.secondaryText);
    setAll(QPalette::Button, c.buttonFill);
    setAll(QPalette::ButtonText, c.buttonText);
    setAll(QPalette::BrightText, c.brightText);
    setAll(QPalette::ToolTipBase, c.deepPanelBackground);
    setAll(QPalette::ToolTipText, c.text);
    setAll(QPalette::Highlight, c.selection);
    setAll(QPalette::HighlightedText, c.selectionText);
    setAll(QPalette::Link, c.accentTone);
    setAll(QPalette::LinkVisited, c.accentTone);
    setAll(QPalette::Light, c.buttonHover);
    setAll(QPalette::Midlight, c.strongFill);
    setAll(QPalette::Mid, c.lightFill);
    setAll(QPalette::Dark, c.deepPanelBackground);
    setAll(QPalette::Shadow, QColor(0, 0, 0, 160));

    palette.setColor(QPalette::Inactive, QPalette::Highlight, c.inactiveSelection);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, c.inactiveSelectionText);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, c.disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, c.inactiveSelection);
    return palette;
}

// Every widget the style dresses by its role picks up the desktop's new colours.
void repolishRoles() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->property("vellumRole").isValid()) {
            widget->style()->unpolish(widget);
            widget->style()->polish(widget);
            widget->update();
        }
    }
}

} // namespace

Theme::Theme()
    : platformStyleName(QApplication::style()->name()), platformFont(QApplication::font()),
      resolvedColors(themeColors(current, QApplication::palette())),
      resolvedFonts(installedThemeFonts(current)) {
    // Before any text in the C64 font is drawn: a font engine, once made, keeps its smoothing.
    drawWithoutSmoothing(c64FontFamily());
    // The C64 sheets name the font for the column headings; without it they get the fixed
    // font, as the listings do.
    if (!resolvedFonts.usesC64Font) {
        QFont::insertSubstitution(c64FontFamily(),
                                  QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    }
    qApp->installEventFilter(this);
}

Theme& Theme::shared() {
    static Theme* instance = new Theme();
    return *instance;
}

QString Theme::styleSheetOf(AppAppearance appearance) {
    if (appearance == AppAppearance::system) {
        return {};
    }
    QFile file(appearance == AppAppearance::classicC64
                   ? QStringLiteral(":/vellum/themes/classic-c64.qss")
                   : QStringLiteral(":/vellum/themes/modern-c64.qss"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

void Theme::apply(AppAppearance appearance) {
    const QScopedValueRollback busy(applying, true);
    current = appearance;
    // Before anything is repolished: the style reads the fonts while it polishes.
    resolvedFonts = themeFonts(appearance, QFontDatabase::families(), platformFont,
                               QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Clearing the sheet first lets the style and palette change underneath without the old
    // rules being resolved against the new style.
    qApp->setStyleSheet(QString());
    QApplication::setFont(platformFont);
    if (appearance == AppAppearance::system) {
        useStyle(platformStyleName);
        // An empty palette hands the application back to the platform's, which then also
        // follows the desktop's later changes.
        QApplication::setPalette(QPalette());
        resolvedColors = themeColors(appearance, QApplication::palette());
        repolishRoles();
    } else {
        useStyle(QStringLiteral("Fusion"));
        resolvedColors = themeColors(appearance, QPalette());
        QApplication::setPalette(c64Palette(resolvedColors));
        qApp->setStyleSheet(styleSheetOf(appearance));
    }
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
    // program runs; the derived colours and the roles follow.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !applying &&
        current == AppAppearance::system &&
        !coloursCameFrom(QApplication::palette(), resolvedColors)) {
        const QScopedValueRollback busy(applying, true);
        resolvedColors = themeColors(current, QApplication::palette());
        repolishRoles();
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
    if (QStyle* base = QStyleFactory::create(name)) {
        QApplication::setStyle(new RoleStyle(base));
        styleInUse = name;
    }
}

bool Theme::isDark() const {
    // Both C64 themes carry light text, even on the light blue of the classic border.
    return current != AppAppearance::system || resolvedColors.text.lightness() > 128;
}

} // namespace vellum
