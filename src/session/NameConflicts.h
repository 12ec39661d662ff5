#pragma once

#include "model/DiskDirectory.h"
#include "session/CopyPlanning.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vellum {

// What the user chose for a file whose name is already on the disk. Replace scratches the
// old file and then writes, never the DOS's "@:" replace, which is known to lose data.
enum class ConflictChoice { replace, keepBoth, skip };

// The names a listing holds, as the drive compares them: its bytes exactly, the padding
// after the name left out (the listing's text is the name without it).
QSet<QString> namesOnDisk(const DiskDirectory& listing);

// The positions of the items whose names the disk already holds.
QList<qsizetype> conflictingItems(const QList<FloppyCopyItem>& items, const QSet<QString>& taken);

// The first of "NAME-2", "NAME-3", … that `taken` does not hold, the base cut so the whole
// fits 16 characters.
QString keepBothName(const QString& name, const QSet<QString>& taken);

// A copy with every conflict decided: what to scratch first, what to write under which
// name, and the blocks the scratches free for the space check.
struct ResolvedCopy {
    QStringList toScratch;
    QList<FloppyCopyItem> toWrite;
    qint64 blocksFreed = 0;

    friend bool operator==(const ResolvedCopy&, const ResolvedCopy&) = default;
};

// `choices` holds one choice for each conflicting item, in order; items without a
// conflict are written as they are. Two items of one copy never write one name.
ResolvedCopy resolveConflicts(const QList<FloppyCopyItem>& items, const DiskDirectory& listing,
                              const QList<ConflictChoice>& choices);

} // namespace vellum
