#include "session/WriteLeftovers.h"

#include "images/ImageFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace vellum {

namespace {

const QString saveFolderKey = QStringLiteral("lastSaveFolderPath");

} // namespace

void rememberSaveFolder(const QUrl& savedFile) {
    QSettings().setValue(saveFolderKey, QFileInfo(savedFile.toLocalFile()).absolutePath());
}

void removeWriteLeftovers(const QUrl& listedFolder) {
    const QString listed = QFileInfo(listedFolder.toLocalFile()).absoluteFilePath();
    removeLeftoverTemporaryFiles(listed);
    const QString saved = QSettings().value(saveFolderKey).toString();
    if (!saved.isEmpty() && saved != listed) {
        removeLeftoverTemporaryFiles(saved);
    }
}

} // namespace vellum
