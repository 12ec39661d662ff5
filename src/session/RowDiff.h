#pragma once

#include <QHash>
#include <QList>
#include <algorithm>
#include <utility>

namespace vellum {

// How a list of rows becomes another with the fewest row moves a view can follow: which
// old rows go, which new rows come, and which stay (possibly with new contents). A row
// stays when its key is in both lists and it keeps its order relative to the other
// staying rows. Keys must be unique within each list.
struct RowChanges {
    // (first, count) in the old list, highest first, so each can be removed in turn.
    QList<std::pair<qsizetype, qsizetype>> removals;
    // (first, count) in the new list, lowest first; after the removals each run is
    // inserted at its own index.
    QList<std::pair<qsizetype, qsizetype>> insertions;
    // (old index, new index) of every staying row, in order.
    QList<std::pair<qsizetype, qsizetype>> kept;
};

namespace detail {

// Runs of consecutive indices among `marked` (ascending) as (first, count).
inline QList<std::pair<qsizetype, qsizetype>> runsOf(const QList<qsizetype>& marked) {
    QList<std::pair<qsizetype, qsizetype>> runs;
    for (const qsizetype index : marked) {
        if (!runs.isEmpty() && runs.last().first + runs.last().second == index) {
            ++runs.last().second;
        } else {
            runs.append({index, 1});
        }
    }
    return runs;
}

// Positions (into `values`) of a longest strictly increasing subsequence.
inline QList<qsizetype> longestIncreasingRun(const QList<qsizetype>& values) {
    QList<qsizetype> tails; // index into values of the smallest tail per length
    QList<qsizetype> parents(values.size(), -1);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const auto at = std::lower_bound(
            tails.begin(), tails.end(), values.at(i),
            [&](qsizetype tail, qsizetype value) { return values.at(tail) < value; });
        const qsizetype length = at - tails.begin();
        if (length > 0) {
            parents[i] = tails.at(length - 1);
        }
        if (at == tails.end()) {
            tails.append(i);
        } else {
            *at = i;
        }
    }
    QList<qsizetype> positions(tails.size());
    qsizetype at = tails.isEmpty() ? -1 : tails.last();
    for (qsizetype k = tails.size() - 1; k >= 0; --k) {
        positions[k] = at;
        at = parents.at(at);
    }
    return positions;
}

} // namespace detail

template <typename Key>
RowChanges planRowChanges(const QList<Key>& before, const QList<Key>& after) {
    QHash<Key, qsizetype> newIndexOf;
    newIndexOf.reserve(after.size());
    for (qsizetype j = 0; j < after.size(); ++j) {
        newIndexOf.insert(after.at(j), j);
    }

    QList<qsizetype> candidatesOld;
    QList<qsizetype> candidatesNew;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const auto found = newIndexOf.constFind(before.at(i));
        if (found != newIndexOf.constEnd()) {
            candidatesOld.append(i);
            candidatesNew.append(*found);
        }
    }

    RowChanges changes;
    QList<bool> oldStays(before.size(), false);
    QList<bool> newStays(after.size(), false);
    for (const qsizetype position : detail::longestIncreasingRun(candidatesNew)) {
        const qsizetype i = candidatesOld.at(position);
        const qsizetype j = candidatesNew.at(position);
        oldStays[i] = true;
        newStays[j] = true;
        changes.kept.append({i, j});
    }

    QList<qsizetype> removed;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (!oldStays.at(i)) {
            removed.append(i);
        }
    }
    changes.removals = detail::runsOf(removed);
    std::reverse(changes.removals.begin(), changes.removals.end());

    QList<qsizetype> inserted;
    for (qsizetype j = 0; j < after.size(); ++j) {
        if (!newStays.at(j)) {
            inserted.append(j);
        }
    }
    changes.insertions = detail::runsOf(inserted);
    return changes;
}

} // namespace vellum
