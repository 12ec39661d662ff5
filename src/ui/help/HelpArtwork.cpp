#include "ui/help/HelpArtwork.h"

#include <QApplication>
#include <QFile>

namespace vellum {

QIcon themedIcon(const QString& name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(fallback));
}

QIcon appLogoIcon() {
    const QString bundled = QStringLiteral(":/AppLogo.svg");
    if (QFile::exists(bundled))
        return QIcon(bundled);
    return themedIcon(QStringLiteral("media-floppy"), QStyle::SP_DriveFDIcon);
}

} // namespace vellum
