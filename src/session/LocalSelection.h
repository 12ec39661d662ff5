#pragma once

#include "session/SelectionModifiers.h"

#include <QList>
#include <QSet>
#include <QUrl>
#include <optional>

namespace vellum {

// The computer pane's selection: the selected item URLs and the anchor that shift ranges
// start from and single-item commands act on.
struct LocalSelection {
    QSet<QUrl> selected;
    std::optional<QUrl> anchor;

    friend bool operator==(const LocalSelection&, const LocalSelection&) = default;
};

// A mouse press on the row `url` among the visible rows `visible` (in listing order).
// Returns true when the press fell inside a multiple selection that is kept so a drag can
// carry all of it; the row collapses it later when no drag began.
bool clickLocal(LocalSelection& selection, const QList<QUrl>& visible, const QUrl& url,
                SelectionModifiers modifiers);

// Every visible row; the anchor stays when visible, else the first row.
void selectAllLocal(LocalSelection& selection, const QList<QUrl>& visible);

// Drops selected URLs that are no longer listed; an anchor that lost its selection moves
// to a remaining selected URL.
void pruneLocalSelection(LocalSelection& selection, const QList<QUrl>& visible);

// The anchor when it is selected, otherwise one of the selected URLs (the first in listing
// order when one is listed), or nothing for an empty selection.
std::optional<QUrl> effectiveLocalAnchor(const LocalSelection& selection,
                                         const QList<QUrl>& visible);

} // namespace vellum
