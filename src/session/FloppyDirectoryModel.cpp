#include "session/FloppyDirectoryModel.h"

#include "session/FloppyPaneState.h"

namespace vellum {

namespace {

// Name and type, and which of several alike entries it is, so every row has its own key.
QList<QString> rowKeys(const QList<DirectoryEntry>& entries) {
    QHash<QString, int> seen;
    QList<QString> keys;
    keys.reserve(entries.size());
    for (const DirectoryEntry& entry : entries) {
        const QString base = entry.name + QLatin1Char('\t') + rawValue(entry.type);
        keys.append(base + QLatin1Char('\t') + QString::number(seen[base]++));
    }
    return keys;
}

bool sameColumns(const DirectoryEntry& a, const DirectoryEntry& b) {
    return a.name == b.name && a.typeToken == b.typeToken && a.blocks == b.blocks;
}

} // namespace

FloppyDirectoryModel::FloppyDirectoryModel(const FloppyPaneState& floppy, QObject* parent)
    : PaneListModel({tr("NAME"), tr("TYPE"), tr("BLOCKS")}, parent), m_floppy(floppy),
      m_rows(floppy.directory().entries) {
    connect(&floppy, &FloppyPaneState::directoryChanged, this,
            &FloppyDirectoryModel::followDirectory);
    connect(&floppy, &FloppyPaneState::selectionToggled, this, [this](const QSet<QUuid>& ids) {
        showToggled(m_rows, ids, [](const DirectoryEntry& entry) { return entry.id; });
    });
}

void FloppyDirectoryModel::followDirectory() {
    const QList<DirectoryEntry>& after = m_floppy.directory().entries;
    followRows(m_rows, after, rowKeys(m_rows), rowKeys(after),
               [](const DirectoryEntry& before, const DirectoryEntry& now) -> QList<int> {
                   if (before == now) {
                       return {};
                   }
                   if (!sameColumns(before, now)) {
                       return {Qt::DisplayRole, RecordRole, SelectedRole};
                   }
                   // A new reading: the same row under a new id.
                   return {RecordRole, SelectedRole};
               });
}

int FloppyDirectoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant FloppyDirectoryModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const DirectoryEntry& entry = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case nameColumn:
            return QStringLiteral("\"") + entry.name + QStringLiteral("\"");
        case typeColumn:
            return entry.typeToken;
        case blocksColumn:
            return QString::number(entry.blocks);
        }
        return {};
    case SelectedRole:
        return m_floppy.selectedEntryIDs().contains(entry.id);
    case RecordRole:
        return QVariant::fromValue(entry);
    case IconKindRole:
        return QVariant::fromValue(RowIconKind::document);
    case D64DropTargetRole:
        return false;
    }
    return {};
}

} // namespace vellum
