#pragma once

#include "session/CommanderPane.h"
#include "ui/panes/PaneListBridge.h"

namespace vellum {

class VellumViewModel;

// What both panes answer alike: the focus of their side, the anchor found among the rows by
// its key, and Shift with an arrow key as a Shift-click on the row.
class SessionListBridge : public PaneListBridge {
public:
    std::optional<int> anchorRow() const override;
    void extendToRow(int row) override;
    void takeFocus() override;
    bool hasPaneFocus() const override;

protected:
    SessionListBridge(VellumViewModel& session, CommanderPane side);

    virtual int rowCount() const = 0;
    // The key of the side's selection anchor; invalid when there is none.
    virtual QVariant anchorKey() const = 0;

    VellumViewModel& session;

private:
    CommanderPane side;
};

} // namespace vellum
