#include "session/NameConflicts.h"

#include "model/FileNames.h"

namespace vellum {

namespace {

constexpr qsizetype nameLength = 16;

} // namespace

QSet<QString> namesOnDisk(const DiskDirectory& listing) {
    QSet<QString> names;
    for (const DirectoryEntry& entry : listing.entries) {
        names.insert(entry.name);
    }
    return names;
}

QList<qsizetype> conflictingItems(const QList<FloppyCopyItem>& items, const QSet<QString>& taken) {
    QList<qsizetype> conflicting;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (taken.contains(items.at(i).cbmName)) {
            conflicting << i;
        }
    }
    return conflicting;
}

QString keepBothName(const QString& name, const QSet<QString>& taken) {
    // Far more suffixes fit in 16 characters than a directory holds names.
    return suffixedFreeName(
               name, nameLength,
               [&taken](const QString& candidate) { return taken.contains(candidate); })
        .value_or(name);
}

ResolvedCopy resolveConflicts(const QList<FloppyCopyItem>& items, const DiskDirectory& listing,
                              const QList<ConflictChoice>& choices) {
    const QSet<QString> onDisk = namesOnDisk(listing);
    QSet<QString> written;
    ResolvedCopy resolved;
    qsizetype conflict = 0;
    for (const FloppyCopyItem& item : items) {
        FloppyCopyItem copy = item;
        if (onDisk.contains(item.cbmName)) {
            const ConflictChoice choice = choices.value(conflict++, ConflictChoice::skip);
            if (choice == ConflictChoice::skip) {
                continue;
            }
            if (choice == ConflictChoice::replace && !written.contains(item.cbmName)) {
                for (const DirectoryEntry& entry : listing.entries) {
                    if (entry.name == item.cbmName) {
                        resolved.toScratch << entry.name;
                        resolved.blocksFreed += entry.blocks;
                        break;
                    }
                }
            } else {
                copy.cbmName = keepBothName(item.cbmName, onDisk + written);
            }
        } else if (written.contains(item.cbmName)) {
            copy.cbmName = keepBothName(item.cbmName, onDisk + written);
        }
        written.insert(copy.cbmName);
        resolved.toWrite << copy;
    }
    return resolved;
}

} // namespace vellum
