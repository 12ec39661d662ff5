#include "NewFiles.h"

#include "images/LocalFileNames.h"
#include "model/OpenCBMError.h"

#include <QFile>

namespace vellum {

QString writeNewFile(const QString& folder, const QString& base, const QString& extension,
                     const QByteArray& bytes) {
    for (;;) {
        const QString path =
            uniqueLocalURL(QUrl::fromLocalFile(folder), base, extension).toLocalFile();
        QFile file(path);
        // NewOnly refuses a name that exists, even one made since we looked.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (pathIsTaken(path))
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
