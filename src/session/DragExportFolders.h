#pragma once

#include <QString>

namespace vellum {

// The folders that dragged image entries are exported into, one per entry, in the
// temporary folder: "vellum-drag-<process id>-<uuid>". A drop target may copy the file
// after the drag has ended, so they stay until the program quits; the process id lets a
// later run tell the folders of a program that is gone from those of one still running.

// Makes a new folder for this process; empty when it cannot be made.
QString makeDragExportFolder();
// Removes this process's folders (when it quits).
void removeOwnDragExportFolders();
// Removes the folders of processes that no longer run (an earlier run that ended without
// cleaning up). Nothing else in the temporary folder is touched.
void removeStaleDragExportFolders();

} // namespace vellum
