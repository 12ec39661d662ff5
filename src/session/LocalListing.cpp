#include "session/LocalListing.h"

#include "model/FileNames.h"
#include "model/TextUtil.h"

#include <QCollator>
#include <QDir>
#include <algorithm>

namespace vellum {

std::optional<LocalFileItem> localItemFor(const QFileInfo& member) {
    if (member.isHidden())
        return std::nullopt;
    LocalFileItem item;
    item.url = QUrl::fromLocalFile(member.absoluteFilePath());
    item.name = member.fileName();
    item.isDirectory = member.isDir();
    if (item.isDirectory) {
        item.typeLabel = QStringLiteral("DIR");
    } else {
        if (member.exists())
            item.fileSize = member.size();
        item.typeLabel = typeLabel(item.url);
    }
    return item;
}

void sortLocalItems(QList<LocalFileItem>& items) {
    // The "C" locale's collator compares code points and ignores numeric mode; the file
    // manager's order still wants digit runs by value there.
    const QLocale locale = QLocale().language() == QLocale::C
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(),
                     [&](const LocalFileItem& a, const LocalFileItem& b) {
                         if (a.isDirectory != b.isDirectory)
                             return a.isDirectory;
                         return collator.compare(a.name, b.name) < 0;
                     });
}

QList<LocalFileItem> listLocalFolder(const QUrl& folder) {
    // Without QDir::Hidden the listing leaves hidden members out; sockets and other
    // special files (QDir::System) are not offered either.
    const QDir dir(folder.toLocalFile());
    const QFileInfoList members =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    QList<LocalFileItem> items;
    items.reserve(members.size());
    for (const QFileInfo& member : members) {
        if (auto item = localItemFor(member))
            items.append(std::move(*item));
    }
    sortLocalItems(items);
    return items;
}

QList<LocalFileItem> visibleLocalItems(const QList<LocalFileItem>& items,
                                       const LocalFilters& filters, bool browsingImage) {
    if (browsingImage)
        return items;
    QSet<QString> enabled;
    if (filters.d64)
        enabled.insert(QStringLiteral("d64"));
    if (filters.prg)
        enabled.insert(QStringLiteral("prg"));
    if (filters.t64)
        enabled.insert(QStringLiteral("t64"));
    QList<LocalFileItem> visible;
    for (const LocalFileItem& item : items) {
        const bool kept =
            item.isDirectory
                ? !filters.hideFolders
                : enabled.isEmpty() || enabled.contains(pathExtension(item.url).toLower());
        if (kept)
            visible.append(item);
    }
    return visible;
}

QUrl imageEntryURL(const QUrl& image, qint64 index, CBMFileType type) {
    QString path = image.toLocalFile();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return QUrl::fromLocalFile(path + QLatin1Char('/') + QString::number(index) + QLatin1Char('.') +
                               fileExtension(type));
}

QList<LocalFileItem> imageEntryItems(const QUrl& image, const DiskDirectory& directory) {
    QList<LocalFileItem> items;
    items.reserve(directory.entries.size());
    for (qsizetype index = 0; index < directory.entries.size(); ++index) {
        const DirectoryEntry& entry = directory.entries.at(index);
        LocalFileItem item;
        item.url = imageEntryURL(image, index, entry.type);
        item.name = entry.name.toUpper();
        item.isDirectory = false;
        item.fileSize = entry.byteSize;
        item.typeLabel = entry.typeToken;
        if (entry.blocks >= 1)
            item.blocks = entry.blocks;
        item.imageIndex = index;
        items.append(item);
    }
    return items;
}

QList<QUrl> urlsOf(const QList<LocalFileItem>& items) {
    QList<QUrl> urls;
    urls.reserve(items.size());
    for (const LocalFileItem& item : items)
        urls.append(item.url);
    return urls;
}

QUrl standardizedFileURL(const QUrl& url) {
    return QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).absoluteFilePath());
}

bool isTapeImageFile(const QUrl& url) {
    return pathExtension(url).toLower() == QLatin1String("t64");
}

bool isDiskImageFile(const QUrl& url) {
    return diskImageExtensions().contains(pathExtension(url).toLower());
}

bool isImageFile(const QUrl& url) {
    return isDiskImageFile(url) || isTapeImageFile(url);
}

} // namespace vellum
