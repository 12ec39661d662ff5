#pragma once

#include "session/AppAppearance.h"
#include "ui/kit/ListingFont.h"
#include "ui/kit/ThemeColors.h"

#include <QFont>
#include <QObject>

namespace vellum {

class AppSettings;

// The look of the whole application: one theme applied to the application palette, style
// and style sheet at once, so every open window and dialog changes together. The C64 themes
// are a palette and a style sheet from the resources over Fusion; System is the desktop's
// style and palette with no sheet at all. Views ask it for colours and fonts instead of
// choosing their own.
class Theme : public QObject {
    Q_OBJECT

public:
    // The instance every view uses. It remembers the platform's style and palette the
    // first time it is asked for, which System restores.
    static Theme& shared();

    // Until `apply` is first called the theme only describes itself (Modern C64, the program's
    // default) and changes nothing in the application.

    // Dresses the application in `appearance`; signals `changed` even when the theme stays,
    // so painted widgets also pick up a changed platform palette.
    void apply(AppAppearance appearance);
    // Applies the settings' theme now and whenever it changes.
    void follow(AppSettings& settings);

    AppAppearance appearance() const { return current; }
    const ThemeColors& colors() const { return resolvedColors; }
    const ThemeFonts& fonts() const { return resolvedFonts; }
    QFont listingFont() const { return resolvedFonts.listing; }
    bool isDark() const;

    // The style sheet of a C64 theme, as the resources hold it; empty for System.
    static QString styleSheetOf(AppAppearance appearance);

signals:
    void changed(vellum::AppAppearance appearance);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Theme();
    void useStyle(const QString& name);

    QString platformStyleName;
    QString styleInUse;
    QFont platformFont;
    bool applying = false;
    AppAppearance current = AppAppearance::modernC64;
    ThemeColors resolvedColors;
    ThemeFonts resolvedFonts;
    QMetaObject::Connection settingsConnection;
};

} // namespace vellum
