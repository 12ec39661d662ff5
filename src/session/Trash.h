#pragma once

#include <QUrl>

namespace vellum {

// Moves a file or a folder to the desktop's trash (the freedesktop trash on Linux, the
// platform's own elsewhere). Throws PlatformError naming the item when the platform refuses.
void moveItemToTrash(const QUrl& url);

} // namespace vellum
