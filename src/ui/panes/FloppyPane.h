#pragma once

#include "ui/panes/FilePane.h"

namespace vellum {

class FactLine;

// The floppy pane: the directory of the disk in the current drive. From the top: the title
// with the drive number (the disk's name as its tooltip), the toolbar the window hands in,
// the list, and the footer with the free blocks and the counts. It takes drops of files to
// copy to the floppy.
class FloppyPane : public FilePane {
    Q_OBJECT

public:
    explicit FloppyPane(VellumViewModel& session, QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void endDragHover() override;

private:
    QWidget* makeFooter();
    void showTitle();
    void showListTexts();
    void showDropState();

    FactLine* freeBlocks = nullptr;
    FactLine* fileCount = nullptr;
};

} // namespace vellum
