#include "NewFiles.h"

#include "images/ImageFiles.h"
#include "images/LocalFileNames.h"

namespace vellum::disk {

QString writeUnderFreeName(const QString& folder, const QString& base, const QString& extension,
                           const QByteArray& bytes, Sync sync) {
    // A name taken between the search and the write is simply passed over.
    for (;;) {
        const QUrl url = uniqueLocalURL(QUrl::fromLocalFile(folder), base, extension);
        if (writeNewFile(url, bytes, sync))
            return url.toLocalFile();
    }
}

} // namespace vellum::disk
