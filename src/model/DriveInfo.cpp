#include "model/DriveInfo.h"

namespace vellum {

QString DriveInfo::title() const {
    QString text = QStringLiteral("Drive %1").arg(deviceNumber);
    const QString trimmedModel = model.trimmed();
    if (!trimmedModel.isEmpty())
        text += QStringLiteral(" — ") + trimmedModel;
    return text;
}

} // namespace vellum
