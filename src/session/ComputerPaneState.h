#pragma once

#include "model/ComputerFileItem.h"
#include "session/FooterParts.h"
#include "session/PaneSelection.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QUrl>
#include <optional>

namespace vellum {

class VellumViewModel;
class WindowState;
namespace testing {
class StateEditor;
}

using UrlSet = QSet<QUrl>;

// The computer pane: the folder it lists (or the disk or tape image open in it), the
// filters, and the selection. The session lists folders and opens images; the views set
// the filters and the drop highlight and drive the selection through the click rules below.
class ComputerPaneState : public QObject {
    Q_OBJECT
    Q_PROPERTY(QUrl computerFolder READ computerFolder NOTIFY computerFolderChanged)
    Q_PROPERTY(QList<ComputerFileItem> computerItems READ computerItems NOTIFY computerItemsChanged)
    Q_PROPERTY(QList<ComputerFileItem> visibleLocalItems READ visibleLocalItems NOTIFY
                   visibleLocalItemsChanged)
    Q_PROPERTY(UrlSet selectedLocalURLs READ selectedLocalURLs NOTIFY selectedLocalURLsChanged)
    Q_PROPERTY(std::optional<QUrl> computerSelectionAnchor READ computerSelectionAnchor NOTIFY
                   computerSelectionAnchorChanged)
    Q_PROPERTY(std::optional<QUrl> browsingImage READ browsingImage NOTIFY browsingImageChanged)
    Q_PROPERTY(QString imageDiskName READ imageDiskName NOTIFY imageDiskNameChanged)
    Q_PROPERTY(
        std::optional<qint64> imageBlocksFree READ imageBlocksFree NOTIFY imageBlocksFreeChanged)
    Q_PROPERTY(bool filterD64 READ filterD64 WRITE setFilterD64 NOTIFY filterD64Changed)
    Q_PROPERTY(bool filterPRG READ filterPRG WRITE setFilterPRG NOTIFY filterPRGChanged)
    Q_PROPERTY(bool filterT64 READ filterT64 WRITE setFilterT64 NOTIFY filterT64Changed)
    Q_PROPERTY(bool hideFolders READ hideFolders WRITE setHideFolders NOTIFY hideFoldersChanged)
    Q_PROPERTY(bool computerDropTargeted READ computerDropTargeted WRITE setComputerDropTargeted
                   NOTIFY computerDropTargetedChanged)

public:
    ComputerPaneState(WindowState& window, QUrl startFolder, QObject* parent = nullptr);

    const QUrl& computerFolder() const { return m_localFolder; }
    // The folder's rows unfiltered, or the entries of the open image.
    const QList<ComputerFileItem>& computerItems() const { return m_localItems; }
    // What the pane lists: the open image's entries as they are, else the folder's rows
    // through the filters.
    const QList<ComputerFileItem>& visibleLocalItems() const { return m_visibleItems; }
    const UrlSet& selectedLocalURLs() const { return m_selection.selected; }
    const std::optional<QUrl>& computerSelectionAnchor() const { return m_selection.anchor; }
    const std::optional<QUrl>& browsingImage() const { return m_browsingImage; }
    const QString& imageDiskName() const { return m_imageDiskName; }
    const std::optional<qint64>& imageBlocksFree() const { return m_imageBlocksFree; }
    bool filterD64() const { return m_filterD64; }
    bool filterPRG() const { return m_filterPRG; }
    bool filterT64() const { return m_filterT64; }
    bool hideFolders() const { return m_hideFolders; }
    bool computerDropTargeted() const { return m_computerDropTargeted; }

    void setFilterD64(bool value);
    void setFilterPRG(bool value);
    void setFilterT64(bool value);
    void setHideFolders(bool value);
    void setComputerDropTargeted(bool value);

    // Derived values. Selected URLs hidden by a filter count nowhere.
    QList<ComputerFileItem> selectedLocalItems() const;
    QList<ComputerFileItem> selectedLocalFiles() const;
    QList<ComputerFileItem> selectedT64Items() const;
    qint64 selectedLocalByteCount() const;
    qint64 selectedLocalBlockCount() const;
    bool isBrowsingImage() const { return m_browsingImage.has_value(); }
    bool isBrowsingD64() const;
    QString currentLocationPath() const;
    bool canGoUp() const;
    // The anchor when selected, else one of the selected rows; the item single-row
    // commands act on.
    std::optional<QUrl> effectiveLocalAnchor() const;
    std::optional<ComputerFileItem> anchorLocalItem() const;
    // Exactly one row selected, and it is a folder, an image entry or an image file.
    bool canOpenLocalSelection() const;

    // Selection by mouse and keyboard; each focuses the computer pane first. `click`
    // returns true when the press fell inside a multiple selection that is kept for a drag;
    // the row then calls collapseSelectionTo when the mouse goes up without one.
    bool click(const QUrl& url, SelectionModifiers modifiers);
    void collapseSelectionTo(const QUrl& url);
    void selectAll();
    // A click on the pane's empty area.
    void clearSelection();
    // Before a row's context menu opens: an unselected row becomes the only selection.
    void prepareRowMenu(const QUrl& url);
    // The selection becomes exactly `url` (or nothing), which also becomes the anchor.
    void select(const std::optional<QUrl>& url);

    // Texts of the pane: "Computer" or "Computer  |  GAMES.D64"; the hint under the
    // location; what an empty list shows; the footer; the drop hint.
    QString computerPaneTitle() const;
    QString locationHint() const;
    QString emptyStateText() const;
    QString footerText() const;
    QList<FooterPart> footerParts() const;
    QString dropHint() const;

signals:
    void computerFolderChanged();
    void computerItemsChanged();
    void visibleLocalItemsChanged();
    void selectedLocalURLsChanged();
    // The rows whose selected state changed, for the list model.
    void selectionToggled(const QSet<QUrl>& keys);
    void computerSelectionAnchorChanged();
    void browsingImageChanged();
    void imageDiskNameChanged();
    void imageBlocksFreeChanged();
    void filterD64Changed();
    void filterPRGChanged();
    void filterT64Changed();
    void hideFoldersChanged();
    void computerDropTargetedChanged();

private:
    friend class VellumViewModel;
    friend class testing::StateEditor;

    void setLocalFolder(const QUrl& value);
    void setLocalItems(const QList<ComputerFileItem>& value);
    void setSelection(const PaneSelection<QUrl>& value);
    void setBrowsingImage(const std::optional<QUrl>& value);
    void setImageDiskName(const QString& value);
    void setImageBlocksFree(const std::optional<qint64>& value);

    // Shows `items` as the entries of the open `image`, or as the folder's rows.
    void showListing(const std::optional<QUrl>& image, const QString& diskName,
                     std::optional<qint64> blocksFree, const QList<ComputerFileItem>& items);
    void showFolderListing(const QList<ComputerFileItem>& items);
    // Drops selected rows that are no longer listed.
    void pruneSelectionToVisible();
    void updateVisibleItems();
    QList<QUrl> visibleURLs() const;

    WindowState& m_window;
    QUrl m_localFolder;
    QList<ComputerFileItem> m_localItems;
    QList<ComputerFileItem> m_visibleItems;
    PaneSelection<QUrl> m_selection;
    std::optional<QUrl> m_browsingImage;
    QString m_imageDiskName;
    std::optional<qint64> m_imageBlocksFree;
    bool m_filterD64 = false;
    bool m_filterPRG = false;
    bool m_filterT64 = false;
    bool m_hideFolders = false;
    bool m_computerDropTargeted = false;
};

} // namespace vellum
