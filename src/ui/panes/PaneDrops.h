#pragma once

#include "model/ComputerFileItem.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <optional>

class QMimeData;

namespace vellum {

class Commands;
class VellumViewModel;

// Where a drag over the computer pane would land, and what it would bring.
struct ComputerDropPlan {
    enum class Target { none, pane, d64Row };
    Target target = Target::none;
    // The D64 row under the pointer, for Target::d64Row.
    std::optional<ComputerFileItem> row;
    QList<QUrl> files;
    QStringList floppyPayloads;
};

// A D64 row takes files (never itself) and floppy entries; the rest of the pane takes them
// into the folder or the open D64. The pane's own rows dropped back onto it copy nothing,
// and nothing is taken while busy.
ComputerDropPlan planComputerDrop(const Commands& commands, const QMimeData* data,
                                  const std::optional<ComputerFileItem>& rowUnderPointer);
void performComputerDrop(VellumViewModel& session, const ComputerDropPlan& plan);

// What a drag over the floppy pane would copy to the floppy.
struct FloppyDropPlan {
    bool accepted = false;
    QList<QUrl> files;
    // For a drag from the computer pane: the pressed row, and whether the drag carries the
    // whole selection.
    std::optional<ComputerFileItem> pressedComputerRow;
    bool carriesComputerSelection = false;
};

FloppyDropPlan planFloppyDrop(const Commands& commands, const QMimeData* data);
// Files from the desktop go to the floppy's intake. Rows of the computer pane take the
// arrow button's path, so entries of an open image keep the names the image lists.
void performFloppyDrop(VellumViewModel& session, const FloppyDropPlan& plan);

} // namespace vellum
