#include "session/ComputerItemsModel.h"

#include "model/FileNames.h"
#include "session/ComputerListing.h"
#include "session/ComputerPaneState.h"

namespace vellum {

QString sizeText(const ComputerFileItem& item) {
    const QString dash = QStringLiteral("—");
    if (item.isDirectory) {
        return dash;
    }
    if (item.fileSize && *item.fileSize >= 1) {
        return formatByteCount(*item.fileSize);
    }
    if (item.blocks && *item.blocks >= 1) {
        return formatByteCount(*item.blocks * 254);
    }
    return dash;
}

RowIconKind iconKind(const ComputerFileItem& item) {
    if (item.isDirectory) {
        return RowIconKind::folder;
    }
    if (!item.imageIndex && isImageFile(item.url)) {
        return RowIconKind::diskOrTapeImage;
    }
    return RowIconKind::document;
}

bool isD64DropTarget(const ComputerFileItem& item) {
    return !item.isDirectory && !item.imageIndex && isDiskImageFile(item.url);
}

ComputerItemsModel::ComputerItemsModel(const ComputerPaneState& computer, QObject* parent)
    : PaneListModel({tr("NAME"), tr("TYPE"), tr("SIZE"), tr("BLOCKS")}, parent),
      m_computer(computer), m_rows(computer.visibleLocalItems()) {
    connect(&computer, &ComputerPaneState::visibleLocalItemsChanged, this,
            &ComputerItemsModel::followItems);
    connect(&computer, &ComputerPaneState::selectionToggled, this, [this](const QSet<QUrl>& urls) {
        showToggled(m_rows, urls, [](const ComputerFileItem& item) { return item.url; });
    });
}

void ComputerItemsModel::followItems() {
    const QList<ComputerFileItem>& after = m_computer.visibleLocalItems();
    followRows(m_rows, after, urlsOf(m_rows), urlsOf(after),
               [](const ComputerFileItem& before, const ComputerFileItem& now) -> QList<int> {
                   if (before == now) {
                       return {};
                   }
                   return {Qt::DisplayRole, RecordRole, IconKindRole, D64DropTargetRole};
               });
}

int ComputerItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ComputerItemsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const ComputerFileItem& item = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case nameColumn:
            return item.name;
        case typeColumn:
            return item.typeLabel;
        case sizeColumn:
            return sizeText(item);
        case blocksColumn:
            return item.blocksText();
        }
        return {};
    case SelectedRole:
        return m_computer.selectedLocalURLs().contains(item.url);
    case RecordRole:
        return QVariant::fromValue(item);
    case IconKindRole:
        return QVariant::fromValue(iconKind(item));
    case D64DropTargetRole:
        return isD64DropTarget(item);
    }
    return {};
}

} // namespace vellum
