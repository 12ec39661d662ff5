#include "session/PaneTexts.h"

#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/SessionTexts.h"

#include <QCoreApplication>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(PaneTexts)
};

} // namespace

QString computerDeleteMessage(const QList<ComputerFileItem>& selected, bool d64Open,
                              const std::optional<QUrl>& openD64) {
    if (d64Open) {
        const QString label = openD64 ? openD64->fileName() : Texts::tr("this disk image");
        if (selected.size() == 1) {
            return Texts::tr("Delete %1 from %2? This cannot be undone.")
                .arg(texts::quoted(selected.first().name), label);
        }
        return Texts::tr("Delete %1 files from %2? This cannot be undone.")
            .arg(QString::number(selected.size()), label);
    }
    if (selected.size() == 1) {
        const ComputerFileItem& item = selected.first();
        return (item.isDirectory
                    ? Texts::tr("Move the folder %1 to Trash? You can restore it from Trash later.")
                    : Texts::tr("Move the file %1 to Trash? You can restore it from Trash later."))
            .arg(texts::quoted(item.name));
    }
    qsizetype folders = 0;
    for (const ComputerFileItem& item : selected) {
        folders += item.isDirectory ? 1 : 0;
    }
    const qsizetype files = selected.size() - folders;
    if (folders == 0) {
        return Texts::tr("Move %1 files to Trash? You can restore them from Trash later.")
            .arg(files);
    }
    if (files == 0) {
        return Texts::tr("Move %1 folders to Trash? You can restore them from Trash later.")
            .arg(folders);
    }
    return Texts::tr(
               "Move %1 files and %2 folders to Trash? You can restore them from Trash later.")
        .arg(files)
        .arg(folders);
}

QString imageCopyChoiceMessage(const QList<QUrl>& pendingURLs, qint64 deviceNumber) {
    QList<QUrl> images;
    for (const QUrl& url : pendingURLs) {
        if (isImageFile(url)) {
            images.append(url);
        }
    }
    const QString subject = images.size() == 1 ? images.first().fileName()
                                               : Texts::tr("%1 image files").arg(images.size());
    return Texts::tr("%1 can be copied as PRG file(s) onto the current disk, or written as a full "
                     "disk image. Writing as an image erases everything on the floppy in drive "
                     "%2.")
        .arg(texts::quoted(subject), QString::number(deviceNumber));
}

QString computerPaneTitle(const std::optional<QUrl>& browsingImage) {
    if (!browsingImage) {
        return Texts::tr("Computer");
    }
    return Texts::tr("Computer  |  %1").arg(browsingImage->fileName());
}

QString trashProgressText(const QList<ComputerFileItem>& items) {
    if (items.size() == 1) {
        return Texts::tr("Moving %1 to Trash…").arg(texts::quoted(items.first().name));
    }
    return Texts::tr("Moving %1 items to Trash…").arg(items.size());
}

QString trashDoneText(const QList<ComputerFileItem>& items) {
    if (items.size() == 1) {
        return Texts::tr("Moved %1 to Trash.").arg(texts::quoted(items.first().name));
    }
    return Texts::tr("Moved %1 items to Trash.").arg(items.size());
}

} // namespace vellum
