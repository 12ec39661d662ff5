#include "model/DiskImageFormat.h"

#include <QFileInfo>

namespace vellum {

QString fileExtension(DiskImageFormat format) {
    return displayName(format).toLower();
}

QString displayName(DiskImageFormat format) {
    switch (format) {
    case DiskImageFormat::d64:
        return QStringLiteral("D64");
    case DiskImageFormat::d71:
        return QStringLiteral("D71");
    case DiskImageFormat::d81:
        return QStringLiteral("D81");
    }
    return {};
}

std::optional<DiskImageFormat> diskImageFormatForExtension(const QString& extension) {
    for (DiskImageFormat format : allDiskImageFormats) {
        if (extension.compare(fileExtension(format), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    return std::nullopt;
}

std::optional<DiskImageFormat> diskImageFormatOf(const QUrl& url) {
    return diskImageFormatForExtension(QFileInfo(url.path()).suffix());
}

} // namespace vellum
