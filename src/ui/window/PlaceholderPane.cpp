#include "ui/window/PlaceholderPane.h"

#include "session/VellumViewModel.h"
#include "ui/kit/Icons.h"
#include "ui/kit/PaneChromeTitle.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

namespace vellum {

PlaceholderPane::PlaceholderPane(VellumViewModel& session, CommanderPane side, QWidget* parent)
    : NavigatorPane(parent), session(session), side(side),
      title(new PaneChromeTitle(side == CommanderPane::computer ? themedIcon(IconName::openFolder)
                                                                : appLogoIcon(),
                                QString(), this)),
      list(new QTreeView(this)) {
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->header()->setStretchLastSection(false);
    list->installEventFilter(this);
    if (side == CommanderPane::computer) {
        list->setModel(&session.computerListModel());
        auto showTitle = [this] { title->setTitle(this->session.computer().computerPaneTitle()); };
        connect(&session.computer(), &ComputerPaneState::browsingImageChanged, this, showTitle);
        showTitle();
    } else {
        list->setModel(&session.floppyListModel());
        auto showTitle = [this] {
            title->setTitle(this->session.drives().floppyPaneHeading());
            title->setTitleToolTip(this->session.floppy().floppyPaneTitle());
        };
        connect(&session.drives(), &DriveState::deviceNumberChanged, this, showTitle);
        connect(&session.floppy(), &FloppyPaneState::directoryChanged, this, showTitle);
        showTitle();
    }
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    contentLayout()->addWidget(title);
    contentLayout()->addWidget(list, 1);
}

void PlaceholderPane::setToolbar(QWidget* toolbar) {
    toolbar->setParent(this);
    contentLayout()->insertWidget(1, toolbar);
}

QAbstractItemView* PlaceholderPane::listView() const {
    return list;
}

bool PlaceholderPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list && event->type() == QEvent::FocusIn)
        session.window().setFocusedPane(side);
    return NavigatorPane::eventFilter(watched, event);
}

} // namespace vellum
