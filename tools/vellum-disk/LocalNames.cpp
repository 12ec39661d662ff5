#include "LocalNames.h"

#include "model/OpenCBMError.h"

#include <QDir>
#include <QFile>

namespace vellum {

QString localBaseName(const QString& entryName) {
    QString base = entryName.trimmed();
    for (QChar c : {QLatin1Char('/'), QLatin1Char(':'), QLatin1Char('\\')})
        base.replace(c, QLatin1Char('-'));
    return base.isEmpty() ? QStringLiteral("file") : base;
}

namespace {

QString candidate(const QString& folder, const QString& base, const QString& extension, int n) {
    const QString name = n == 1 ? base : QStringLiteral("%1-%2").arg(base).arg(n);
    return QDir(folder).filePath(extension.isEmpty() ? name : name + QLatin1Char('.') + extension);
}

} // namespace

QString freePath(const QString& folder, const QString& base, const QString& extension) {
    for (int n = 1;; ++n) {
        const QString path = candidate(folder, base, extension, n);
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return path;
    }
}

QString writeNewFile(const QString& folder, const QString& base, const QString& extension,
                     const QByteArray& bytes) {
    for (int n = 1;; ++n) {
        const QString path = candidate(folder, base, extension, n);
        QFile file(path);
        // NewOnly refuses a name that exists, even one made since we looked.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
                continue;
            throw PlatformError(
                QStringLiteral("Could not write “%1”: %2.").arg(path, file.errorString()));
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            const QString reason = file.errorString();
            file.close();
            file.remove();
            throw PlatformError(QStringLiteral("Could not write “%1”: %2.").arg(path, reason));
        }
        file.close();
        return path;
    }
}

} // namespace vellum
