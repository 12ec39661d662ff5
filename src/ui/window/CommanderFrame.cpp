#include "ui/window/CommanderFrame.h"

#include "session/VellumViewModel.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"
#include "ui/window/BottomStatusBar.h"
#include "ui/window/CommandActions.h"
#include "ui/window/StatusPanel.h"
#include "ui/window/Toolbars.h"
#include "ui/window/TransferControls.h"

#include "ui/kit/AppBrandMark.h"
#include "ui/kit/IconButton.h"
#include "ui/panes/ComputerFilesPane.h"
#include "ui/panes/FloppyPane.h"
#include <QAbstractItemView>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace vellum {

namespace {

// The panes share the width equally whatever their content asks for, down to their minimum.
void makeStretchy(QWidget* pane) {
    pane->setMinimumWidth(windowMetrics::minimumPaneWidth);
    pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
}

} // namespace

CommanderFrame::CommanderFrame(VellumViewModel& session, CommandActions& actions, QWidget* parent)
    : QWidget(parent), session(session), actions(actions), outer(new QVBoxLayout(this)),
      row(new QHBoxLayout), title(new TitleBar(this)),
      computerTools(new ComputerToolbar(session, actions)),
      floppyTools(new FloppyToolbar(session, actions)),
      computer(makeComputerPane(session, computerTools, this)),
      floppy(makeFloppyPane(session, floppyTools, this)),
      transfer(new TransferControls(session, actions, this)),
      panel(new StatusPanel(session, actions, this)), bar(new BottomStatusBar(session, this)),
      floating(new QFrame(this)) {
    setObjectName(QStringLiteral("commanderFrame"));
    // Both toolbars show their titles, or neither does.
    ToolbarRow::showTitlesTogether(
        {static_cast<ToolbarRow*>(computerTools), static_cast<ToolbarRow*>(floppyTools)});
    makeStretchy(computer.widget);
    makeStretchy(floppy.widget);
    row->setSpacing(10);
    row->addWidget(computer.widget, 1);
    row->addWidget(transfer);
    row->addWidget(floppy.widget, 1);
    row->addWidget(panel);
    outer->setSpacing(windowMetrics::titleSpacing);
    outer->addWidget(title);
    outer->addLayout(row, 1);
    outer->addWidget(bar);

    floating->setObjectName(QStringLiteral("floatingStatus"));
    setStyleRole(floating, StyleRole::floating);
    auto* floatingLayout = new QVBoxLayout(floating);
    const int inset = windowMetrics::floatingPadding;
    floatingLayout->setContentsMargins(inset, inset, inset, inset);
    floating->hide();
    // A soft shadow lifts the panel off the panes it covers.
    auto* shadow = new QGraphicsDropShadowEffect(floating);
    shadow->setBlurRadius(28);
    shadow->setOffset(0, 6);
    floating->setGraphicsEffect(shadow);
    const auto tintShadow = [shadow] {
        shadow->setColor(QColor(0, 0, 0, Theme::shared().isDark() ? 150 : 70));
    };
    tintShadow();
    connect(&Theme::shared(), &Theme::changed, shadow, tintShadow);

    connect(title, &TitleBar::aboutRequested, this,
            [this] { this->session.window().setShowsAbout(true); });
    connect(title, &TitleBar::statusToggleRequested, actions.action(CommandId::toggleStatusPanel),
            &QAction::trigger);
    connect(&session.window(), &WindowState::statusSidebarForcedChanged, this,
            &CommanderFrame::arrange);
    for (const PaneSlot& pane : {computer, floppy}) {
        if (pane.list) {
            pane.list->installEventFilter(this);
        }
    }
    arrange();
}

void CommanderFrame::arrange() {
    const WindowLayout wanted = windowLayoutFor(width(), session.window().statusSidebarForced());
    title->setArrangement(wanted.compactBrand, wanted.showsStatusToggle,
                          session.window().statusSidebarForced());
    session.window().setStatusToggleAvailable(wanted.showsStatusToggle);
    if (arranged && wanted == arrangement) {
        placeFloatingPanel();
        return;
    }
    const bool statusMoved = !arranged || wanted.status != arrangement.status;
    arrangement = wanted;
    arranged = true;
    const int padding = arrangement.outerPadding;
    outer->setContentsMargins(padding, padding, padding, padding);
    if (statusMoved) {
        switch (arrangement.status) {
        case StatusPlacement::column:
            floating->hide();
            row->addWidget(panel);
            panel->show();
            break;
        case StatusPlacement::floating:
            row->removeWidget(panel);
            floating->layout()->addWidget(panel);
            panel->show();
            floating->show();
            floating->raise();
            break;
        case StatusPlacement::bottomBar:
            row->removeWidget(panel);
            floating->hide();
            floating->layout()->addWidget(panel);
            break;
        }
        bar->setVisible(arrangement.status == StatusPlacement::bottomBar);
    }
    placeFloatingPanel();
}

void CommanderFrame::placeFloatingPanel() {
    if (arrangement.status != StatusPlacement::floating) {
        return;
    }
    outer->activate();
    const QRect commander = computer.widget->geometry().united(floppy.widget->geometry());
    const QSize wanted = floating->sizeHint();
    const int height = qMin(wanted.height(), commander.height());
    floating->setGeometry(commander.right() - wanted.width() + 1, commander.top(), wanted.width(),
                          height);
    floating->raise();
}

void CommanderFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void CommanderFrame::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!painted) {
        painted = true;
        // Queued, so the first frame reaches the screen before anything else runs.
        QTimer::singleShot(0, this, &CommanderFrame::firstPainted);
    }
}

bool CommanderFrame::eventFilter(QObject* watched, QEvent* event) {
    // Tab moves between the two panes, as in a commander.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
            QAbstractItemView* other = watched == computer.list ? floppy.list : computer.list;
            if (other) {
                other->setFocus(key->key() == Qt::Key_Tab ? Qt::TabFocusReason
                                                          : Qt::BacktabFocusReason);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

WindowLayout windowLayoutFor(int width, bool statusSidebarForced) {
    const bool wide = width >= windowMetrics::wideWidth;
    WindowLayout layout;
    layout.outerPadding = width < windowMetrics::roomyWidth ? 12 : 20;
    layout.showsStatusToggle = !wide;
    layout.compactBrand = !wide && !statusSidebarForced;
    if (wide) {
        layout.status = StatusPlacement::column;
    } else if (statusSidebarForced) {
        layout.status = StatusPlacement::floating;
    } else {
        layout.status = StatusPlacement::bottomBar;
    }
    return layout;
}

PaneSlot makeComputerPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new ComputerFilesPane(session, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

PaneSlot makeFloppyPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new FloppyPane(session, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent), brand(new AppBrandMark(false, this)),
      toggle(new IconButton(IconName::sidebarShow, IconButton::Kind::header, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(brand, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(toggle, 0, Qt::AlignVCenter);
    connect(brand, &AppBrandMark::aboutRequested, this, &TitleBar::aboutRequested);
    connect(toggle, &QAbstractButton::clicked, this, &TitleBar::statusToggleRequested);
    setArrangement(false, false, false);
}

void TitleBar::setArrangement(bool compactBrand, bool showsStatusToggle, bool statusForced) {
    brand->setCompact(compactBrand);
    toggle->setVisible(showsStatusToggle);
    toggle->setSymbol(statusForced ? IconName::sidebarHide : IconName::sidebarShow);
    toggle->setHelp(statusForced ? tr("Hide status") : tr("Show status"));
}

} // namespace vellum
