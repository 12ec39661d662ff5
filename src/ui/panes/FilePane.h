#pragma once

#include "session/FooterParts.h"
#include "ui/kit/FactLine.h"

#include <QFrame>
#include <functional>
#include <memory>

class QVBoxLayout;

class QAbstractItemView;
class QDragMoveEvent;
class QDropEvent;
class QIcon;

namespace vellum {

class DropHintView;
class EmptyStateView;
class PaneChromeTitle;
class PaneListBridge;
class PaneListView;
class VellumViewModel;

// A footer's parts as facts of a line, ranked by what a narrow pane keeps longest: the
// selection, the free space, the count, then the selection's blocks and bytes.
QList<FactLine::Fact> footerFacts(const QList<FooterPart>& parts);

// The rounded frame around a file pane; highlighted while a drag hovers over it.
class NavigatorPane : public QFrame {
    Q_OBJECT

public:
    explicit NavigatorPane(QWidget* parent = nullptr);

    void setHighlighted(bool highlighted);
    bool isHighlighted() const;

    QVBoxLayout* contentLayout() const { return content; }

private:
    QVBoxLayout* content;
};

// What the computer and the floppy pane share: the title line, the toolbar the window
// hands in right under it, the list with its empty state and drop hint, the pane focus
// shown on the list, and the way a drag over the pane ends.
class FilePane : public NavigatorPane {
    Q_OBJECT

public:
    ~FilePane() override;

    // Places the toolbar row under the title line; the pane owns it from then on.
    void setToolbar(QWidget* toolbar);
    QAbstractItemView* listView() const;

protected:
    FilePane(VellumViewModel& session, std::unique_ptr<PaneListBridge> bridge,
             const QIcon& titleIcon, bool logoInEmptyState, QWidget* parent);

    // The pane as a drop target: highlighted, with the hint over its list.
    void showDropTarget(bool targeted, const QString& hint);
    // Answers a drag hovering at a spot of the pane.
    static void answerHover(QDragMoveEvent* event, bool taken);
    // Ends the hover and, when the drop is taken, runs `perform` once the drop event has
    // returned to its source (a drag from a pane is still inside its own drag loop here).
    void finishDrop(QDropEvent* event, bool taken, std::function<void()> perform);
    // Clears what the hover showed; each pane also clears its side's drop flag.
    virtual void endDragHover();
    void dragLeaveEvent(QDragLeaveEvent* event) override;

    VellumViewModel& session;
    PaneChromeTitle* title;
    PaneListView* list;
    EmptyStateView* emptyState;
    DropHintView* dropHint;

private:
    void showPaneFocus();

    std::unique_ptr<PaneListBridge> bridge;
    QWidget* toolbar = nullptr;
};

} // namespace vellum
