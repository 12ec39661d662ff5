#include "ui/panes/ComputerListBridge.h"

#include "session/VellumViewModel.h"
#include "ui/panes/PaneDragData.h"

namespace vellum {

ComputerListBridge::ComputerListBridge(VellumViewModel& session)
    : SessionListBridge(session, CommanderPane::computer) {}

const ComputerItemsModel& ComputerListBridge::model() const {
    return session.computerListModel();
}

int ComputerListBridge::rowCount() const {
    return model().rowCount();
}

QVariant ComputerListBridge::anchorKey() const {
    const std::optional<QUrl> anchor = session.computer().computerSelectionAnchor();
    return anchor ? QVariant(*anchor) : QVariant();
}

QVariant ComputerListBridge::rowKey(int row) const {
    return model().itemAt(row).url;
}

QString ComputerListBridge::searchName(int row) const {
    return model().itemAt(row).name;
}

bool ComputerListBridge::pressRow(int row, SelectionModifiers modifiers) {
    return session.computer().click(model().itemAt(row).url, modifiers);
}

void ComputerListBridge::collapseTo(const QVariant& key) {
    session.computer().collapseSelectionTo(key.toUrl());
}

void ComputerListBridge::pressBackground() {
    session.computer().clearSelection();
}

void ComputerListBridge::activateRow(int row) {
    // A copy: activating may re-list the folder and drop the row.
    const ComputerFileItem item = model().itemAt(row);
    session.activate(item);
}

void ComputerListBridge::selectRow(int row) {
    session.computer().select(model().itemAt(row).url);
}

void ComputerListBridge::selectAllRows() {
    session.computer().selectAll();
}

void ComputerListBridge::openSelection() {
    session.openAnchorItem();
}

void ComputerListBridge::goUp() {
    session.goUp();
}

void ComputerListBridge::requestDelete() {
    session.requestLocalDelete();
}

QList<ContextAction> ComputerListBridge::rowMenu(int row) {
    const ComputerFileItem item = model().itemAt(row);
    session.computer().prepareRowMenu(item.url);
    return session.commandRegistry().computerRowMenu(item);
}

QList<ContextAction> ComputerListBridge::backgroundMenu() {
    session.computer().clearSelection();
    return session.commandRegistry().computerBackgroundMenu();
}

QMimeData* ComputerListBridge::dragData(int row) {
    const ComputerFileItem pressed = model().itemAt(row);
    const QList<QUrl> urls = session.dragURLs(pressed);
    if (urls.isEmpty()) {
        return nullptr;
    }
    const bool wholeSelection = session.computer().selectedLocalURLs().contains(pressed.url);
    return new ComputerItemsMimeData(pressed, wholeSelection, urls);
}

} // namespace vellum
