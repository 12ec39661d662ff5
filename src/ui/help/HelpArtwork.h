#pragma once

#include <QIcon>
#include <QStyle>

namespace vellum {

// The application's logo: the bundled artwork when the resources carry it, else a floppy
// icon of the desktop theme.
QIcon appLogoIcon();

// An icon of the desktop theme by its freedesktop name, or the style's own stand-in.
QIcon themedIcon(const QString& name, QStyle::StandardPixmap fallback);

} // namespace vellum
