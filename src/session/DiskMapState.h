#pragma once

#include "images/DiskMap.h"
#include "opencbm/OpenCBMService.h"

#include <QObject>
#include <QString>
#include <exception>
#include <functional>

namespace vellum {

class ComputerPaneState;
class DesktopServices;

// The disk map the window shows: the map of the image open in the computer pane, or a
// live one that a whole-disk transfer fills in track by track. A live map takes the place
// of the image's while its transfer runs and stays until the next image is opened or the
// map is hidden. The image's map is read only while the map is wanted.
class DiskMapState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool wanted READ isWanted WRITE setWanted NOTIFY wantedChanged)
    Q_PROPERTY(bool shown READ isShown NOTIFY shownChanged)

public:
    // `reportFailure` tells the user of a picture that could not be saved.
    DiskMapState(DesktopServices& desktop, ComputerPaneState& computer,
                 std::function<void(const std::exception&)> reportFailure,
                 QObject* parent = nullptr);

    // Whether the user asked for the map (View ▸ Disk Map).
    bool isWanted() const { return m_wanted; }
    void setWanted(bool value);
    // Whether there is a map to show while it is wanted: an open disk image, or a live map.
    bool canShow() const;
    bool isShown() const { return m_wanted && canShow(); }
    bool isLive() const { return m_live; }

    const DiskMap& map() const { return m_map; }
    // What the map is of: the image's file name, or the transfer's own title.
    const QString& title() const { return m_title; }
    // Why the open image has no map (it could not be read); empty otherwise.
    const QString& problem() const { return m_problem; }

    // A whole-disk transfer begins: an empty map of `geometry` under `title`. Pass the
    // transfer's progress callback through `observing`, so that every tool line also
    // reaches the map; call endLive when the transfer is over, however it ended.
    void beginLive(const DiskGeometry& geometry, const QString& title);
    ProgressCallback observing(ProgressCallback progress);
    // With the finished image, its own map (error bytes included) replaces the live one.
    void endLive(const std::optional<QByteArray>& finishedImage = std::nullopt);

    // Asks for a file name (a PNG beside the image) and writes what `render` gives,
    // whole and atomically. A failure is reported like any operation's.
    void savePicture(const std::function<QByteArray()>& render);

signals:
    void wantedChanged();
    void shownChanged();
    // The map, its title or its problem changed.
    void mapChanged();

private:
    void reloadImageMap(bool dropFinishedMap);
    void setMap(DiskMap map, QString title, QString problem);

    DesktopServices& m_desktop;
    ComputerPaneState& m_computer;
    std::function<void(const std::exception&)> m_reportFailure;
    bool m_wanted = false;
    bool m_live = false;
    bool m_shown = false;
    DiskMap m_map;
    QString m_title;
    QString m_problem;
};

} // namespace vellum
