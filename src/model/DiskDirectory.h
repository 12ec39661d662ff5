#pragma once

#include "model/DirectoryEntry.h"

#include <QList>
#include <QString>
#include <optional>

namespace vellum {

// One whole directory listing, from the drive or from an image.
struct DiskDirectory {
    QString diskName;
    QString diskID; // the ID and DOS type as printed, e.g. "01 2A"
    QList<DirectoryEntry> entries;
    std::optional<qint64> blocksFree;

    static const DiskDirectory& empty();

    // Entries that are not DEL; the floppy pane's header shows this count.
    qsizetype fileCount() const;

    friend bool operator==(const DiskDirectory&, const DiskDirectory&) = default;
};

size_t qHash(const DiskDirectory& directory, size_t seed = 0) noexcept;

} // namespace vellum
