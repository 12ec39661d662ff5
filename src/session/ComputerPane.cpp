#include "session/VellumViewModel.h"

#include "model/FileNames.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vellum {

// Lists the computer folder: folders first, then files, each in the file manager's order.
void VellumViewModel::refreshLocalItems() {
    QList<LocalFileItem> items;
    const QDir folder(m_localFolder.toLocalFile());
    const QFileInfoList members =
        folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    for (const QFileInfo& member : members) {
        if (member.isHidden()) {
            continue;
        }
        LocalFileItem item;
        item.url = QUrl::fromLocalFile(member.absoluteFilePath());
        item.name = member.fileName();
        item.isDirectory = member.isDir();
        if (item.isDirectory) {
            item.typeLabel = QStringLiteral("DIR");
        } else {
            item.fileSize = member.size();
            item.typeLabel = typeLabel(item.url);
        }
        items.append(item);
    }
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(),
                     [&](const LocalFileItem& a, const LocalFileItem& b) {
                         if (a.isDirectory != b.isDirectory) {
                             return a.isDirectory;
                         }
                         return collator.compare(a.name, b.name) < 0;
                     });
    setLocalItems(items);

    UrlSet kept;
    for (const LocalFileItem& item : items) {
        if (m_selectedLocalURLs.contains(item.url)) {
            kept.insert(item.url);
        }
    }
    setSelectedLocalURLs(kept);
    if (m_localSelectionAnchor && !kept.contains(*m_localSelectionAnchor)) {
        setLocalSelectionAnchor(kept.isEmpty() ? std::nullopt : std::optional(*kept.begin()));
    }
}

} // namespace vellum
