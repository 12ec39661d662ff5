#include "session/Trash.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum {

void moveItemToTrash(const QUrl& url) {
    const QString path = url.toLocalFile();
    const QString name = lastPathComponent(url);
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        throw PlatformError(QStringLiteral("“") + name + QStringLiteral("” does not exist."));
    const QString refused =
        QStringLiteral("“") + name + QStringLiteral("” could not be moved to the Trash.");
    QFile item(path);
    if (!item.moveToTrash())
        throw PlatformError(refused);
    // When Qt cannot set up the home trash it may "trash" into a folder relative to the
    // working directory and still report success. Such an item is put back.
    const QString trashedPath = item.fileName();
    if (!QFileInfo(trashedPath).isAbsolute()) {
        const QString stray = QFileInfo(trashedPath).absoluteFilePath();
        if (QFile::rename(stray, path)) {
            const QDir trashRoot = QFileInfo(stray).dir();
            QFile::remove(
                QDir(trashRoot.absoluteFilePath(QStringLiteral("../info")))
                    .filePath(QFileInfo(stray).fileName() + QStringLiteral(".trashinfo")));
        }
        throw PlatformError(refused);
    }
}

} // namespace vellum
