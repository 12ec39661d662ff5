#include "model/DriveInfo.h"

#include <QCoreApplication>

namespace vellum {

QString DriveInfo::title() const {
    QString text = QCoreApplication::translate("vellum::DriveInfo", "Drive %1").arg(deviceNumber);
    const QString trimmedModel = model.trimmed();
    if (!trimmedModel.isEmpty()) {
        text += QStringLiteral(" — ") + trimmedModel;
    }
    return text;
}

} // namespace vellum
