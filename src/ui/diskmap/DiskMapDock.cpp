#include "ui/diskmap/DiskMapDock.h"

#include "session/DiskMapState.h"
#include "ui/diskmap/DiskMapView.h"
#include "ui/kit/Icons.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/Theme.h"
#include "ui/window/CommanderFrame.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vellum {

DiskMapDock::DiskMapDock(DiskMapState& state, QMainWindow& window)
    : QDockWidget(&window), state(state), window(window), mapView(new DiskMapView),
      title(new PaneChromeTitle(themedIcon(IconName::diskImage), tr("Disk Map"))) {
    setObjectName(QStringLiteral("diskMapDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    // The title line of the panes, with the dock's own two buttons at its end.
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    saveButton = new QPushButton(tr("Save as PNG…"), buttons);
    auto* hideButton = new QPushButton(tr("Hide"), buttons);
    row->addWidget(saveButton);
    row->addWidget(hideButton);
    title->setTrailingWidget(buttons);
    title->setContentsMargins(8, 6, 8, 2);
    setTitleBarWidget(title);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("diskMapPanel"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(8, 2, 8, 8);
    column->addWidget(mapView, 1);
    setWidget(content);
    hide();

    const auto savePicture = [this] {
        this->state.savePicture([this] { return mapView->pngBytes(); });
    };
    connect(saveButton, &QPushButton::clicked, this, savePicture);
    connect(mapView, &DiskMapView::savePictureRequested, this, savePicture);
    connect(hideButton, &QPushButton::clicked, this, &QDockWidget::close);
    connect(&state, &DiskMapState::mapChanged, this, &DiskMapDock::followState);
    connect(&state, &DiskMapState::shownChanged, this, &DiskMapDock::showMap);
    connect(&Theme::shared(), &Theme::changed, this, &DiskMapDock::restyle);
    followState();
}

void DiskMapDock::followState() {
    const QString text =
        state.title().isEmpty() ? tr("Disk Map") : tr("Disk Map: %1").arg(state.title());
    setWindowTitle(text);
    title->setTitle(text);
    mapView->setEmptyText(state.problem());
    mapView->setMap(state.map());
    saveButton->setEnabled(!state.map().sectors.isEmpty());
}

void DiskMapDock::showMap() {
    if (!state.isShown()) {
        hide();
        return;
    }
    // The panes keep their width: a wide window gives the map a column at the right, a
    // narrow one a strip along the bottom, where the map turns its tracks into columns.
    const bool wide = window.width() >= windowMetrics::wideWidth;
    const Qt::DockWidgetArea area = wide ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea;
    if (window.dockWidgetArea(this) != area || isHidden()) {
        window.addDockWidget(area, this);
        window.resizeDocks({this}, {wide ? 380 : 200}, wide ? Qt::Horizontal : Qt::Vertical);
    }
    show();
}

void DiskMapDock::restyle() {
    // Made under a C64 sheet, the dock's buttons got that theme's palette back when the
    // sheet was taken away for System; inheriting again, they take the one in force.
    for (QWidget* part : findChildren<QWidget*>()) {
        part->setPalette(QPalette());
        part->style()->unpolish(part);
        part->style()->polish(part);
        part->update();
    }
}

void DiskMapDock::closeEvent(QCloseEvent* event) {
    state.setWanted(false);
    QDockWidget::closeEvent(event);
}

} // namespace vellum
