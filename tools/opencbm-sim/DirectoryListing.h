#pragma once

#include <QByteArray>

namespace vellum::sim {

// The listing lines `cbmctrl dir` prints for a readable disk (header, entries, blocks free),
// each ending in "\n"; the drive's status line is not part of it. `bothSides` false lists a
// D71 as a 1571 in 1541 mode does: the free count of side one only.
QByteArray directoryListing(const QByteArray& disk, bool keepHighBytes, bool bothSides = true);

} // namespace vellum::sim
