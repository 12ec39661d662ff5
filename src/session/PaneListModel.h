#pragma once

#include "session/RowDiff.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <QStringList>

namespace vellum {

// The custom roles of the panes' list models.
enum PaneRole {
    // bool: the row is selected in the session.
    SelectedRole = Qt::UserRole + 1,
    // The row's record: a DirectoryEntry or a ComputerFileItem.
    RecordRole,
    // RowIconKind: which icon the row shows.
    IconKindRole,
    // bool: the row is a D64 file on the computer, which takes drops.
    D64DropTargetRole,
};

enum class RowIconKind {
    folder,
    diskOrTapeImage, // a .d64 or .t64 file on the computer
    document,        // every other file, entries inside an image included
};

// A table over a list the session keeps, which follows that list with row removals,
// insertions and dataChanged only: a row that stays is never reset, so a view keeps its
// scroll position and current row.
class PaneListModel : public QAbstractTableModel {
public:
    PaneListModel(QStringList columnTitles, QObject* parent)
        : QAbstractTableModel(parent), m_columnTitles(std::move(columnTitles)) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_columnTitles.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        return m_columnTitles.value(section);
    }

    // Above this many runs of removed and inserted rows a change is shown as a reset.
    static constexpr qsizetype maxRuns = 64;

protected:
    // Turns `rows` into `after`. Rows are matched by their keys (`beforeKeys` of `rows`,
    // `afterKeys` of `after`, unique per list); a matched row whose contents differ gets
    // dataChanged for the roles `changedRoles` names.
    template <typename Row, typename Key, typename ChangedRoles>
    void followRows(QList<Row>& rows, const QList<Row>& after, const QList<Key>& beforeKeys,
                    const QList<Key>& afterKeys, ChangedRoles changedRoles) {
        const RowChanges changes = planRowChanges(beforeKeys, afterKeys);
        const bool nothingShared = changes.kept.isEmpty() && !rows.isEmpty() && !after.isEmpty();
        // Thousands of scattered runs (a filter over a large folder) cost every view more
        // row by row than a fresh start.
        const bool scattered = changes.removals.size() + changes.insertions.size() > maxRuns;
        if (nothingShared || scattered) {
            // Another folder: a fresh list is what the view should show.
            beginResetModel();
            rows = after;
            endResetModel();
            return;
        }
        for (const auto& [first, count] : changes.removals) {
            beginRemoveRows({}, int(first), int(first + count - 1));
            rows.remove(first, count);
            endRemoveRows();
        }
        for (const auto& [first, count] : changes.insertions) {
            beginInsertRows({}, int(first), int(first + count - 1));
            rows = rows.mid(0, first) + after.mid(first, count) + rows.mid(first);
            endInsertRows();
        }
        for (const auto& [oldIndex, newIndex] : changes.kept) {
            Q_UNUSED(oldIndex);
            const QList<int> roles = changedRoles(rows.at(newIndex), after.at(newIndex));
            rows[newIndex] = after.at(newIndex);
            if (!roles.isEmpty()) {
                emit dataChanged(index(int(newIndex), 0), index(int(newIndex), columnCount() - 1),
                                 roles);
            }
        }
    }

    // Tells the views that the rows whose keys are among `toggled` changed their selected
    // state (the session holds the selection; the rows only show it), in runs.
    template <typename Row, typename Key, typename KeyOf>
    void showToggled(const QList<Row>& rows, const QSet<Key>& toggled, KeyOf keyOf) {
        QList<qsizetype> changed;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (toggled.contains(keyOf(rows.at(i)))) {
                changed.append(i);
            }
        }
        for (const auto& [first, count] : detail::runsOf(changed)) {
            emit dataChanged(index(int(first), 0), index(int(first + count - 1), columnCount() - 1),
                             {SelectedRole});
        }
    }

private:
    QStringList m_columnTitles;
};

} // namespace vellum
