#include "images/ComputerFileNames.h"

#include "images/ComputerPaths.h"
#include "model/TextUtil.h"

#include <QDir>
#include <sys/stat.h>

namespace vellum {

bool pathIsTaken(const QString& path) {
    struct stat info {};
    return ::lstat(computerPathBytes(path).constData(), &info) == 0;
}

bool isFolder(const QString& path) {
    struct stat info {};
    return ::stat(computerPathBytes(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QUrl uniqueLocalURL(const QUrl& folder, const QString& base, const QString& extension) {
    const QDir dir(folder.toLocalFile());
    const QString ext = trimmedOf(extension, u".");
    auto candidate = [&](const QString& stem) {
        return dir.filePath(ext.isEmpty() ? stem : stem + QLatin1Char('.') + ext);
    };
    QString path = candidate(base);
    for (int n = 2; pathIsTaken(path); ++n) {
        path = candidate(base + QLatin1Char('-') + QString::number(n));
    }
    return QUrl::fromLocalFile(path);
}

QString safeLocalBaseName(const QString& name) {
    QString base = name.trimmed();
    for (QChar& character : base) {
        const char16_t unit = character.unicode();
        // Control codes from an image would reach every terminal that lists the folder.
        if (unit < 0x20 || unit == 0x7F || unit == u'/' || unit == u':' || unit == u'\\') {
            character = QLatin1Char('-');
        }
    }
    return base.isEmpty() ? QStringLiteral("file") : base;
}

} // namespace vellum
