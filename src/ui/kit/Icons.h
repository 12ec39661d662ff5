#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QStringList>

namespace vellum {

// The symbols the window shows, by our own names.
enum class IconName {
    up,
    refresh,
    openFolder,
    newFolder,
    rename,
    trash,
    directory,
    saveFromDrive,
    writeToDrive,
    format,
    init,
    reset,
    detect,
    adapter,
    drive,
    stop,
    sidebarShow,
    sidebarHide,
    drop,
    checkCircle,
    emptyCircle,
    folderFilled,
    diskImage,
    document,
    copy,
    chevronLeft,
    chevronRight,
    chevronDown,
};

const QList<IconName>& allIconNames();

// The bundled artwork of a symbol (":/vellum/icons/….svg").
QString bundledIconPath(IconName name);

// The freedesktop icon names that System tries before the bundled artwork; empty for the
// symbols that no icon theme names (the drive symbols stay ours everywhere).
QStringList freedesktopIconNames(IconName name);

// The icon of a symbol in the current theme. The icon follows later theme changes by
// itself: System draws the platform icon theme's symbol when it has one, the C64 themes
// always draw the bundled set, tinted with the theme's text colour.
QIcon themedIcon(IconName name);

// The bundled symbol in one fixed colour, whatever the theme (status marks).
QIcon tintedIcon(IconName name, const QColor& tint);

// The application's logo, in its own colours.
QIcon appLogoIcon();
QString appLogoPath();

} // namespace vellum
