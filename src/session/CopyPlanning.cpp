#include "session/CopyPlanning.h"

#include "model/TextUtil.h"
#include "session/LocalListing.h"

#include <QFileInfo>

namespace vellum {

qint64 blocksForSize(qint64 size) {
    return size >= 1 ? (size + 253) / 254 : 1;
}

qint64 blocksForFile(const QUrl& url) {
    const QFileInfo info(url.toLocalFile());
    if (!info.isFile())
        return 1;
    return blocksForSize(info.size());
}

QString floppyNameFromImage(const QString& listedName) {
    const QList<uint> codePoints = trimmedWhitespace(listedName).toUcs4();
    QString cut;
    for (qsizetype i = 0; i < codePoints.size() && i < 16; ++i) {
        const char32_t codePoint = codePoints.at(i);
        cut += QString::fromUcs4(&codePoint, 1);
    }
    return cut;
}

CopyRequestSplit splitCopyRequest(const QList<QUrl>& urls) {
    CopyRequestSplit split;
    for (const QUrl& url : urls) {
        if (!QFileInfo(url.toLocalFile()).isFile())
            continue;
        if (isImageFile(url))
            split.images.append(url);
        else
            split.plainFiles.append(url);
    }
    return split;
}

QString copyingText(qsizetype count, const QString& firstName) {
    if (count == 1)
        return QStringLiteral("Copying “") + firstName + QStringLiteral("”…");
    return QStringLiteral("Copying %1 files…").arg(count);
}

QString copyingItemText(qsizetype index, qsizetype count, const QString& name) {
    if (count == 1)
        return QStringLiteral("Copying “") + name + QStringLiteral("”…");
    return QStringLiteral("Copying %1 of %2: “").arg(index + 1).arg(count) + name +
           QStringLiteral("”…");
}

QString copiedText(qsizetype count, const QString& firstName) {
    if (count == 1)
        return QStringLiteral("Copied “") + firstName + QStringLiteral("”.");
    return QStringLiteral("Copied %1 files.").arg(count);
}

QString addingText(qsizetype count, const QString& firstName, const QString& imageName) {
    if (count == 1)
        return QStringLiteral("Adding “") + firstName + QStringLiteral("” to ") + imageName +
               QStringLiteral("…");
    return QStringLiteral("Adding %1 files to ").arg(count) + imageName + QStringLiteral("…");
}

QString addedText(qsizetype count, const QString& lastName, const QString& imageName) {
    if (count == 1)
        return QStringLiteral("Added “") + lastName + QStringLiteral("” to ") + imageName +
               QLatin1Char('.');
    return QStringLiteral("Added %1 files to ").arg(count) + imageName + QLatin1Char('.');
}

} // namespace vellum
