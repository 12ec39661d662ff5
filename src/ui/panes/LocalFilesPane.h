#pragma once

#include "ui/kit/NavigatorPane.h"

#include <memory>

class QAbstractItemView;
class QLabel;
class QVBoxLayout;

namespace vellum {

class ComputerListBridge;
class DropHintView;
class ElidedLabel;
class EmptyStateView;
class FilterCheck;
class FooterButton;
class PaneChromeTitle;
class PaneListView;
class VellumViewModel;

// The computer pane: the folder on the computer, or the files inside a disk or tape image
// opened in it. From the top: the title with the reveal button, the toolbar the window
// hands in, the current location with its hint, the filters, the list, and the footer
// with its counts and the image buttons. It takes drops of files and floppy entries.
class LocalFilesPane : public NavigatorPane {
    Q_OBJECT

public:
    explicit LocalFilesPane(VellumViewModel& session, QWidget* parent = nullptr);
    ~LocalFilesPane() override;

    // Places the toolbar row under the title line; the pane owns it from then on.
    void setToolbar(QWidget* toolbar);
    QAbstractItemView* listView() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* makeLocationBlock();
    QWidget* makeFilterRow();
    QWidget* makeFooter();
    void bindFilters();
    void showLocation();
    void showListTexts();
    void showCommands();
    void showDropTarget();
    std::optional<int> rowUnder(const QPoint& panePosition) const;
    void endDragHover();

    VellumViewModel& session;
    std::unique_ptr<ComputerListBridge> bridge;
    PaneChromeTitle* title;
    QWidget* toolbar = nullptr;
    ElidedLabel* locationPath = nullptr;
    ElidedLabel* locationHint = nullptr;
    FilterCheck* prgFilter = nullptr;
    FilterCheck* d64Filter = nullptr;
    FilterCheck* t64Filter = nullptr;
    FilterCheck* folderFilter = nullptr;
    PaneListView* list;
    EmptyStateView* emptyState;
    DropHintView* dropHint;
    ElidedLabel* footer = nullptr;
    FooterButton* newDiskButton = nullptr;
    FooterButton* convertButton = nullptr;
};

} // namespace vellum
