#include "model/TextUtil.h"
#include "model/ToolOutputParsers.h"

#include <QRegularExpression>

namespace vellum {

QList<DriveInfo> parseDetectedDrives(const QString& output) {
    // (*ANY) lets ^ and $ see every kind of line break, CR alone included.
    static const QRegularExpression driveLine(QStringLiteral("(*ANY)^\\s*(\\d+)\\s*:\\s*(.+)$"),
                                              QRegularExpression::MultilineOption |
                                                  QRegularExpression::UseUnicodePropertiesOption);

    QList<DriveInfo> drives;
    auto matches = driveLine.globalMatch(output);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        if (match.lastCapturedIndex() < 2) {
            continue;
        }
        DriveInfo drive;
        drive.deviceNumber = readInt64(match.captured(1)).value_or(8);
        drive.model = match.captured(2).trimmed();
        drive.extra = drive.model;
        drive.detected = true;
        drives << drive;
    }
    return drives;
}

} // namespace vellum
