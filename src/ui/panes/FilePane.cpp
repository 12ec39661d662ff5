#include "ui/panes/FilePane.h"

#include "session/VellumViewModel.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/StyleRoles.h"
#include "ui/panes/PaneListBridge.h"
#include "ui/panes/PaneListView.h"
#include "ui/panes/PaneOverlays.h"

#include <QDragMoveEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace vellum {

namespace {

// Where the toolbar goes: right under the title line.
constexpr int toolbarPosition = 1;

} // namespace

QList<FactLine::Fact> footerFacts(const QList<FooterPart>& parts) {
    using Kind = FooterPart::Kind;
    static constexpr std::array keptLongestFirst{Kind::selected, Kind::free, Kind::count,
                                                 Kind::blocks, Kind::bytes};
    QList<FactLine::Fact> facts;
    for (const FooterPart& part : parts) {
        const auto found = std::find(keptLongestFirst.begin(), keptLongestFirst.end(), part.kind);
        facts.append({part.text, int(found - keptLongestFirst.begin())});
    }
    return facts;
}

FilePane::FilePane(VellumViewModel& session, std::unique_ptr<PaneListBridge> listBridge,
                   const QIcon& titleIcon, bool logoInEmptyState, QWidget* parent)
    : NavigatorPane(parent), session(session), title(new PaneChromeTitle(titleIcon, {}, this)),
      list(new PaneListView(*listBridge, this)), emptyState(new EmptyStateView(logoInEmptyState)),
      dropHint(new DropHintView), bridge(std::move(listBridge)) {
    list->setEmptyState(emptyState);
    list->setDropHint(dropHint);
    contentLayout()->addWidget(title);
    setAcceptDrops(true);
    connect(&session.window(), &WindowState::focusedPaneChanged, this, &FilePane::showPaneFocus);
    showPaneFocus();
}

void FilePane::showPaneFocus() {
    // The pane that menu commands act on wears the focus colour on its edge.
    setStyleFlag(this, "paneFocus", list->isFocusedPane());
    list->showPaneFocus();
}

FilePane::~FilePane() {
    // The list asks the bridge until it is gone.
    delete list;
}

void FilePane::setToolbar(QWidget* newToolbar) {
    if (toolbar == newToolbar) {
        return;
    }
    delete toolbar;
    toolbar = newToolbar;
    if (toolbar) {
        contentLayout()->insertWidget(toolbarPosition, toolbar);
    }
}

QAbstractItemView* FilePane::listView() const {
    return list;
}

void FilePane::showDropTarget(bool targeted, const QString& hint) {
    setHighlighted(targeted);
    dropHint->setText(hint);
    list->setDropHintShown(targeted);
}

void FilePane::answerHover(QDragMoveEvent* event, bool taken) {
    if (!taken) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FilePane::finishDrop(QDropEvent* event, bool taken, std::function<void()> perform) {
    endDragHover();
    if (!taken) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QTimer::singleShot(0, this, std::move(perform));
}

void FilePane::endDragHover() {
    list->setDropTargetRow(std::nullopt);
    list->dragScroller().stop();
}

void FilePane::dragLeaveEvent(QDragLeaveEvent* event) {
    endDragHover();
    event->accept();
}

NavigatorPane::NavigatorPane(QWidget* parent) : QFrame(parent), content(new QVBoxLayout(this)) {
    setStyleRole(this, StyleRole::pane);
    setStyleFlag(this, "highlighted", false);
    content->setContentsMargins(10, 8, 10, 8);
    content->setSpacing(6);
}

void NavigatorPane::setHighlighted(bool highlighted) {
    setStyleFlag(this, "highlighted", highlighted);
}

bool NavigatorPane::isHighlighted() const {
    return property("highlighted").toBool();
}

} // namespace vellum
