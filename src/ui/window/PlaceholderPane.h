#pragma once

#include "session/CommanderPane.h"
#include "ui/kit/NavigatorPane.h"

class QAbstractItemView;
class QTreeView;

namespace vellum {

class PaneChromeTitle;
class VellumViewModel;

// A plain stand-in for a file pane while the real panes are not built: the title line, the
// toolbar and the session's list for the pane, with nothing of the panes' own handling.
class PlaceholderPane : public NavigatorPane {
    Q_OBJECT

public:
    PlaceholderPane(VellumViewModel& session, CommanderPane side, QWidget* parent = nullptr);

    void setToolbar(QWidget* toolbar);
    QAbstractItemView* listView() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    VellumViewModel& session;
    CommanderPane side;
    PaneChromeTitle* title;
    QTreeView* list;
};

} // namespace vellum
