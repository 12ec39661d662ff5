#include "session/AppAppearance.h"

#include <QCoreApplication>

namespace vellum {

const QList<AppAppearance>& allAppearances() {
    static const QList<AppAppearance> all{AppAppearance::classicC64, AppAppearance::modernC64,
                                          AppAppearance::system};
    return all;
}

QString storedText(AppAppearance appearance) {
    switch (appearance) {
    case AppAppearance::classicC64:
        return QStringLiteral("classicC64");
    case AppAppearance::modernC64:
        return QStringLiteral("modernC64");
    case AppAppearance::system:
        return QStringLiteral("system");
    }
    return QStringLiteral("modernC64");
}

QString displayName(AppAppearance appearance) {
    switch (appearance) {
    case AppAppearance::classicC64:
        return QCoreApplication::translate("vellum::AppAppearance", "Classic C64");
    case AppAppearance::modernC64:
        break;
    case AppAppearance::system:
        return QCoreApplication::translate("vellum::AppAppearance", "System");
    }
    return QCoreApplication::translate("vellum::AppAppearance", "Modern C64");
}

QString appearanceDescription() {
    return QCoreApplication::translate(
        "vellum::AppAppearance",
        "Classic C64 uses the original BASIC blues with white text, like the machine after "
        "READY. Modern C64 is the dark cyan look. System follows your desktop's colors.");
}

AppAppearance appearanceFromStoredText(const QString& text) {
    if (text == QStringLiteral("classicC64")) {
        return AppAppearance::classicC64;
    }
    if (text == QStringLiteral("system")) {
        return AppAppearance::system;
    }
    return AppAppearance::modernC64;
}

} // namespace vellum
