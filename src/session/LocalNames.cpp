#include "session/LocalNames.h"

#include "model/TextUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vellum {

std::optional<QString> validateMacName(const QString& name) {
    const QString trimmed = trimmedWhitespace(name);
    if (trimmed.isEmpty())
        return QStringLiteral("Enter a name.");
    if (trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return QStringLiteral("That name is not allowed.");
    if (trimmed.contains(QLatin1Char('/')) || trimmed.contains(QLatin1Char(':')))
        return QStringLiteral("The name cannot contain “/” or “:”.");
    return std::nullopt;
}

QString proposedNewFolderName(const QUrl& folder) {
    const QDir dir(folder.toLocalFile());
    QString name = QStringLiteral("untitled folder");
    for (int n = 2; pathIsTaken(dir.filePath(name)); ++n)
        name = QStringLiteral("untitled folder %1").arg(n);
    return name;
}

} // namespace vellum
