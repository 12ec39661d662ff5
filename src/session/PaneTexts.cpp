#include "session/PaneTexts.h"

#include "model/TextUtil.h"
#include "session/LocalListing.h"

namespace vellum {

QString localDeleteMessage(const QList<LocalFileItem>& selected, bool d64Open,
                           const std::optional<QUrl>& openD64) {
    if (d64Open) {
        const QString label = openD64 ? lastPathComponent(*openD64) : QStringLiteral("this D64");
        if (selected.size() == 1)
            return QStringLiteral("Delete “%1” from %2? This cannot be undone.")
                .arg(selected.first().name, label);
        return QStringLiteral("Delete %1 files from %2? This cannot be undone.")
            .arg(selected.size())
            .arg(label);
    }
    if (selected.size() == 1) {
        const LocalFileItem& item = selected.first();
        return QStringLiteral("Move the %1 “%2” to Trash? You can restore it from Trash later.")
            .arg(item.isDirectory ? QStringLiteral("folder") : QStringLiteral("file"), item.name);
    }
    qsizetype folders = 0;
    for (const LocalFileItem& item : selected)
        folders += item.isDirectory ? 1 : 0;
    const qsizetype files = selected.size() - folders;
    const QString tail = QStringLiteral(" to Trash? You can restore them from Trash later.");
    if (folders == 0)
        return QStringLiteral("Move %1 files").arg(files) + tail;
    if (files == 0)
        return QStringLiteral("Move %1 folders").arg(folders) + tail;
    return QStringLiteral("Move %1 files and %2 folders").arg(files).arg(folders) + tail;
}

QString imageCopyChoiceMessage(const QList<QUrl>& pendingURLs, qint64 deviceNumber) {
    QList<QUrl> images;
    for (const QUrl& url : pendingURLs) {
        if (isImageFile(url))
            images.append(url);
    }
    const QString subject = images.size() == 1
                                ? lastPathComponent(images.first())
                                : QStringLiteral("%1 image files").arg(images.size());
    return QStringLiteral("“%1” can be copied as PRG file(s) onto the current disk, or written as "
                          "a full disk image. Writing as an image erases everything on the "
                          "floppy in drive %2.")
        .arg(subject, QString::number(deviceNumber));
}

QString computerPaneTitle(const std::optional<QUrl>& browsingImage) {
    if (!browsingImage)
        return QStringLiteral("Computer");
    return QStringLiteral("Computer  |  ") + lastPathComponent(*browsingImage);
}

QString trashProgressText(const QList<LocalFileItem>& items) {
    if (items.size() == 1)
        return QStringLiteral("Moving “%1” to Trash…").arg(items.first().name);
    return QStringLiteral("Moving %1 items to Trash…").arg(items.size());
}

QString trashDoneText(const QList<LocalFileItem>& items) {
    if (items.size() == 1)
        return QStringLiteral("Moved “%1” to Trash.").arg(items.first().name);
    return QStringLiteral("Moved %1 items to Trash.").arg(items.size());
}

} // namespace vellum
