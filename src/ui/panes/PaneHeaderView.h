#pragma once

#include <QHeaderView>

namespace vellum {

class PaneListView;

// The column headings of a pane's list, aligned like the columns under them. Under the
// headings of the pane that menu commands act on runs a line in the focus colour.
class PaneHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit PaneHeaderView(const PaneListView& list);

protected:
    void paintEvent(QPaintEvent* event) override;
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;

private:
    const PaneListView& list;
};

} // namespace vellum
