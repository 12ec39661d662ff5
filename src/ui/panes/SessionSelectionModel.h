#pragma once

#include <QItemSelectionModel>

namespace vellum {

// The selection model of a pane's list: it shows the rows whose SelectedRole is true and
// nothing else. The session decides the selection; every other write (the view's own
// mouse and key handling, select-all, a clear) is ignored where it arrives. Only the
// current row is the view's to move.
class SessionSelectionModel : public QItemSelectionModel {
    Q_OBJECT

public:
    explicit SessionSelectionModel(QAbstractItemModel* model, QObject* parent = nullptr);

    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection,
                QItemSelectionModel::SelectionFlags command) override;
    void clear() override;
    void reset() override;

private:
    void follow();
};

} // namespace vellum
