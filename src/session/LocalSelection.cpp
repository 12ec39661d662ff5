#include "session/LocalSelection.h"

#include <algorithm>

namespace vellum {

namespace {

std::optional<QUrl> anySelected(const QSet<QUrl>& selected, const QList<QUrl>& visible) {
    for (const QUrl& url : visible) {
        if (selected.contains(url))
            return url;
    }
    if (selected.isEmpty())
        return std::nullopt;
    // Nothing selected is listed; pick deterministically all the same.
    QList<QUrl> rest(selected.begin(), selected.end());
    return *std::min_element(rest.begin(), rest.end());
}

} // namespace

bool clickLocal(LocalSelection& selection, const QList<QUrl>& visible, const QUrl& url,
                SelectionModifiers modifiers) {
    if (modifiers.shift) {
        const qsizetype clicked = visible.indexOf(url);
        if (clicked < 0)
            return false;
        qsizetype from = clicked;
        if (selection.anchor) {
            const qsizetype anchorAt = visible.indexOf(*selection.anchor);
            if (anchorAt >= 0)
                from = anchorAt;
        }
        QSet<QUrl> range;
        for (qsizetype i = std::min(from, clicked); i <= std::max(from, clicked); ++i)
            range.insert(visible.at(i));
        if (modifiers.command)
            selection.selected.unite(range);
        else
            selection.selected = range;
        if (!selection.anchor)
            selection.anchor = url;
        return false;
    }
    if (modifiers.command) {
        if (selection.selected.remove(url)) {
            if (selection.anchor == url)
                selection.anchor = anySelected(selection.selected, visible);
        } else {
            selection.selected.insert(url);
            selection.anchor = url;
        }
        return false;
    }
    if (selection.selected.contains(url) && selection.selected.size() >= 2) {
        selection.anchor = url;
        return true;
    }
    selection.selected = {url};
    selection.anchor = url;
    return false;
}

void selectAllLocal(LocalSelection& selection, const QList<QUrl>& visible) {
    selection.selected = QSet<QUrl>(visible.begin(), visible.end());
    if (!selection.anchor || !visible.contains(*selection.anchor)) {
        if (visible.isEmpty())
            selection.anchor.reset();
        else
            selection.anchor = visible.first();
    }
}

void pruneLocalSelection(LocalSelection& selection, const QList<QUrl>& visible) {
    const QSet<QUrl> listed(visible.begin(), visible.end());
    selection.selected.intersect(listed);
    if (selection.anchor && !selection.selected.contains(*selection.anchor))
        selection.anchor = anySelected(selection.selected, visible);
}

std::optional<QUrl> effectiveLocalAnchor(const LocalSelection& selection,
                                         const QList<QUrl>& visible) {
    if (selection.anchor && selection.selected.contains(*selection.anchor))
        return selection.anchor;
    return anySelected(selection.selected, visible);
}

} // namespace vellum
