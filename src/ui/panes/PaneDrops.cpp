#include "ui/panes/PaneDrops.h"

#include "session/VellumViewModel.h"
#include "ui/panes/PaneDragData.h"

#include <QFileInfo>

namespace vellum {

namespace {

bool sameFile(const QUrl& a, const QUrl& b) {
    const QFileInfo first(a.toLocalFile());
    const QFileInfo second(b.toLocalFile());
    return first.absoluteFilePath() == second.absoluteFilePath() ||
           (first.exists() && first.canonicalFilePath() == second.canonicalFilePath());
}

} // namespace

ComputerDropPlan planComputerDrop(const Commands& commands, const QMimeData* data,
                                  const std::optional<ComputerFileItem>& rowUnderPointer) {
    ComputerDropPlan plan;
    plan.floppyPayloads = droppedFloppyPayloads(data);
    const QList<QUrl> files = droppedFileURLs(data);
    if (rowUnderPointer && commands.acceptsDropOnLocalRow(*rowUnderPointer)) {
        // A D64 is never added into itself.
        for (const QUrl& file : files) {
            if (!sameFile(file, rowUnderPointer->url)) {
                plan.files.append(file);
            }
        }
        if (!plan.files.isEmpty() || !plan.floppyPayloads.isEmpty()) {
            plan.target = ComputerDropPlan::Target::d64Row;
            plan.row = rowUnderPointer;
            return plan;
        }
    }
    plan.files = files;
    // Rows of this pane dropped back onto it would only make copies of themselves.
    const bool fromThisPane = droppedLocalItems(data) != nullptr;
    if (!fromThisPane && commands.acceptsComputerDrop() &&
        (!plan.files.isEmpty() || !plan.floppyPayloads.isEmpty())) {
        plan.target = ComputerDropPlan::Target::pane;
    }
    return plan;
}

void performComputerDrop(VellumViewModel& session, const ComputerDropPlan& plan) {
    // The drops run on by themselves; their outcome shows in the status area.
    switch (plan.target) {
    case ComputerDropPlan::Target::none:
        return;
    case ComputerDropPlan::Target::pane:
        (void)session.dropOnComputerPane(plan.files, plan.floppyPayloads);
        return;
    case ComputerDropPlan::Target::d64Row:
        (void)session.dropOnLocalRow(*plan.row, plan.files, plan.floppyPayloads);
        return;
    }
}

FloppyDropPlan planFloppyDrop(const Commands& commands, const QMimeData* data) {
    FloppyDropPlan plan;
    plan.files = droppedFileURLs(data);
    if (const ComputerItemsMimeData* rows = droppedLocalItems(data)) {
        plan.pressedComputerRow = rows->pressedItem();
        plan.carriesComputerSelection = rows->carriesSelection();
    }
    plan.accepted = commands.acceptsFloppyDrop() && !plan.files.isEmpty();
    return plan;
}

void performFloppyDrop(VellumViewModel& session, const FloppyDropPlan& plan) {
    if (!plan.accepted) {
        return;
    }
    if (plan.pressedComputerRow) {
        if (plan.carriesComputerSelection) {
            (void)session.copySelectedToFloppy();
            return;
        }
        if (plan.pressedComputerRow->imageIndex) {
            // The pressed entry alone, under its listed name, as the arrow would copy it.
            session.computer().select(plan.pressedComputerRow->url);
            (void)session.copySelectedToFloppy();
            return;
        }
    }
    (void)session.dropOnFloppyPane(plan.files);
}

} // namespace vellum
