#pragma once

#include "model/ComputerFileItem.h"
#include "session/PaneListModel.h"

#include <QUrl>

namespace vellum {

class ComputerPaneState;

// The size column of the computer pane: "—" for a folder, else the byte count of the file
// (or of its blocks, for an image entry without one), "—" when neither is known.
QString sizeText(const ComputerFileItem& item);
RowIconKind iconKind(const ComputerFileItem& item);
// A .d64 file on the computer (not an entry inside an image): a row that takes drops.
bool isD64DropTarget(const ComputerFileItem& item);

// The computer pane's rows: the visible items (filters applied, or the entries of the open
// image), with the columns NAME, TYPE, SIZE and BLOCKS. Rows are matched by URL, so a
// refresh or a filter keeps the rows that stay.
class ComputerItemsModel : public PaneListModel {
    Q_OBJECT

public:
    enum Column { nameColumn, typeColumn, sizeColumn, blocksColumn };

    explicit ComputerItemsModel(const ComputerPaneState& computer, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The item shown in `row`.
    const ComputerFileItem& itemAt(int row) const { return m_rows.at(row); }

private:
    void followItems();

    const ComputerPaneState& m_computer;
    QList<ComputerFileItem> m_rows;
};

} // namespace vellum
