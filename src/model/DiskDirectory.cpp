#include "model/DiskDirectory.h"

#include <algorithm>

namespace vellum {

const DiskDirectory& DiskDirectory::empty() {
    static const DiskDirectory emptyDirectory;
    return emptyDirectory;
}

qsizetype DiskDirectory::fileCount() const {
    return std::ranges::count_if(
        entries, [](const DirectoryEntry& entry) { return entry.type != CBMFileType::del; });
}

size_t qHash(const DiskDirectory& directory, size_t seed) noexcept {
    size_t hash = qHashMulti(seed, directory.diskName, directory.diskID,
                             directory.blocksFree.value_or(-1), directory.blocksFree.has_value());
    for (const DirectoryEntry& entry : directory.entries) {
        hash = qHash(entry, hash);
    }
    return hash;
}

} // namespace vellum
