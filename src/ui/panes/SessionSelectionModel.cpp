#include "ui/panes/SessionSelectionModel.h"

#include "session/PaneListModel.h"

namespace vellum {

SessionSelectionModel::SessionSelectionModel(QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent) {
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(SelectedRole)) {
                    follow();
                }
            });
    // Rows that come or go keep their own state; a reset leaves nothing to keep.
    connect(model, &QAbstractItemModel::rowsInserted, this, &SessionSelectionModel::follow);
    connect(model, &QAbstractItemModel::modelReset, this, &SessionSelectionModel::follow);
    connect(model, &QAbstractItemModel::layoutChanged, this, &SessionSelectionModel::follow);
    follow();
}

void SessionSelectionModel::select(const QModelIndex&, QItemSelectionModel::SelectionFlags) {}

void SessionSelectionModel::select(const QItemSelection&, QItemSelectionModel::SelectionFlags) {}

void SessionSelectionModel::clear() {
    clearCurrentIndex();
}

void SessionSelectionModel::reset() {
    // After a model reset the old ranges mean nothing; the session's selection still holds.
    {
        const QSignalBlocker quiet(this);
        QItemSelectionModel::select(QItemSelection(), QItemSelectionModel::Clear);
        clearCurrentIndex();
    }
    follow();
}

void SessionSelectionModel::follow() {
    const QAbstractItemModel* shown = model();
    QItemSelection selection;
    const int rows = shown->rowCount();
    const int lastColumn = shown->columnCount() - 1;
    int runStart = -1;
    for (int row = 0; row <= rows; ++row) {
        const bool selected = row < rows && shown->index(row, 0).data(SelectedRole).toBool();
        if (selected && runStart < 0) {
            runStart = row;
        } else if (!selected && runStart >= 0) {
            selection.select(shown->index(runStart, 0), shown->index(row - 1, lastColumn));
            runStart = -1;
        }
    }
    if (selection != this->selection()) {
        QItemSelectionModel::select(selection, QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace vellum
