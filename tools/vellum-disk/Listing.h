#pragma once

#include "model/DiskDirectory.h"

#include <QString>

namespace vellum {

// A listing shaped like the drive's own: the header line, one line per file, and the
// free blocks when the image has a count.
QString listingText(const DiskDirectory& directory, const QString& dosType,
                    std::optional<qint64> driveBlocksFree);

} // namespace vellum
