#pragma once

#include "images/DiskMap.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QWidget>
#include <array>

namespace vellum {

// Where the grid puts each sector: tracks as rows or as columns, in one to four blocks of
// tracks side by side (two blocks split a D71 into its sides), whichever gives the largest
// square cells in the size given.
struct DiskMapGrid {
    bool tracksAsRows = true;
    int blocks = 1;
    int cell = 0;       // side of a cell, gap included
    QRect area;         // the cells, without the track labels
    QList<QRect> cells; // by sector index, as DiskMap::sectors

    // The sector index under `point`, or -1.
    qsizetype sectorAt(QPoint point) const;
};

// Room is kept for the track numbers before each block's first sector: `labels.width()`
// beside rows, `labels.height()` above columns.
DiskMapGrid layOutDiskMap(const DiskGeometry& geometry, QRect room, QSize labels);

// A picture of every sector of a disk, coloured by what it holds, with a legend below. The
// colours follow the theme; the C64 style sheets set their own through the properties
// (qproperty-fileColor and the like, on #diskMapView). Hovering a sector tells its track,
// sector, file and error.
class DiskMapView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor freeColor READ freeColor WRITE setFreeColor)
    Q_PROPERTY(QColor usedColor READ usedColor WRITE setUsedColor)
    Q_PROPERTY(QColor fileColor READ fileColor WRITE setFileColor)
    Q_PROPERTY(QColor directoryColor READ directoryColor WRITE setDirectoryColor)
    Q_PROPERTY(QColor copiedColor READ copiedColor WRITE setCopiedColor)
    Q_PROPERTY(QColor errorColor READ errorColor WRITE setErrorColor)
    Q_PROPERTY(QColor notReadColor READ notReadColor WRITE setNotReadColor)

public:
    explicit DiskMapView(QWidget* parent = nullptr);

    void setMap(const DiskMap& map);
    // What the empty view says (an image that could not be read).
    void setEmptyText(const QString& text);
    const DiskMap& map() const { return shown; }

    // The hover text at a point of the widget: track, sector, what it holds.
    QString toolTipAt(QPoint point) const;
    // The view as it looks now, as PNG bytes.
    QByteArray pngBytes();

    QColor colorOf(SectorClass kind) const { return colors[size_t(kind)]; }
    QColor freeColor() const { return colorOf(SectorClass::free); }
    QColor usedColor() const { return colorOf(SectorClass::used); }
    QColor fileColor() const { return colorOf(SectorClass::fileData); }
    QColor directoryColor() const { return colorOf(SectorClass::directory); }
    QColor copiedColor() const { return colorOf(SectorClass::copied); }
    QColor errorColor() const { return colorOf(SectorClass::error); }
    QColor notReadColor() const { return colorOf(SectorClass::notRead); }
    void setFreeColor(const QColor& color) { setColor(SectorClass::free, color); }
    void setUsedColor(const QColor& color) { setColor(SectorClass::used, color); }
    void setFileColor(const QColor& color) { setColor(SectorClass::fileData, color); }
    void setDirectoryColor(const QColor& color) { setColor(SectorClass::directory, color); }
    void setCopiedColor(const QColor& color) { setColor(SectorClass::copied, color); }
    void setErrorColor(const QColor& color) { setColor(SectorClass::error, color); }
    void setNotReadColor(const QColor& color) { setColor(SectorClass::notRead, color); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void savePictureRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setColor(SectorClass kind, const QColor& color);
    void followTheme();
    void relayout();
    int legendHeight(int width) const;
    void paintLegend(QPainter& painter, QRect room) const;
    void paintTrackLabels(QPainter& painter) const;

    static constexpr size_t classCount = 7;
    std::array<QColor, classCount> colors;
    QColor background;
    QColor labelColor;
    DiskMap shown;
    QString emptyText;
    DiskMapGrid grid;
    QRect legendRoom;
    qsizetype hovered = -1;
};

} // namespace vellum
