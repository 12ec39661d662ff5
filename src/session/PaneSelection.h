#pragma once

#include "session/SelectionModifiers.h"

#include <QList>
#include <QSet>
#include <algorithm>
#include <optional>

namespace vellum {

// A pane's selection: the selected rows, by key (a URL on the computer side, an entry id on
// the floppy side), and the anchor that shift ranges start from and single-item commands
// act on. The same rules serve both panes.
template <typename Key> struct PaneSelection {
    QSet<Key> selected;
    std::optional<Key> anchor;

    friend bool operator==(const PaneSelection&, const PaneSelection&) = default;
};

// The keys whose selected state differs between two selections.
template <typename Key> QSet<Key> toggledKeys(const QSet<Key>& before, const QSet<Key>& after) {
    return (QSet<Key>(before) - after) + (QSet<Key>(after) - before);
}

namespace detail {

template <typename Key>
std::optional<Key> anySelected(const QSet<Key>& selected, const QList<Key>& visible) {
    for (const Key& key : visible) {
        if (selected.contains(key)) {
            return key;
        }
    }
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    // Nothing selected is listed; pick deterministically all the same.
    QList<Key> rest(selected.begin(), selected.end());
    return *std::min_element(rest.begin(), rest.end());
}

} // namespace detail

// A mouse press on the row `key` among the visible rows `visible` (in listing order).
// Returns true when the press fell inside a multiple selection that is kept so a drag can
// carry all of it; the row collapses it later when no drag began.
template <typename Key>
bool clickSelection(PaneSelection<Key>& selection, const QList<Key>& visible, const Key& key,
                    SelectionModifiers modifiers) {
    if (modifiers.shift) {
        const qsizetype clicked = visible.indexOf(key);
        if (clicked < 0) {
            return false;
        }
        // An anchor that is filtered out counts as absent: the clicked row takes its place.
        const qsizetype anchorAt = selection.anchor ? visible.indexOf(*selection.anchor) : -1;
        const qsizetype from = anchorAt >= 0 ? anchorAt : clicked;
        QSet<Key> range;
        for (qsizetype i = std::min(from, clicked); i <= std::max(from, clicked); ++i) {
            range.insert(visible.at(i));
        }
        if (modifiers.command) {
            selection.selected.unite(range);
        } else {
            selection.selected = range;
        }
        if (anchorAt < 0) {
            selection.anchor = key;
        }
        return false;
    }
    if (modifiers.command) {
        if (selection.selected.remove(key)) {
            if (selection.anchor == key) {
                selection.anchor = detail::anySelected(selection.selected, visible);
            }
        } else {
            selection.selected.insert(key);
            selection.anchor = key;
        }
        return false;
    }
    if (selection.selected.contains(key) && selection.selected.size() >= 2) {
        selection.anchor = key;
        return true;
    }
    selection.selected = {key};
    selection.anchor = key;
    return false;
}

// Every visible row; the anchor stays when visible, else the first row.
template <typename Key>
void selectAllRows(PaneSelection<Key>& selection, const QList<Key>& visible) {
    selection.selected = QSet<Key>(visible.begin(), visible.end());
    if (!selection.anchor || !visible.contains(*selection.anchor)) {
        if (visible.isEmpty()) {
            selection.anchor.reset();
        } else {
            selection.anchor = visible.first();
        }
    }
}

// Drops selected keys that are no longer listed; an anchor that lost its selection moves
// to a remaining selected key.
template <typename Key>
void pruneSelection(PaneSelection<Key>& selection, const QList<Key>& visible) {
    const QSet<Key> listed(visible.begin(), visible.end());
    selection.selected.intersect(listed);
    if (selection.anchor && !selection.selected.contains(*selection.anchor)) {
        selection.anchor = detail::anySelected(selection.selected, visible);
    }
}

// The anchor when it is selected, otherwise one of the selected keys (the first in listing
// order when one is listed), or nothing for an empty selection.
template <typename Key>
std::optional<Key> effectiveAnchor(const PaneSelection<Key>& selection, const QList<Key>& visible) {
    if (selection.anchor && selection.selected.contains(*selection.anchor)) {
        return selection.anchor;
    }
    return detail::anySelected(selection.selected, visible);
}

} // namespace vellum
