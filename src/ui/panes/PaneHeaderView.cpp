#include "ui/panes/PaneHeaderView.h"

#include "ui/panes/PaneListView.h"

#include "ui/kit/Theme.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace vellum {

PaneHeaderView::PaneHeaderView(const PaneListView& list)
    : QHeaderView(Qt::Horizontal), list(list) {}

void PaneHeaderView::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    if (!list.isFocusedPane()) {
        return;
    }
    constexpr int lineWidth = 2;
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(QRect(area.left(), area.bottom() - lineWidth + 1, area.width(), lineWidth),
                     Theme::shared().colors().focusRing);
}

void PaneHeaderView::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (list.isRightAligned(logicalIndex)) {
        option->textAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

} // namespace vellum
