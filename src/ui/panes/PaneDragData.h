#pragma once

#include "model/ComputerFileItem.h"

#include <QList>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

namespace vellum {

// The private type under which floppy entries travel, one "NAME<TAB>TYPE" line each.
inline const QString floppyEntryMimeType = QStringLiteral("application/x-vellum-floppy-entry");

// What a drag from the floppy pane carries: the entries' texts under the private type and,
// for other applications, as plain text. The object itself tells a drop in this program
// that the entries really come from the floppy pane: an outside drag carrying the same
// type (or any plain text) is never read as floppy entries.
class FloppyEntriesMimeData : public QMimeData {
    Q_OBJECT

public:
    explicit FloppyEntriesMimeData(QStringList payloads);

    const QStringList& payloads() const { return entries; }

private:
    QStringList entries;
};

// What a drag from the computer pane carries: the files' URLs for the desktop, and for the
// floppy pane the row that was pressed and whether the drag carries the whole selection
// (else that row alone), so that entries of an open image reach the floppy under the names
// the image lists rather than under the names of their exported copies.
class ComputerItemsMimeData : public QMimeData {
    Q_OBJECT

public:
    ComputerItemsMimeData(ComputerFileItem pressed, bool wholeSelection, const QList<QUrl>& urls);

    const ComputerFileItem& pressedItem() const { return pressed; }
    bool carriesSelection() const { return wholeSelection; }

private:
    ComputerFileItem pressed;
    bool wholeSelection;
};

// The floppy entries a drop carries: only from a drag our floppy pane started.
QStringList droppedFloppyPayloads(const QMimeData* data);

// The local files a drop carries: file URLs of anything but folders (plain text is never
// read as a path).
QList<QUrl> droppedFileURLs(const QMimeData* data);

// How many files or entries a drag carries.
qsizetype draggedItemCount(const QMimeData* data);

// The computer rows a drop carries, when the drag came from our computer pane.
const ComputerItemsMimeData* droppedLocalItems(const QMimeData* data);

} // namespace vellum
