#pragma once

#include <QByteArray>

namespace vellum::sim {

// The listing lines `cbmctrl dir` prints for a readable disk (header, entries, blocks free),
// each ending in "\n"; the drive's status line is not part of it.
QByteArray directoryListing(const QByteArray& disk, bool keepHighBytes);

} // namespace vellum::sim
