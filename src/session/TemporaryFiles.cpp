#include "session/TemporaryFiles.h"

#include <QDir>
#include <QFile>
#include <QUuid>

namespace vellum {

QUrl newTemporaryFileURL(const QString& extension) {
    const QString name = QStringLiteral("vellum-") +
                         QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('.') +
                         extension;
    return QUrl::fromLocalFile(QDir(QDir::tempPath()).filePath(name));
}

TemporaryFiles::~TemporaryFiles() {
    removeAll();
}

QUrl TemporaryFiles::make(const QString& extension) {
    const QUrl url = newTemporaryFileURL(extension);
    made.append(url);
    return url;
}

void TemporaryFiles::adopt(const QUrl& url) {
    made.append(url);
}

void TemporaryFiles::removeAll() {
    for (const QUrl& url : made) {
        QFile::remove(url.toLocalFile());
    }
    made.clear();
}

} // namespace vellum
