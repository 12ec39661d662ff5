#include "ui/panes/SessionListBridge.h"

#include "session/VellumViewModel.h"

namespace vellum {

SessionListBridge::SessionListBridge(VellumViewModel& session, CommanderPane side)
    : session(session), side(side) {}

std::optional<int> SessionListBridge::anchorRow() const {
    const QVariant anchor = anchorKey();
    if (!anchor.isValid()) {
        return std::nullopt;
    }
    for (int row = 0; row < rowCount(); ++row) {
        if (rowKey(row) == anchor) {
            return row;
        }
    }
    return std::nullopt;
}

void SessionListBridge::extendToRow(int row) {
    pressRow(row, {.command = false, .shift = true});
}

void SessionListBridge::takeFocus() {
    session.window().setFocusedPane(side);
}

bool SessionListBridge::hasPaneFocus() const {
    return session.window().focusedPane() == side;
}

} // namespace vellum
