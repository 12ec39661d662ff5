#pragma once

#include "ui/panes/SessionListBridge.h"

namespace vellum {

class FloppyDirectoryModel;

// The floppy pane's answers to its list: the session's click rules over the directory, the
// copy to the computer side on a double click or Return, the menus, and the entries a drag
// carries.
class FloppyListBridge : public SessionListBridge {
public:
    explicit FloppyListBridge(VellumViewModel& session);

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
    const FloppyDirectoryModel& model() const;
    void copySelectionToComputer();
};

} // namespace vellum
