#pragma once

#include "model/CBMFileType.h"

#include <QString>
#include <QUuid>
#include <optional>

namespace vellum {

// A new identity for a directory entry, unique within the process. Cheap: listings make one
// for every entry, so they come from a counter rather than from the random source.
QUuid makeEntryId();

// One entry of a floppy or disk-image directory. Every reading makes a fresh id,
// so selections are carried across readings by name, not by id.
struct DirectoryEntry {
    QUuid id = makeEntryId();
    QString name;
    CBMFileType type = CBMFileType::prg;
    QString typeToken;
    qint64 blocks = 0;
    bool isSplat = false;
    bool isLocked = false;
    std::optional<qint64> byteSize;

    friend bool operator==(const DirectoryEntry&, const DirectoryEntry&) = default;
};

inline size_t qHash(const DirectoryEntry& entry, size_t seed = 0) noexcept {
    return qHashMulti(seed, entry.id, entry.name, entry.type, entry.typeToken, entry.blocks,
                      entry.isSplat, entry.isLocked, entry.byteSize.value_or(-1),
                      entry.byteSize.has_value());
}

} // namespace vellum
