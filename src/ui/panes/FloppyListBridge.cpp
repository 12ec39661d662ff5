#include "ui/panes/FloppyListBridge.h"

#include "session/VellumViewModel.h"
#include "ui/panes/PaneDragData.h"

namespace vellum {

FloppyListBridge::FloppyListBridge(VellumViewModel& session) : session(session) {}

const FloppyDirectoryModel& FloppyListBridge::model() const {
    return session.floppyListModel();
}

QVariant FloppyListBridge::rowKey(int row) const {
    return model().entryAt(row).id;
}

std::optional<int> FloppyListBridge::anchorRow() const {
    const std::optional<QUuid> anchor = session.floppy().floppySelectionAnchor();
    if (!anchor) {
        return std::nullopt;
    }
    for (int row = 0; row < model().rowCount(); ++row) {
        if (model().entryAt(row).id == *anchor) {
            return row;
        }
    }
    return std::nullopt;
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

void FloppyListBridge::extendToRow(int row) {
    session.floppy().click(model().entryAt(row).id, {.command = false, .shift = true});
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
    return session.floppyRowMenu();
}

QList<ContextAction> FloppyListBridge::backgroundMenu() {
    session.floppy().clearSelection();
    return session.floppyBackgroundMenu();
}

QMimeData* FloppyListBridge::dragData(int row) {
    const QStringList payloads = session.floppy().dragPayloads(model().entryAt(row));
    if (payloads.isEmpty()) {
        return nullptr;
    }
    return new FloppyEntriesMimeData(payloads);
}

void FloppyListBridge::takeFocus() {
    session.window().setFocusedPane(CommanderPane::floppy);
}

bool FloppyListBridge::hasPaneFocus() const {
    return session.window().focusedPane() == CommanderPane::floppy;
}

} // namespace vellum
