#pragma once

#include "session/PaneListModel.h"

#include <QIcon>
#include <QStyledItemDelegate>

namespace vellum {

// The symbol of a row: a filled folder, a disk or tape image, or a document.
QIcon rowIcon(RowIconKind kind);

class PaneListView;

// Draws a pane's cells: the row's symbol in the name column where the list shows symbols,
// and numbers aligned as their column asks. Stripes, hover and selection come from the
// theme's style sheet.
class PaneItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    PaneItemDelegate(const PaneListView& list, QObject* parent);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const PaneListView& list;
};

} // namespace vellum
