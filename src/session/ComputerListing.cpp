#include "session/ComputerListing.h"

#include "model/FileNames.h"
#include "model/TextUtil.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace vellum {

namespace {

ComputerFileItem folderMember(const QString& folderPath, const QString& name, bool isDirectory,
                              std::optional<qint64> size) {
    ComputerFileItem item;
    item.url = QUrl::fromLocalFile(folderPath.endsWith(QLatin1Char('/'))
                                       ? folderPath + name
                                       : folderPath + QLatin1Char('/') + name);
    item.name = name;
    item.isDirectory = isDirectory;
    if (isDirectory) {
        item.typeLabel = QStringLiteral("DIR");
    } else {
        item.fileSize = size;
        item.typeLabel = typeLabel(item.url);
    }
    return item;
}

} // namespace

void sortLocalItems(QList<ComputerFileItem>& items) {
    // The "C" locale's collator compares code points and ignores numeric mode; the file
    // manager's order still wants digit runs by value there.
    const QLocale locale = QLocale().language() == QLocale::C
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // One sort key per name: comparing keys is far cheaper than collating names again
    // for every comparison of a large folder.
    struct Keyed {
        QCollatorSortKey key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        keyed.push_back({collator.sortKey(items.at(i).name), i});
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        const ComputerFileItem& first = items.at(a.index);
        const ComputerFileItem& second = items.at(b.index);
        if (first.isDirectory != second.isDirectory) {
            return first.isDirectory;
        }
        if (const int order = a.key.compare(b.key); order != 0) {
            return order < 0;
        }
        // Names the collator holds equal (case apart) still get one order.
        if (const int order = first.name.compare(second.name); order != 0) {
            return order < 0;
        }
        return a.index < b.index;
    });
    QList<ComputerFileItem> sorted;
    sorted.reserve(items.size());
    for (const Keyed& each : keyed) {
        sorted.append(std::move(items[each.index]));
    }
    items = std::move(sorted);
}

QList<ComputerFileItem> listLocalFolder(const QUrl& folder) {
    // Read straight from the directory and look each member up relative to it: a folder of
    // thousands of files lists in a fraction of the time whole paths and QFileInfo take.
    const QString path = QDir(folder.toLocalFile()).absolutePath();
    struct Member {
        QByteArray name;
        bool isDirectory;
        std::optional<qint64> size;
    };
    std::vector<Member> members;
    DIR* directory = ::opendir(QFile::encodeName(path).constData());
    if (!directory) {
        return {};
    }
    const auto closeDirectory = qScopeGuard([directory] { ::closedir(directory); });
    const int directoryHandle = ::dirfd(directory);
    while (const dirent* member = ::readdir(directory)) {
        // Hidden members (and "." and "..") are left out.
        if (member->d_name[0] == '.') {
            continue;
        }
        struct stat status;
        if (::fstatat(directoryHandle, member->d_name, &status, 0) != 0) {
            // A link to nothing (or to itself) still takes its name in the folder, so it is
            // shown, as a file of unknown size that cannot be opened.
            if (::fstatat(directoryHandle, member->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(status.st_mode)) {
                members.push_back({QByteArray(member->d_name), false, std::nullopt});
            }
            continue;
        }
        // A socket, a pipe or a device is not offered.
        if (!S_ISDIR(status.st_mode) && !S_ISREG(status.st_mode)) {
            continue;
        }
#ifdef UF_HIDDEN
        if (status.st_flags & UF_HIDDEN) {
            continue;
        }
#endif
        members.push_back(
            {QByteArray(member->d_name), S_ISDIR(status.st_mode), qint64(status.st_size)});
    }
    QList<ComputerFileItem> items;
    items.reserve(qsizetype(members.size()));
    for (const Member& member : members) {
        items.append(
            folderMember(path, QFile::decodeName(member.name), member.isDirectory, member.size));
    }
    sortLocalItems(items);
    return items;
}

QList<ComputerFileItem> visibleLocalItems(const QList<ComputerFileItem>& items,
                                          const ComputerFilters& filters, bool browsingImage) {
    if (browsingImage || filters == ComputerFilters{}) {
        return items;
    }
    QSet<QString> enabled;
    if (filters.d64) {
        enabled.unite(diskImageExtensions());
    }
    if (filters.prg) {
        enabled.insert(QStringLiteral("prg"));
    }
    if (filters.t64) {
        enabled.insert(QStringLiteral("t64"));
    }
    QList<ComputerFileItem> visible;
    for (const ComputerFileItem& item : items) {
        const bool kept =
            item.isDirectory
                ? !filters.hideFolders
                : enabled.isEmpty() || enabled.contains(QFileInfo(item.name).suffix().toLower());
        if (kept) {
            visible.append(item);
        }
    }
    return visible;
}

QUrl imageEntryURL(const QUrl& image, qint64 index, CBMFileType type) {
    QString path = image.toLocalFile();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    return QUrl::fromLocalFile(path + QLatin1Char('/') + QString::number(index) + QLatin1Char('.') +
                               fileExtension(type));
}

QList<ComputerFileItem> imageEntryItems(const QUrl& image, const DiskDirectory& directory) {
    QList<ComputerFileItem> items;
    items.reserve(directory.entries.size());
    for (qsizetype index = 0; index < directory.entries.size(); ++index) {
        const DirectoryEntry& entry = directory.entries.at(index);
        ComputerFileItem item;
        item.url = imageEntryURL(image, index, entry.type);
        item.name = entry.name.toUpper();
        item.isDirectory = false;
        item.fileSize = entry.byteSize;
        item.typeLabel = entry.typeToken;
        if (entry.blocks >= 1) {
            item.blocks = entry.blocks;
        }
        item.imageIndex = index;
        items.append(item);
    }
    return items;
}

QList<QUrl> urlsOf(const QList<ComputerFileItem>& items) {
    QList<QUrl> urls;
    urls.reserve(items.size());
    for (const ComputerFileItem& item : items) {
        urls.append(item.url);
    }
    return urls;
}

QUrl parentFolder(const QUrl& folder) {
    QDir dir(folder.toLocalFile());
    dir.cdUp();
    return QUrl::fromLocalFile(dir.absolutePath());
}

QUrl standardizedFileURL(const QUrl& url) {
    return QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).absoluteFilePath());
}

bool isTapeImageFile(const QUrl& url) {
    return QFileInfo(url.path()).suffix().toLower() == QLatin1String("t64");
}

bool isDiskImageFile(const QUrl& url) {
    return diskImageExtensions().contains(QFileInfo(url.path()).suffix().toLower());
}

bool isImageFile(const QUrl& url) {
    return isDiskImageFile(url) || isTapeImageFile(url);
}

} // namespace vellum
