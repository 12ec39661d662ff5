#include "images/ImageFiles.h"

#include "model/OpenCBMError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vellum {

namespace {

QString localPath(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

} // namespace

QByteArray readWholeFile(const QUrl& url) {
    const QString path = localPath(url);
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw PlatformError(QStringLiteral("“%1” is a folder, not a file.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw PlatformError(
            QStringLiteral("Could not read “%1”: %2.").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw PlatformError(
            QStringLiteral("Could not read “%1”: %2.").arg(path, file.errorString()));
    return bytes;
}

void writeFileAtomically(const QUrl& url, const QByteArray& bytes) {
    const QString path = localPath(url);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw PlatformError(
            QStringLiteral("Could not write “%1”: %2.").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw PlatformError(
            QStringLiteral("Could not write “%1”: %2.").arg(path, file.errorString()));
}

} // namespace vellum
