#include "session/FloppyPaneState.h"

#include "model/TextUtil.h"
#include "model/ToolOutputParsers.h"
#include "session/DriveState.h"
#include "session/ObservedProperty.h"
#include "session/SessionTexts.h"
#include "session/WindowState.h"

namespace vellum {

QString blockCountKey(const QString& name) {
    return name.trimmed().toUpper();
}

FloppyPaneState::FloppyPaneState(WindowState& window, QObject* parent)
    : QObject(parent), m_window(window) {}

void FloppyPaneState::setFloppyDropTargeted(bool value) {
    assignObserved(this, m_floppyDropTargeted, value, &FloppyPaneState::floppyDropTargetedChanged);
}

void FloppyPaneState::setDirectory(const DiskDirectory& value) {
    assignObserved(this, m_directory, value, &FloppyPaneState::directoryChanged);
}

void FloppyPaneState::setSelection(const PaneSelection<QUuid>& value) {
    const QSet<QUuid> toggled = toggledKeys(m_selection.selected, value.selected);
    const bool anchorChanged = m_selection.anchor != value.anchor;
    m_selection = value;
    if (!toggled.isEmpty()) {
        emit selectedEntryIDsChanged();
        emit selectionToggled(toggled);
    }
    if (anchorChanged) {
        emit floppySelectionAnchorChanged();
    }
}

void FloppyPaneState::setKnownDirectoryBlocks(const KnownBlockCounts& value) {
    assignObserved(this, m_knownDirectoryBlocks, value,
                   &FloppyPaneState::knownDirectoryBlocksChanged);
}

QList<QUuid> FloppyPaneState::entryIDs() const {
    QList<QUuid> ids;
    ids.reserve(m_directory.entries.size());
    for (const DirectoryEntry& entry : m_directory.entries) {
        ids.append(entry.id);
    }
    return ids;
}

QList<DirectoryEntry> FloppyPaneState::selectedFloppyEntries() const {
    QList<DirectoryEntry> selected;
    for (const DirectoryEntry& entry : m_directory.entries) {
        if (m_selection.selected.contains(entry.id)) {
            selected.append(entry);
        }
    }
    return selected;
}

std::optional<DirectoryEntry> FloppyPaneState::anchorFloppyEntry() const {
    if (!m_selection.anchor) {
        return std::nullopt;
    }
    for (const DirectoryEntry& entry : m_directory.entries) {
        if (entry.id == *m_selection.anchor) {
            return entry;
        }
    }
    return std::nullopt;
}

bool FloppyPaneState::click(const QUuid& id, SelectionModifiers modifiers) {
    m_window.setFocusedPane(CommanderPane::floppy);
    PaneSelection<QUuid> selection = m_selection;
    const bool kept = clickSelection(selection, entryIDs(), id, modifiers);
    setSelection(selection);
    return kept;
}

void FloppyPaneState::collapseSelectionTo(const QUuid& id) {
    selectEntry(id);
}

void FloppyPaneState::selectAll() {
    m_window.setFocusedPane(CommanderPane::floppy);
    PaneSelection<QUuid> selection = m_selection;
    selectAllRows(selection, entryIDs());
    setSelection(selection);
}

void FloppyPaneState::clearSelection() {
    m_window.setFocusedPane(CommanderPane::floppy);
    setSelection({});
}

void FloppyPaneState::prepareRowMenu(const QUuid& id) {
    m_window.setFocusedPane(CommanderPane::floppy);
    if (!m_selection.selected.contains(id)) {
        selectEntry(id);
    }
}

void FloppyPaneState::selectEntry(std::optional<QUuid> id) {
    setSelection(id ? PaneSelection<QUuid>{{*id}, id} : PaneSelection<QUuid>{});
}

QStringList FloppyPaneState::dragPayloads(const DirectoryEntry& pressed) const {
    QList<DirectoryEntry> carried;
    if (m_selection.selected.contains(pressed.id)) {
        carried = selectedFloppyEntries();
    } else if (pressed.type != CBMFileType::del) {
        carried = {pressed};
    }
    QStringList payloads;
    for (const DirectoryEntry& entry : carried) {
        payloads.append(entry.name + QLatin1Char('\t') + rawValue(entry.type));
    }
    return payloads;
}

QList<DirectoryEntry> FloppyPaneState::entriesForPayloads(const QStringList& payloads) const {
    QList<DirectoryEntry> entries;
    for (const QString& payload : payloads) {
        const auto parsed = parseDraggedEntry(payload);
        if (!parsed) {
            continue;
        }
        const auto& [name, type] = *parsed;
        std::optional<DirectoryEntry> found;
        for (const DirectoryEntry& entry : m_directory.entries) {
            if (entry.name == name) {
                found = entry;
                break;
            }
        }
        if (!found) {
            DirectoryEntry entry;
            entry.name = name;
            entry.type = type;
            entry.typeToken = rawValue(type);
            found = entry;
        }
        entries.append(*found);
    }
    return entries;
}

QString FloppyPaneState::floppyPaneTitle() const {
    const QChar noBreakSpace(0x00A0);
    QString name = m_directory.diskName;
    name.replace(noBreakSpace, QLatin1Char(' '));
    name = trimmedOf(name.trimmed(), QStringView(&noBreakSpace, 1));
    return name.isEmpty() ? tr("FLOPPY") : tr("FLOPPY - %1").arg(name.toUpper());
}

QString FloppyPaneState::freeBlocksText() const {
    if (!m_directory.blocksFree) {
        return tr("— BLOCKS FREE.");
    }
    return tr("%1 BLOCKS FREE.").arg(*m_directory.blocksFree);
}

QString FloppyPaneState::fileCountText() const {
    return joinedFooter(fileCountParts());
}

QList<FooterPart> FloppyPaneState::fileCountParts() const {
    using Kind = FooterPart::Kind;
    QList<FooterPart> parts{{Kind::count, texts::fileCount(m_directory.fileCount())}};
    const qsizetype selected = selectedFloppyEntries().size();
    if (selected > 0) {
        parts.append({Kind::selected, tr("%1 SELECTED").arg(selected)});
    }
    return parts;
}

QString FloppyPaneState::emptyStateTitle() const {
    return tr("No directory loaded.");
}

QString FloppyPaneState::emptyStateDetail() const {
    return tr("Click Directory, or copy a file with the arrows.");
}

QString FloppyPaneState::dropHint() const {
    return tr("Drop to copy to floppy");
}

void FloppyPaneState::applyDirectory(DiskDirectory listing, const QString& driveModel) {
    QSet<QString> selectedNames;
    std::optional<QString> anchorName;
    for (const DirectoryEntry& entry : m_directory.entries) {
        if (m_selection.selected.contains(entry.id)) {
            selectedNames.insert(entry.name.toLower());
        }
        if (m_selection.anchor == entry.id) {
            anchorName = entry.name.toLower();
        }
    }

    KnownBlockCounts known = m_knownDirectoryBlocks;
    for (DirectoryEntry& entry : listing.entries) {
        const QString key = blockCountKey(entry.name);
        if (entry.blocks >= 1) {
            known.insert(key, entry.blocks);
        } else if (known.contains(key)) {
            entry.blocks = known.value(key);
        }
    }

    // A drive that lists its only file with 0 blocks still tells the free count, which
    // gives that file's size.
    DirectoryEntry* onlyFile = nullptr;
    qsizetype fileCount = 0;
    for (DirectoryEntry& entry : listing.entries) {
        if (entry.type != CBMFileType::del) {
            ++fileCount;
            onlyFile = &entry;
        }
    }
    if (fileCount == 1 && onlyFile->blocks == 0 && listing.blocksFree) {
        if (const auto used = usedBlocksEstimate(driveModel, *listing.blocksFree)) {
            onlyFile->blocks = *used;
            known.insert(blockCountKey(onlyFile->name), *used);
        }
    }

    setKnownDirectoryBlocks(known);
    setDirectory(listing);

    PaneSelection<QUuid> selection;
    if (!selectedNames.isEmpty()) {
        for (const DirectoryEntry& entry : m_directory.entries) {
            const QString name = entry.name.toLower();
            if (selectedNames.contains(name)) {
                selection.selected.insert(entry.id);
            }
            if (!selection.anchor && anchorName == name) {
                selection.anchor = entry.id;
            }
        }
    }
    setSelection(selection);
}

void FloppyPaneState::selectFirstEntryIfNoneSelected() {
    if (!m_selection.selected.isEmpty()) {
        return;
    }
    selectEntry(m_directory.entries.isEmpty() ? std::nullopt
                                              : std::optional(m_directory.entries.first().id));
}

void FloppyPaneState::rememberBlocks(const QString& name, qint64 blocks) {
    KnownBlockCounts known = m_knownDirectoryBlocks;
    known.insert(blockCountKey(name), blocks);
    setKnownDirectoryBlocks(known);
}

void FloppyPaneState::forgetBlocks(const QString& name) {
    KnownBlockCounts known = m_knownDirectoryBlocks;
    known.remove(blockCountKey(name));
    setKnownDirectoryBlocks(known);
}

void FloppyPaneState::moveBlocks(const QString& oldName, const QString& newName) {
    KnownBlockCounts known = m_knownDirectoryBlocks;
    if (const qint64 blocks = known.take(blockCountKey(oldName)); blocks > 0) {
        known.insert(blockCountKey(newName), blocks);
    }
    setKnownDirectoryBlocks(known);
}

} // namespace vellum
