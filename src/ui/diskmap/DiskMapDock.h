#pragma once

#include <QDockWidget>

class QMainWindow;
class QPushButton;

namespace vellum {

class DiskMapState;
class PaneChromeTitle;
class DiskMapView;

// The disk map beside the panes: shown while the session's map is, docked at the right of
// a wide window and along the bottom of a narrow one, where the panes keep their width.
// Closing it hides the map.
class DiskMapDock : public QDockWidget {
    Q_OBJECT

public:
    DiskMapDock(DiskMapState& state, QMainWindow& window);

    DiskMapView* view() const { return mapView; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void followState();
    void showMap();
    void restyle();

    DiskMapState& state;
    QMainWindow& window;
    DiskMapView* mapView;
    PaneChromeTitle* title;
    QPushButton* saveButton = nullptr;
};

} // namespace vellum
