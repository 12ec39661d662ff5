#pragma once

#include "model/DiskDirectory.h"
#include "session/FooterParts.h"
#include "session/PaneSelection.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUuid>
#include <optional>

namespace vellum {

class VellumViewModel;
class WindowState;
namespace testing {
class StateEditor;
}

using EntryIDSet = QSet<QUuid>;
// Block counts of floppy files by their trimmed, upper-cased name.
using KnownBlockCounts = QHash<QString, qint64>;

// The key under which a floppy file's block count is remembered.
QString blockCountKey(const QString& name);

// The floppy pane: the directory last read from the current drive, its selection and the
// block counts remembered for files that a later listing shows with 0 blocks. The session
// writes the directory; the views drive the selection through the click rules below, and
// set the drop highlight.
class FloppyPaneState : public QObject {
    Q_OBJECT
    Q_PROPERTY(DiskDirectory directory READ directory NOTIFY directoryChanged)
    Q_PROPERTY(EntryIDSet selectedEntryIDs READ selectedEntryIDs NOTIFY selectedEntryIDsChanged)
    Q_PROPERTY(std::optional<QUuid> floppySelectionAnchor READ floppySelectionAnchor NOTIFY
                   floppySelectionAnchorChanged)
    Q_PROPERTY(KnownBlockCounts knownDirectoryBlocks READ knownDirectoryBlocks NOTIFY
                   knownDirectoryBlocksChanged)
    Q_PROPERTY(bool floppyDropTargeted READ floppyDropTargeted WRITE setFloppyDropTargeted NOTIFY
                   floppyDropTargetedChanged)

public:
    explicit FloppyPaneState(WindowState& window, QObject* parent = nullptr);

    const DiskDirectory& directory() const { return m_directory; }
    const EntryIDSet& selectedEntryIDs() const { return m_selection.selected; }
    const std::optional<QUuid>& floppySelectionAnchor() const { return m_selection.anchor; }
    const KnownBlockCounts& knownDirectoryBlocks() const { return m_knownDirectoryBlocks; }
    bool floppyDropTargeted() const { return m_floppyDropTargeted; }
    void setFloppyDropTargeted(bool value);

    // The selected entries in directory order, and the anchor entry.
    QList<DirectoryEntry> selectedFloppyEntries() const;
    std::optional<DirectoryEntry> anchorFloppyEntry() const;

    // Selection by mouse and keyboard; each focuses the floppy pane first. `click` returns
    // true when the press fell inside a multiple selection that is kept for a drag; the row
    // then calls collapseSelectionTo when the mouse goes up without one.
    bool click(const QUuid& id, SelectionModifiers modifiers);
    void collapseSelectionTo(const QUuid& id);
    void selectAll();
    // A click on the pane's empty area.
    void clearSelection();
    // Before a row's context menu opens: an unselected row becomes the only selection.
    void prepareRowMenu(const QUuid& id);
    // The selection becomes exactly `id` (or nothing), which also becomes the anchor.
    void selectEntry(std::optional<QUuid> id);

    // One "NAME<TAB>TYPE" text per entry a drag from the pressed row carries: the whole
    // selection when the row is selected, else the row alone; an unselected DEL row
    // carries nothing.
    QStringList dragPayloads(const DirectoryEntry& pressed) const;
    // Dragged texts back to entries, looked up by name in the directory; a name that is not
    // there still gives an entry of that name and type.
    QList<DirectoryEntry> entriesForPayloads(const QStringList& payloads) const;

    // "FLOPPY - NAME" for a named disk, else "FLOPPY" (the title line's tooltip).
    QString floppyPaneTitle() const;
    // The footer: "664 BLOCKS FREE." (or "— BLOCKS FREE.") and "3 FILES  ·  1 SELECTED".
    QString freeBlocksText() const;
    QString fileCountText() const;
    QList<FooterPart> fileCountParts() const;
    // What the empty list shows, and the drop hint.
    QString emptyStateTitle() const;
    QString emptyStateDetail() const;
    QString dropHint() const;

signals:
    void directoryChanged();
    void selectedEntryIDsChanged();
    // The rows whose selected state changed, for the list model.
    void selectionToggled(const QSet<QUuid>& keys);
    void floppySelectionAnchorChanged();
    void knownDirectoryBlocksChanged();
    void floppyDropTargetedChanged();

private:
    friend class VellumViewModel;
    friend class testing::StateEditor;

    void setDirectory(const DiskDirectory& value);
    void setSelection(const PaneSelection<QUuid>& value);
    void setKnownDirectoryBlocks(const KnownBlockCounts& value);

    // Installs a newly read listing: fills 0-block entries from the remembered counts (or,
    // for a lone file, from the free count of a drive of `driveModel`), and carries the
    // selection over by name, since every reading gives the entries new ids.
    void applyDirectory(DiskDirectory listing, const QString& driveModel);
    // After a fresh reading: the first entry, unless the reading kept a selection.
    void selectFirstEntryIfNoneSelected();
    void rememberBlocks(const QString& name, qint64 blocks);
    void forgetBlocks(const QString& name);
    void moveBlocks(const QString& oldName, const QString& newName);
    QList<QUuid> entryIDs() const;

    WindowState& m_window;
    DiskDirectory m_directory = DiskDirectory::empty();
    PaneSelection<QUuid> m_selection;
    KnownBlockCounts m_knownDirectoryBlocks;
    bool m_floppyDropTargeted = false;
};

} // namespace vellum
