#include "ui/diskmap/DiskMapView.h"

#include "ui/kit/Theme.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace vellum {

namespace {

// Cells grow no larger than this, so a D64 in a wide pane still reads as one picture.
constexpr int largestCell = 22;
constexpr int blockGap = 14;
constexpr int legendTop = 12;
constexpr int swatch = 10;

// The legend's order: what a disk holds first, then what a transfer tells.
constexpr SectorClass legendOrder[] = {
    SectorClass::fileData, SectorClass::directory, SectorClass::used,   SectorClass::free,
    SectorClass::copied,   SectorClass::error,     SectorClass::notRead};

QString className(SectorClass kind) {
    switch (kind) {
    case SectorClass::fileData:
        return DiskMapView::tr("File data");
    case SectorClass::directory:
        return DiskMapView::tr("Directory and BAM");
    case SectorClass::used:
        return DiskMapView::tr("In use, no file");
    case SectorClass::free:
        return DiskMapView::tr("Free");
    case SectorClass::copied:
        return DiskMapView::tr("Copied");
    case SectorClass::error:
        return DiskMapView::tr("Error");
    case SectorClass::notRead:
        break;
    }
    return DiskMapView::tr("Not read");
}

qint64 largestTrack(const DiskGeometry& geometry) {
    qint64 most = 0;
    for (qint64 t = 1; t <= geometry.tracks; ++t) {
        most = std::max(most, geometry.sectorsOnTrack[t]);
    }
    return most;
}

QFont labelFont(const QFont& base) {
    QFont font = base;
    font.setPointSizeF(std::max(7.0, base.pointSizeF() * 0.85));
    return font;
}

} // namespace

qsizetype DiskMapGrid::sectorAt(QPoint point) const {
    if (!area.contains(point)) {
        return -1;
    }
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (cells[i].contains(point)) {
            return i;
        }
    }
    return -1;
}

DiskMapGrid layOutDiskMap(const DiskGeometry& geometry, QRect room, QSize labels) {
    DiskMapGrid best;
    const qint64 sectors = largestTrack(geometry);
    if (geometry.tracks < 1 || sectors < 1 || room.isEmpty()) {
        return best;
    }
    for (const bool rows : {true, false}) {
        for (const int blocks : {1, 2, 3, 4}) {
            const int perBlock = int((geometry.tracks + blocks - 1) / blocks);
            // Along and across the track axis, with the labels and the gaps taken off.
            const int across = int(sectors);
            const int labelRoom = rows ? labels.width() : labels.height();
            int cell = 0;
            if (rows) {
                const int width = room.width() - blocks * labelRoom - (blocks - 1) * blockGap;
                cell = std::min(width / (blocks * across), room.height() / perBlock);
            } else {
                const int height = room.height() - blocks * labelRoom - (blocks - 1) * blockGap;
                cell = std::min(room.width() / perBlock, height / (blocks * across));
            }
            cell = std::min(cell, largestCell);
            if (cell > best.cell) {
                best.tracksAsRows = rows;
                best.blocks = blocks;
                best.cell = cell;
            }
        }
    }
    if (best.cell < 2) {
        best.cell = 0;
        return best;
    }
    const int cell = best.cell;
    const int labelRoom = best.tracksAsRows ? labels.width() : labels.height();
    const int perBlock = int((geometry.tracks + best.blocks - 1) / best.blocks);
    const int blockAlong = perBlock * cell;
    const int blockAcross = labelRoom + int(sectors) * cell;
    const QSize whole =
        best.tracksAsRows
            ? QSize(best.blocks * blockAcross + (best.blocks - 1) * blockGap, blockAlong)
            : QSize(blockAlong, best.blocks * blockAcross + (best.blocks - 1) * blockGap);
    best.area = QRect(QPoint(room.left() + (room.width() - whole.width()) / 2, room.top()), whole);
    const int gap = cell >= 6 ? 1 : 0;
    best.cells.reserve(geometry.sectorCount());
    for (qint64 t = 1; t <= geometry.tracks; ++t) {
        const int block = int((t - 1) / perBlock);
        const int along = int((t - 1) % perBlock) * cell;
        const int blockStart = block * (blockAcross + blockGap) + labelRoom;
        for (qint64 s = 0; s < geometry.sectorsOnTrack[t]; ++s) {
            const int across = blockStart + int(s) * cell;
            const QPoint corner = best.tracksAsRows ? QPoint(across, along) : QPoint(along, across);
            best.cells.append(QRect(best.area.topLeft() + corner, QSize(cell - gap, cell - gap)));
        }
    }
    return best;
}

DiskMapView::DiskMapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("diskMapView"));
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    followTheme();
    connect(&Theme::shared(), &Theme::changed, this, &DiskMapView::followTheme);
}

void DiskMapView::followTheme() {
    const ThemeColors& c = Theme::shared().colors();
    const bool dark = Theme::shared().isDark();
    background = c.panelBackground;
    labelColor = c.secondaryText;
    colors[size_t(SectorClass::notRead)] = blended(c.panelBackground, c.text, 0.05);
    colors[size_t(SectorClass::free)] = blended(c.panelBackground, c.text, 0.16);
    colors[size_t(SectorClass::used)] = blended(c.panelBackground, c.text, 0.42);
    colors[size_t(SectorClass::fileData)] = c.selection;
    colors[size_t(SectorClass::directory)] = dark ? QColor(240, 190, 70) : QColor(204, 132, 0);
    colors[size_t(SectorClass::copied)] = c.ok;
    colors[size_t(SectorClass::error)] = c.warning;
    // A C64 sheet sets its own colours through the properties; polishing again applies them
    // over the defaults (under System there is no sheet, and the defaults stay).
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void DiskMapView::setColor(SectorClass kind, const QColor& color) {
    colors[size_t(kind)] = color;
    update();
}

void DiskMapView::setMap(const DiskMap& map) {
    const bool sameShape = map.geometry.sectorsOnTrack == shown.geometry.sectorsOnTrack &&
                           map.geometry.tracks == shown.geometry.tracks &&
                           map.sectors.size() == shown.sectors.size();
    const bool legendSame = [&] {
        for (const SectorClass kind : legendOrder) {
            if ((map.count(kind) > 0) != (shown.count(kind) > 0)) {
                return false;
            }
        }
        return true;
    }();
    shown = map;
    if (!sameShape || !legendSame) {
        relayout();
    }
    update();
}

void DiskMapView::setEmptyText(const QString& text) {
    emptyText = text;
    update();
}

QSize DiskMapView::sizeHint() const {
    return {360, 460};
}

QSize DiskMapView::minimumSizeHint() const {
    return {200, 160};
}

void DiskMapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void DiskMapView::relayout() {
    const QRect inner = rect().adjusted(8, 8, -8, -8);
    const int legend = legendHeight(inner.width());
    const QFontMetrics metrics(labelFont(font()));
    const QRect room(inner.topLeft(), QSize(inner.width(), inner.height() - legend - legendTop));
    // Room for "80" beside a row, or for a line of text above a column.
    grid = layOutDiskMap(
        shown.geometry, room,
        QSize(metrics.horizontalAdvance(QStringLiteral("88")) + 6, metrics.height() + 2));
    // Under the grid, from its left edge, unless the legend then needs more lines.
    const int gridLeft = std::max(inner.left(), grid.area.left());
    const bool fitsUnderGrid = legendHeight(inner.right() - gridLeft) == legend;
    const int legendLeft = fitsUnderGrid ? gridLeft : inner.left();
    legendRoom = QRect(legendLeft, grid.area.bottom() + 1 + legendTop,
                       inner.right() - legendLeft + 1, legend);
    hovered = -1;
}

int DiskMapView::legendHeight(int width) const {
    const QFontMetrics metrics(labelFont(font()));
    int lines = 1;
    int x = 0;
    for (const SectorClass kind : legendOrder) {
        if (shown.count(kind) == 0) {
            continue;
        }
        const int item =
            swatch + 6 + metrics.horizontalAdvance(className(kind) + QStringLiteral(" 0000")) + 14;
        if (x > 0 && x + item > width) {
            ++lines;
            x = 0;
        }
        x += item;
    }
    return lines * (metrics.height() + 4);
}

void DiskMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background);
    if (shown.sectors.isEmpty() || grid.cells.size() != shown.sectors.size()) {
        painter.setPen(labelColor);
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                         emptyText.isEmpty() ? tr("No disk map") : emptyText);
        return;
    }
    // One brush per class: a few calls paint thousands of cells.
    std::array<QList<QRect>, classCount> byClass;
    for (auto& rects : byClass) {
        rects.reserve(shown.sectors.size());
    }
    for (qsizetype i = 0; i < shown.sectors.size(); ++i) {
        byClass[size_t(shown.sectors[i].kind)].append(grid.cells[i]);
    }
    painter.setPen(Qt::NoPen);
    for (size_t kind = 0; kind < classCount; ++kind) {
        if (!byClass[kind].isEmpty()) {
            painter.setBrush(colors[kind]);
            painter.drawRects(byClass[kind].constData(), int(byClass[kind].size()));
        }
    }
    if (hovered >= 0 && hovered < grid.cells.size()) {
        painter.setPen(QPen(Theme::shared().colors().text, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(grid.cells[hovered].adjusted(0, 0, -1, -1));
    }
    painter.setFont(labelFont(font()));
    paintTrackLabels(painter);
    paintLegend(painter, legendRoom);
}

void DiskMapView::paintTrackLabels(QPainter& painter) const {
    const QFontMetrics metrics(painter.font());
    // Every track when the labels fit, else every 2nd, 5th or 10th (and always track 1).
    const int needed =
        grid.tracksAsRows ? metrics.height() : metrics.horizontalAdvance(QStringLiteral("88")) + 2;
    int step = 1;
    for (const int candidate : {1, 2, 5, 10, 20}) {
        step = candidate;
        if (candidate * grid.cell >= needed) {
            break;
        }
    }
    painter.setPen(labelColor);
    for (qint64 t = 1; t <= shown.tracks(); ++t) {
        const qint64 perBlock = (shown.tracks() + grid.blocks - 1) / grid.blocks;
        const qint64 inBlock = (t - 1) % perBlock + 1;
        if (inBlock != 1 && t % step != 0) {
            continue;
        }
        if (inBlock != 1 && inBlock - 1 < step) {
            continue; // too near the block's first label
        }
        const QRect first = grid.cells[shown.geometry.sectorsBefore[t]];
        const QString text = QString::number(t);
        if (grid.tracksAsRows) {
            const QRect label(first.left() - 40 - 4, first.center().y() - metrics.height(), 40,
                              2 * metrics.height());
            painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, text);
        } else {
            const QRect label(first.center().x() - 20, first.top() - metrics.height() - 2, 40,
                              metrics.height());
            painter.drawText(label, Qt::AlignHCenter | Qt::AlignBottom, text);
        }
    }
}

void DiskMapView::paintLegend(QPainter& painter, QRect room) const {
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height() + 4;
    int x = room.left();
    int y = room.top();
    for (const SectorClass kind : legendOrder) {
        const qint64 count = shown.count(kind);
        if (count == 0) {
            continue;
        }
        const QString text = className(kind) + QLatin1Char(' ') + QString::number(count);
        const int item =
            swatch + 6 + metrics.horizontalAdvance(className(kind) + QStringLiteral(" 0000")) + 14;
        if (x > room.left() && x + item > room.right()) {
            x = room.left();
            y += lineHeight;
        }
        const QRect box(x, y + (lineHeight - swatch) / 2, swatch, swatch);
        painter.setPen(withOpacity(labelColor, 0.6));
        painter.setBrush(colors[size_t(kind)]);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(labelColor);
        painter.drawText(QRect(x + swatch + 6, y, item, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += item;
    }
}

QString DiskMapView::toolTipAt(QPoint point) const {
    const qsizetype index = grid.sectorAt(point);
    if (index < 0 || index >= shown.sectors.size()) {
        return {};
    }
    qint64 track = 1;
    while (track < shown.tracks() && shown.geometry.sectorsBefore[track + 1] <= index) {
        ++track;
    }
    const qint64 sector = index - shown.geometry.sectorsBefore[track];
    const SectorState& state = shown.sectors[index];
    QStringList lines{tr("Track %1, sector %2").arg(track).arg(sector)};
    if (state.kind == SectorClass::error) {
        lines.append(sectorErrorText(state.errorCode));
    } else if (state.kind != SectorClass::fileData) {
        lines.append(className(state.kind));
    }
    if (const QString name = shown.fileNameAt(track, sector); !name.isEmpty()) {
        lines.append(tr("File “%1”").arg(name));
    }
    return lines.join(QLatin1Char('\n'));
}

bool DiskMapView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void DiskMapView::mouseMoveEvent(QMouseEvent* event) {
    const qsizetype under = grid.sectorAt(event->position().toPoint());
    if (under != hovered) {
        // Only the two cells change.
        for (const qsizetype index : {hovered, under}) {
            if (index >= 0 && index < grid.cells.size()) {
                update(grid.cells[index].adjusted(-1, -1, 1, 1));
            }
        }
        hovered = under;
    }
    QWidget::mouseMoveEvent(event);
}

void DiskMapView::leaveEvent(QEvent* event) {
    if (hovered >= 0 && hovered < grid.cells.size()) {
        update(grid.cells[hovered].adjusted(-1, -1, 1, 1));
    }
    hovered = -1;
    QWidget::leaveEvent(event);
}

void DiskMapView::contextMenuEvent(QContextMenuEvent* event) {
    // Popped up rather than run in a loop of its own, as the panes' menus are.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* save = menu->addAction(tr("Save as PNG…"));
    save->setEnabled(!shown.sectors.isEmpty());
    connect(save, &QAction::triggered, this, &DiskMapView::savePictureRequested);
    menu->popup(event->globalPos());
}

QByteArray DiskMapView::pngBytes() {
    const qsizetype wasHovered = std::exchange(hovered, -1);
    const QPixmap picture = grab();
    hovered = wasHovered;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace vellum
