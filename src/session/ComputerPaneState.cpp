#include "session/ComputerPaneState.h"

#include "model/DiskImageFormat.h"
#include "model/FileNames.h"
#include "session/ComputerListing.h"
#include "session/ObservedProperty.h"
#include "session/PaneTexts.h"
#include "session/SessionTexts.h"
#include "session/WindowState.h"

#include <QDir>

namespace vellum {

ComputerPaneState::ComputerPaneState(WindowState& window, QUrl startFolder, QObject* parent)
    : QObject(parent), m_window(window), m_localFolder(std::move(startFolder)) {}

void ComputerPaneState::setFilterD64(bool value) {
    if (assignObserved(this, m_filterD64, value, &ComputerPaneState::filterD64Changed)) {
        updateVisibleItems();
    }
}

void ComputerPaneState::setFilterPRG(bool value) {
    if (assignObserved(this, m_filterPRG, value, &ComputerPaneState::filterPRGChanged)) {
        updateVisibleItems();
    }
}

void ComputerPaneState::setFilterT64(bool value) {
    if (assignObserved(this, m_filterT64, value, &ComputerPaneState::filterT64Changed)) {
        updateVisibleItems();
    }
}

void ComputerPaneState::setHideFolders(bool value) {
    if (assignObserved(this, m_hideFolders, value, &ComputerPaneState::hideFoldersChanged)) {
        updateVisibleItems();
    }
}

void ComputerPaneState::setComputerDropTargeted(bool value) {
    assignObserved(this, m_computerDropTargeted, value,
                   &ComputerPaneState::computerDropTargetedChanged);
}

void ComputerPaneState::setLocalFolder(const QUrl& value) {
    assignObserved(this, m_localFolder, value, &ComputerPaneState::computerFolderChanged);
}

void ComputerPaneState::setLocalItems(const QList<ComputerFileItem>& value) {
    if (assignObserved(this, m_localItems, value, &ComputerPaneState::computerItemsChanged)) {
        updateVisibleItems();
    }
}

void ComputerPaneState::setSelection(const PaneSelection<QUrl>& value) {
    const QSet<QUrl> toggled = toggledKeys(m_selection.selected, value.selected);
    const bool anchorChanged = m_selection.anchor != value.anchor;
    m_selection = value;
    if (!toggled.isEmpty()) {
        emit selectedLocalURLsChanged();
        emit selectionToggled(toggled);
    }
    if (anchorChanged) {
        emit computerSelectionAnchorChanged();
    }
}

void ComputerPaneState::setBrowsingImage(const std::optional<QUrl>& value) {
    if (assignObserved(this, m_browsingImage, value, &ComputerPaneState::browsingImageChanged)) {
        updateVisibleItems();
    }
}

void ComputerPaneState::setImageDiskName(const QString& value) {
    assignObserved(this, m_imageDiskName, value, &ComputerPaneState::imageDiskNameChanged);
}

void ComputerPaneState::setImageBlocksFree(const std::optional<qint64>& value) {
    assignObserved(this, m_imageBlocksFree, value, &ComputerPaneState::imageBlocksFreeChanged);
}

void ComputerPaneState::updateVisibleItems() {
    const QList<ComputerFileItem> visible = vellum::visibleLocalItems(
        m_localItems, ComputerFilters{m_filterD64, m_filterPRG, m_filterT64, m_hideFolders},
        isBrowsingImage());
    assignObserved(this, m_visibleItems, visible, &ComputerPaneState::visibleLocalItemsChanged);
}

QList<QUrl> ComputerPaneState::visibleURLs() const {
    return urlsOf(m_visibleItems);
}

void ComputerPaneState::showListing(const std::optional<QUrl>& image, const QString& diskName,
                                    std::optional<qint64> blocksFree,
                                    const QList<ComputerFileItem>& items) {
    // Both parts change before the visible rows are worked out once, so the list never
    // shows an image's entries through the folder's filters.
    const bool itemsChanged = m_localItems != items;
    const bool imageChanged = m_browsingImage != image;
    m_localItems = items;
    m_browsingImage = image;
    setImageDiskName(diskName);
    setImageBlocksFree(blocksFree);
    if (itemsChanged) {
        emit computerItemsChanged();
    }
    if (imageChanged) {
        emit browsingImageChanged();
    }
    updateVisibleItems();
}

void ComputerPaneState::showFolderListing(const QList<ComputerFileItem>& items) {
    showListing(std::nullopt, QString(), std::nullopt, items);
}

void ComputerPaneState::pruneSelectionToVisible() {
    PaneSelection<QUrl> selection = m_selection;
    pruneSelection(selection, visibleURLs());
    setSelection(selection);
}

QList<ComputerFileItem> ComputerPaneState::selectedLocalItems() const {
    QList<ComputerFileItem> selected;
    if (m_selection.selected.isEmpty()) {
        return selected;
    }
    for (const ComputerFileItem& item : m_visibleItems) {
        if (m_selection.selected.contains(item.url)) {
            selected.append(item);
        }
    }
    return selected;
}

QList<ComputerFileItem> ComputerPaneState::selectedLocalFiles() const {
    QList<ComputerFileItem> files = selectedLocalItems();
    files.removeIf([](const ComputerFileItem& item) { return item.isDirectory; });
    return files;
}

QList<ComputerFileItem> ComputerPaneState::selectedT64Items() const {
    QList<ComputerFileItem> tapes = selectedLocalFiles();
    tapes.removeIf([](const ComputerFileItem& item) { return !isTapeImageFile(item.url); });
    return tapes;
}

qint64 ComputerPaneState::selectedLocalByteCount() const {
    qint64 total = 0;
    for (const ComputerFileItem& item : selectedLocalItems()) {
        if (item.fileSize && *item.fileSize > 0) {
            total += *item.fileSize;
        } else if (item.blocks && *item.blocks >= 1) {
            total += *item.blocks * 254;
        }
    }
    return total;
}

qint64 ComputerPaneState::selectedLocalBlockCount() const {
    qint64 total = 0;
    for (const ComputerFileItem& item : selectedLocalFiles()) {
        if (item.blocks && *item.blocks > 0) {
            total += *item.blocks;
        } else if (item.fileSize && *item.fileSize >= 1) {
            total += (*item.fileSize + 253) / 254;
        }
    }
    return total;
}

bool ComputerPaneState::isBrowsingD64() const {
    return m_browsingImage && isDiskImageFile(*m_browsingImage);
}

QString ComputerPaneState::currentLocationPath() const {
    return (m_browsingImage ? *m_browsingImage : m_localFolder).toLocalFile();
}

bool ComputerPaneState::canGoUp() const {
    if (isBrowsingImage()) {
        return true;
    }
    return parentFolder(m_localFolder).toLocalFile() !=
           QDir(m_localFolder.toLocalFile()).absolutePath();
}

std::optional<QUrl> ComputerPaneState::effectiveLocalAnchor() const {
    return effectiveAnchor(m_selection, visibleURLs());
}

std::optional<ComputerFileItem> ComputerPaneState::anchorLocalItem() const {
    const std::optional<QUrl> anchor = effectiveLocalAnchor();
    if (!anchor) {
        return std::nullopt;
    }
    for (const ComputerFileItem& item : m_visibleItems) {
        if (item.url == *anchor) {
            return item;
        }
    }
    return std::nullopt;
}

bool ComputerPaneState::canOpenLocalSelection() const {
    const QList<ComputerFileItem> selected = selectedLocalItems();
    if (selected.size() != 1) {
        return false;
    }
    const ComputerFileItem& item = selected.first();
    return item.isDirectory || item.imageIndex || isImageFile(item.url);
}

bool ComputerPaneState::click(const QUrl& url, SelectionModifiers modifiers) {
    m_window.setFocusedPane(CommanderPane::computer);
    PaneSelection<QUrl> selection = m_selection;
    const bool kept = clickSelection(selection, visibleURLs(), url, modifiers);
    setSelection(selection);
    return kept;
}

void ComputerPaneState::collapseSelectionTo(const QUrl& url) {
    select(url);
}

void ComputerPaneState::selectAll() {
    m_window.setFocusedPane(CommanderPane::computer);
    PaneSelection<QUrl> selection = m_selection;
    selectAllRows(selection, visibleURLs());
    setSelection(selection);
}

void ComputerPaneState::clearSelection() {
    m_window.setFocusedPane(CommanderPane::computer);
    setSelection({});
}

void ComputerPaneState::prepareRowMenu(const QUrl& url) {
    m_window.setFocusedPane(CommanderPane::computer);
    if (!m_selection.selected.contains(url)) {
        select(url);
    }
}

void ComputerPaneState::select(const std::optional<QUrl>& url) {
    setSelection(url ? PaneSelection<QUrl>{{*url}, url} : PaneSelection<QUrl>{});
}

QString ComputerPaneState::computerPaneTitle() const {
    return vellum::computerPaneTitle(m_browsingImage);
}

QString ComputerPaneState::locationHint() const {
    if (isBrowsingD64()) {
        return tr("Drop PRG files here to add them to this disk image. Go up to return to the "
                  "folder.");
    }
    if (isBrowsingImage()) {
        return tr("Go up to return to the folder.");
    }
    return tr("Tick a filter to narrow the list. Hide folders if you only want files.");
}

QString ComputerPaneState::emptyStateText() const {
    if (isBrowsingImage()) {
        return tr("This image has no files.");
    }
    if (!m_localItems.isEmpty() && m_visibleItems.isEmpty()) {
        return tr("No files match the filters.");
    }
    return tr("This folder is empty.");
}

QString ComputerPaneState::footerText() const {
    return joinedFooter(footerParts());
}

QList<FooterPart> ComputerPaneState::footerParts() const {
    using Kind = FooterPart::Kind;
    const qsizetype count = m_visibleItems.size();
    const bool anyFolder =
        std::any_of(m_visibleItems.begin(), m_visibleItems.end(),
                    [](const ComputerFileItem& item) { return item.isDirectory; });
    QList<FooterPart> parts{
        {Kind::count, anyFolder ? tr("%1 ITEMS").arg(count) : texts::fileCount(count)}};
    if (isBrowsingD64() && m_imageBlocksFree) {
        parts.append({Kind::free, tr("%1 FREE").arg(*m_imageBlocksFree)});
    }
    const qsizetype selected = selectedLocalItems().size();
    if (selected > 0) {
        parts.append({Kind::selected, tr("%1 SELECTED").arg(selected)});
        parts.append({Kind::bytes, formatByteCount(selectedLocalByteCount())});
        parts.append({Kind::blocks, tr("%1 BLOCKS").arg(selectedLocalBlockCount())});
    }
    return parts;
}

QString ComputerPaneState::dropHint() const {
    if (isBrowsingD64()) {
        const DiskImageFormat format =
            diskImageFormatOf(*m_browsingImage).value_or(DiskImageFormat::d64);
        return tr("Drop to add to this %1").arg(displayName(format));
    }
    return tr("Drop to copy to this folder");
}

} // namespace vellum
