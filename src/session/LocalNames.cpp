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

bool pathIsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QUrl uniqueLocalURL(const QUrl& folder, const QString& base, const QString& extension) {
    const QDir dir(folder.toLocalFile());
    const QString ext = trimmedOf(extension, u".");
    auto candidate = [&](const QString& stem) {
        return dir.filePath(ext.isEmpty() ? stem : stem + QLatin1Char('.') + ext);
    };
    QString path = candidate(base);
    for (int n = 2; pathIsTaken(path); ++n)
        path = candidate(base + QLatin1Char('-') + QString::number(n));
    return QUrl::fromLocalFile(path);
}

QString proposedNewFolderName(const QUrl& folder) {
    const QDir dir(folder.toLocalFile());
    QString name = QStringLiteral("untitled folder");
    for (int n = 2; pathIsTaken(dir.filePath(name)); ++n)
        name = QStringLiteral("untitled folder %1").arg(n);
    return name;
}

QString safeLocalBaseName(const QString& name) {
    QString base = trimmedWhitespace(name);
    for (QChar bad : {QLatin1Char('/'), QLatin1Char(':'), QLatin1Char('\\')})
        base.replace(bad, QLatin1Char('-'));
    return base.isEmpty() ? QStringLiteral("file") : base;
}

} // namespace vellum
