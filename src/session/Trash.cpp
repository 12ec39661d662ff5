#include "session/Trash.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/SessionTexts.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Trash)
};

} // namespace

void moveItemToTrash(const QUrl& url) {
    const QString path = url.toLocalFile();
    const QString name = url.fileName();
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) {
        throw PlatformError(Texts::tr("%1 does not exist.").arg(texts::quoted(name)));
    }
    const QString refused =
        Texts::tr("%1 could not be moved to the Trash.").arg(texts::quoted(name));
    QFile item(path);
    if (!item.moveToTrash()) {
        throw PlatformError(refused);
    }
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
