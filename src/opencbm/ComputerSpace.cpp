#include "opencbm/ComputerSpace.h"

#include <QCoreApplication>
#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

std::optional<qint64> bytesAvailableIn(const QString& folder) {
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady()) {
        return std::nullopt;
    }
    return storage.bytesAvailable();
}

PlatformError couldNotWrite(const QString& path, const QString& reason) {
    return PlatformError(
        QCoreApplication::translate("vellum::OpenCBMService", "Could not write “%1”: %2.")
            .arg(path, reason));
}

QString noSpaceLeftText() {
    return qt_error_string(ENOSPC);
}

void requireFreeSpace(std::optional<qint64> available, qint64 bytes, const QString& path) {
    if (available && *available < bytes) {
        throw couldNotWrite(path, noSpaceLeftText());
    }
}

void requireWritableFolder(const QString& folder, const QString& path) {
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
        throw couldNotWrite(path, qt_error_string(errno));
    }
}

qint64 storedBytes(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return 0;
    }
    return std::min<qint64>(info.st_size, qint64(info.st_blocks) * 512);
}

} // namespace vellum
