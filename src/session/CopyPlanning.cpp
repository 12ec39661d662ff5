#include "session/CopyPlanning.h"

#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/FloppyNameRules.h"
#include "session/SessionTexts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vellum {

namespace {

struct CopyTexts {
    Q_DECLARE_TR_FUNCTIONS(CopyTexts)
};

} // namespace

qint64 blocksForSize(qint64 size) {
    return size >= 1 ? (size + 253) / 254 : 1;
}

qint64 blocksForFile(const QUrl& url) {
    const QFileInfo info(url.toLocalFile());
    if (!info.isFile()) {
        return 1;
    }
    return blocksForSize(info.size());
}

QString floppyNameFromImage(const QString& listedName) {
    return firstCharacters(listedName.trimmed(), 16);
}

CopyRequestSplit splitCopyRequest(const QList<QUrl>& urls) {
    CopyRequestSplit split;
    for (const QUrl& url : urls) {
        if (!QFileInfo(url.toLocalFile()).isFile()) {
            continue;
        }
        if (isImageFile(url)) {
            split.images.append(url);
        } else {
            split.plainFiles.append(url);
        }
    }
    return split;
}

QString copyingText(qsizetype count, const QString& firstName) {
    if (count == 1) {
        return CopyTexts::tr("Copying %1…").arg(texts::quoted(firstName));
    }
    return CopyTexts::tr("Copying %1 files…").arg(count);
}

QString copyingItemText(qsizetype index, qsizetype count, const QString& name) {
    if (count == 1) {
        return CopyTexts::tr("Copying %1…").arg(texts::quoted(name));
    }
    return CopyTexts::tr("Copying %1 of %2: %3…")
        .arg(QString::number(index + 1), QString::number(count), texts::quoted(name));
}

QString copiedText(qsizetype count, const QString& firstName) {
    if (count == 1) {
        return CopyTexts::tr("Copied %1.").arg(texts::quoted(firstName));
    }
    return CopyTexts::tr("Copied %1 files.").arg(count);
}

QString readingText(qsizetype index, qsizetype count, const QString& name) {
    if (count == 1) {
        return CopyTexts::tr("Reading %1 from floppy…").arg(texts::quoted(name));
    }
    return CopyTexts::tr("Reading %1 of %2: %3 from floppy…")
        .arg(QString::number(index + 1), QString::number(count), texts::quoted(name));
}

QString addingText(qsizetype count, const QString& firstName, const QString& imageName) {
    if (count == 1) {
        return CopyTexts::tr("Adding %1 to %2…").arg(texts::quoted(firstName), imageName);
    }
    return CopyTexts::tr("Adding %1 files to %2…").arg(QString::number(count), imageName);
}

QString addedText(qsizetype count, const QString& lastName, const QString& imageName) {
    if (count == 1) {
        return CopyTexts::tr("Added %1 to %2.").arg(texts::quoted(lastName), imageName);
    }
    return CopyTexts::tr("Added %1 files to %2.").arg(QString::number(count), imageName);
}

QString notAddedText(const QString& sourceName, const QString& reason) {
    return CopyTexts::tr("%1 could not be added: %2").arg(texts::quoted(sourceName), reason);
}

} // namespace vellum
