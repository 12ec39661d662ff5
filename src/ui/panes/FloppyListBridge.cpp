#include "ui/panes/FloppyListBridge.h"

#include "session/VellumViewModel.h"
#include "ui/panes/PaneDragData.h"

namespace vellum {

FloppyListBridge::FloppyListBridge(VellumViewModel& session)
    : SessionListBridge(session, CommanderPane::floppy) {}

const FloppyDirectoryModel& FloppyListBridge::model() const {
    return session.floppyListModel();
}

int FloppyListBridge::rowCount() const {
    return model().rowCount();
}

QVariant FloppyListBridge::anchorKey() const {
    const std::optional<QUuid> anchor = session.floppy().floppySelectionAnchor();
    return anchor ? QVariant(*anchor) : QVariant();
}

QVariant FloppyListBridge::rowKey(int row) const {
    return model().entryAt(row).id;
}

QString FloppyListBridge::searchName(int row) const {
    return model().entryAt(row).name;
}

bool FloppyListBridge::pressRow(int row, SelectionModifiers modifiers) {
    return session.floppy().click(model().entryAt(row).id, modifiers);
}

void FloppyListBridge::collapseTo(const QVariant& key) {
    session.floppy().collapseSelectionTo(key.toUuid());
}

void FloppyListBridge::pressBackground() {
    session.floppy().clearSelection();
}

void FloppyListBridge::activateRow(int) {
    copySelectionToComputer();
}

void FloppyListBridge::selectRow(int row) {
    session.floppy().selectEntry(model().entryAt(row).id);
}

void FloppyListBridge::selectAllRows() {
    session.floppy().selectAll();
}

void FloppyListBridge::openSelection() {
    copySelectionToComputer();
}

void FloppyListBridge::copySelectionToComputer() {
    if (!session.floppy().selectedEntryIDs().isEmpty()) {
        // The copy runs on by itself; its outcome shows in the status area.
        (void)session.copySelectedFloppyEntries();
    }
}

void FloppyListBridge::goUp() {}

void FloppyListBridge::requestDelete() {
    session.requestFloppyDelete();
}

QList<ContextAction> FloppyListBridge::rowMenu(int row) {
    session.floppy().prepareRowMenu(model().entryAt(row).id);
    return session.commandRegistry().floppyRowMenu();
}

QList<ContextAction> FloppyListBridge::backgroundMenu() {
    session.floppy().clearSelection();
    return session.commandRegistry().floppyBackgroundMenu();
}

QMimeData* FloppyListBridge::dragData(int row) {
    const QStringList payloads = session.floppy().dragPayloads(model().entryAt(row));
    if (payloads.isEmpty()) {
        return nullptr;
    }
    return new FloppyEntriesMimeData(payloads);
}

} // namespace vellum
