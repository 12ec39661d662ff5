#pragma once

#include "model/DirectoryEntry.h"
#include "session/PaneListModel.h"

#include <QUuid>

namespace vellum {

class FloppyPaneState;

// The floppy pane's rows: the entries of the directory in directory order, with the
// columns NAME (the name between double quotes), TYPE and BLOCKS. A re-read directory keeps
// the rows still there (matched by name and type, since each reading gives new ids).
class FloppyDirectoryModel : public PaneListModel {
    Q_OBJECT

public:
    enum Column { nameColumn, typeColumn, blocksColumn };

    explicit FloppyDirectoryModel(const FloppyPaneState& floppy, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The entry shown in `row`.
    const DirectoryEntry& entryAt(int row) const { return m_rows.at(row); }

private:
    void followDirectory();

    const FloppyPaneState& m_floppy;
    QList<DirectoryEntry> m_rows;
};

} // namespace vellum
