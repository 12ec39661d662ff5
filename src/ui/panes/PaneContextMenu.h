#pragma once

#include "session/ContextAction.h"

#include <QList>

class QMenu;
class QWidget;

namespace vellum {

// A context menu made from the session's plain lines: a separator line for each separator,
// otherwise an item with the line's title, enabled exactly when the line is, that runs the
// line's action. The menu belongs to `parent` and deletes itself once closed.
QMenu* buildContextMenu(const QList<ContextAction>& actions, QWidget* parent);

} // namespace vellum
