#include "Listing.h"

#include "CommandSupport.h"

#include <QStringList>

namespace vellum {

QString listingText(const DiskDirectory& directory, const QString& dosType,
                    std::optional<qint64> driveBlocksFree) {
    QString text;
    QString header =
        QStringLiteral("0 \"%1\"").arg(disk::printable(directory.diskName).leftJustified(16));
    QStringList parts;
    for (const QString& part : {directory.diskID, dosType}) {
        if (!part.isEmpty()) {
            parts << disk::printable(part);
        }
    }
    const QString idAndType = parts.join(QLatin1Char(' '));
    if (!idAndType.isEmpty()) {
        header += QLatin1Char(' ') + idAndType;
    }
    text += header + QLatin1Char('\n');
    for (const DirectoryEntry& entry : directory.entries) {
        QString token = entry.typeToken;
        const bool splat = token.startsWith(QLatin1Char('*'));
        if (splat) {
            token.remove(0, 1);
        }
        text += QStringLiteral("%1 %2%3%4\n")
                    .arg(QString::number(entry.blocks).leftJustified(4),
                         (QLatin1Char('"') + disk::printable(entry.name) + QLatin1Char('"'))
                             .leftJustified(18),
                         splat ? QStringLiteral("*") : QStringLiteral(" "), token);
    }
    if (driveBlocksFree) {
        text += QStringLiteral("%1 BLOCKS FREE.\n").arg(*driveBlocksFree);
    }
    return text;
}

} // namespace vellum
