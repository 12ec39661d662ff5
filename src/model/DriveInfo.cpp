#include "model/DriveInfo.h"

#include <QCoreApplication>

namespace vellum {

QString DriveInfo::title() const {
    QString text = QCoreApplication::translate("vellum::DriveInfo", "Drive %1").arg(deviceNumber);
    const QString trimmedModel = model.trimmed();
    if (isUnknownModel()) {
        text += QStringLiteral(" — ") +
                QCoreApplication::translate("vellum::DriveInfo", "Unknown drive");
    } else if (!trimmedModel.isEmpty()) {
        text += QStringLiteral(" — ") + trimmedModel;
    }
    return text;
}

bool DriveInfo::isUnknownModel() const {
    return model.trimmed().startsWith(QLatin1String("*unknown*"));
}

} // namespace vellum
