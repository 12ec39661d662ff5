#include "ui/panes/PaneItemDelegate.h"

#include "session/PaneListModel.h"
#include "ui/kit/Icons.h"
#include "ui/panes/PaneListView.h"

#include <QWidget>

namespace vellum {

namespace {

constexpr int iconSide = 16;
// Rows a little taller than the text, as file managers space them.
constexpr int rowSpacing = 8;

} // namespace

QIcon rowIcon(RowIconKind kind) {
    switch (kind) {
    case RowIconKind::folder:
        return themedIcon(IconName::folderFilled);
    case RowIconKind::diskOrTapeImage:
        return themedIcon(IconName::diskImage);
    case RowIconKind::document:
        break;
    }
    return themedIcon(IconName::document);
}

PaneItemDelegate::PaneItemDelegate(const PaneListView& list, QObject* parent)
    : QStyledItemDelegate(parent), list(list) {}

void PaneItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (list.isRightAligned(index.column())) {
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
    if (index.column() == 0 && list.showsRowIcons()) {
        option->icon = rowIcon(index.data(IconKindRole).value<RowIconKind>());
        option->decorationSize = QSize(iconSide, iconSide);
        option->features |= QStyleOptionViewItem::HasDecoration;
        // A selection in the other pane is drawn in the quiet tone with the row's text
        // colour; the symbol follows the text rather than the full selection's contrast.
        const bool quietSelection = option->state.testFlag(QStyle::State_Selected) &&
                                    !option->state.testFlag(QStyle::State_Active);
        if (quietSelection) {
            const qreal ratio = option->widget ? option->widget->devicePixelRatioF() : 1.0;
            option->icon = QIcon(option->icon.pixmap(option->decorationSize, ratio, QIcon::Normal));
        }
    }
}

QSize PaneItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int textHeight = option.fontMetrics.height() + rowSpacing;
    size.setHeight(std::max({size.height(), textHeight, iconSide + 6}));
    return size;
}

} // namespace vellum
