#pragma once

#include "ui/kit/NavigatorPane.h"

#include <memory>

class QAbstractItemView;

namespace vellum {

class DropHintView;
class ElidedLabel;
class EmptyStateView;
class FloppyListBridge;
class PaneChromeTitle;
class PaneListView;
class VellumViewModel;

// The floppy pane: the directory of the disk in the current drive. From the top: the title
// with the drive number (the disk's name as its tooltip), the toolbar the window hands in,
// the list, and the footer with the free blocks and the counts. It takes drops of files to
// copy to the floppy.
class DirectoryPane : public NavigatorPane {
    Q_OBJECT

public:
    explicit DirectoryPane(VellumViewModel& session, QWidget* parent = nullptr);
    ~DirectoryPane() override;

    // Places the toolbar row under the title line; the pane owns it from then on.
    void setToolbar(QWidget* toolbar);
    QAbstractItemView* listView() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* makeFooter();
    void showTitle();
    void showListTexts();
    void showDropTarget();

    VellumViewModel& session;
    std::unique_ptr<FloppyListBridge> bridge;
    PaneChromeTitle* title;
    QWidget* toolbar = nullptr;
    PaneListView* list;
    EmptyStateView* emptyState;
    DropHintView* dropHint;
    ElidedLabel* freeBlocks = nullptr;
    ElidedLabel* fileCount = nullptr;
};

} // namespace vellum
