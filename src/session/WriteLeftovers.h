#pragma once

#include <QUrl>

namespace vellum {

// A save or copy cut short by a crash or a kill can leave a hidden temporary file beside the
// file it was writing. The next run removes those, only in the folders it knows were written
// to: the folder the computer pane lists and the folder of the last save.

// Remembers the folder of `savedFile` as the last save folder.
void rememberSaveFolder(const QUrl& savedFile);

// Removes the leftovers in `listedFolder` and in the last save folder.
void removeWriteLeftovers(const QUrl& listedFolder);

} // namespace vellum
