#pragma once

#include "session/ContextAction.h"
#include "session/SelectionModifiers.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class QMimeData;

namespace vellum {

// What a pane's list asks of its pane. The list turns mouse and keys into these calls and
// keeps no selection of its own; the pane answers them with the session's rules for its
// side. Rows are rows of the list's model.
class PaneListBridge {
public:
    virtual ~PaneListBridge() = default;

    // The row's identity in the session (a URL or an entry id).
    virtual QVariant rowKey(int row) const = 0;
    // The row of the session's anchor, when it is listed.
    virtual std::optional<int> anchorRow() const = 0;
    // The text type-ahead matches against.
    virtual QString searchName(int row) const = 0;

    // A single click on a row; true when it fell inside a multiple selection that is kept
    // for a drag and collapses to the row later (collapseTo) unless a drag or a double click
    // follows.
    virtual bool pressRow(int row, SelectionModifiers modifiers) = 0;
    virtual void collapseTo(const QVariant& key) = 0;
    // A click on the list's empty area.
    virtual void pressBackground() = 0;
    // A double click on a row.
    virtual void activateRow(int row) = 0;

    // Keys: the selection becomes the row, or grows from the anchor to it.
    virtual void selectRow(int row) = 0;
    virtual void extendToRow(int row) = 0;
    virtual void selectAllRows() = 0;
    // Return, Backspace and Delete.
    virtual void openSelection() = 0;
    virtual void goUp() = 0;
    virtual void requestDelete() = 0;

    // Context menus; the row menu first prepares the selection for the row.
    virtual QList<ContextAction> rowMenu(int row) = 0;
    virtual QList<ContextAction> backgroundMenu() = 0;

    // What a drag from `row` carries; nullptr when it carries nothing.
    virtual QMimeData* dragData(int row) = 0;

    // The list got the keyboard focus; whether its pane is the one menu commands act on.
    virtual void takeFocus() = 0;
    virtual bool hasPaneFocus() const = 0;
};

} // namespace vellum
