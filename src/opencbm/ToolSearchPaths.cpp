#include "opencbm/ToolSearchPaths.h"

#include <QDir>
#include <QSettings>

namespace vellum {

QStringList toolSearchPaths(const QString& overrideFolder, const QString& pathVariable) {
    QStringList candidates;
    if (!overrideFolder.isEmpty()) {
        candidates.append(overrideFolder);
    }
    candidates += pathVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    candidates += {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"),
                   QStringLiteral("/opt/opencbm/bin"), QStringLiteral("/opt/homebrew/bin"),
                   QStringLiteral("/opt/local/bin")};
    QStringList folders;
    for (const QString& candidate : candidates) {
        // A relative entry would find tools wherever the program happens to be started.
        if (!QDir::isAbsolutePath(candidate)) {
            continue;
        }
        const QString folder = QDir::cleanPath(candidate);
        if (!folders.contains(folder)) {
            folders.append(folder);
        }
    }
    return folders;
}

QStringList currentToolSearchPaths() {
    QString overrideFolder = qEnvironmentVariable("VELLUM_OPENCBM_DIR");
    if (overrideFolder.isEmpty()) {
        overrideFolder = QSettings().value(toolFolderSettingKey()).toString();
    }
    return toolSearchPaths(overrideFolder, qEnvironmentVariable("PATH"));
}

} // namespace vellum
