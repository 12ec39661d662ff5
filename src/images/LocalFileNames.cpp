#include "images/LocalFileNames.h"

#include "model/TextUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vellum {

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

QString safeLocalBaseName(const QString& name) {
    QString base = trimmedWhitespace(name);
    for (QChar bad : {QLatin1Char('/'), QLatin1Char(':'), QLatin1Char('\\')})
        base.replace(bad, QLatin1Char('-'));
    return base.isEmpty() ? QStringLiteral("file") : base;
}

} // namespace vellum
