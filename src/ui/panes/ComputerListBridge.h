#pragma once

#include "ui/panes/SessionListBridge.h"

namespace vellum {

class ComputerItemsModel;

// The computer pane's answers to its list: the session's click rules over the visible
// items, activation, the row and background menus, and the files a drag carries.
class ComputerListBridge : public SessionListBridge {
public:
    explicit ComputerListBridge(VellumViewModel& session);

    QVariant rowKey(int row) const override;
    QString searchName(int row) const override;
    bool pressRow(int row, SelectionModifiers modifiers) override;
    void collapseTo(const QVariant& key) override;
    void pressBackground() override;
    void activateRow(int row) override;
    void selectRow(int row) override;
    void selectAllRows() override;
    void openSelection() override;
    void goUp() override;
    void requestDelete() override;
    QList<ContextAction> rowMenu(int row) override;
    QList<ContextAction> backgroundMenu() override;
    QMimeData* dragData(int row) override;

protected:
    int rowCount() const override;
    QVariant anchorKey() const override;

private:
    const ComputerItemsModel& model() const;
};

} // namespace vellum
