#pragma once

#include "ui/panes/FilePane.h"
#include "ui/panes/PaneDrops.h"

#include <optional>

class QLabel;

class QCheckBox;

namespace vellum {

class ElidedLabel;
class FactLine;
class FooterButton;

// The computer pane: the folder on the computer, or the files inside a disk or tape image
// opened in it. From the top: the title with the reveal button, the toolbar the window
// hands in, the current location with its hint, the filters, the list, and the footer
// with its counts and the image buttons. It takes drops of files and floppy entries.
class ComputerFilesPane : public FilePane {
    Q_OBJECT

public:
    explicit ComputerFilesPane(VellumViewModel& session, QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void endDragHover() override;

private:
    QWidget* makeLocationBlock();
    QWidget* makeFilterRow();
    QWidget* makeFooter();
    void bindFilters();
    void showLocation();
    void showListTexts();
    void showCommands();
    void showDropState();
    std::optional<int> rowUnder(const QPoint& panePosition) const;
    ComputerDropPlan planDropAt(const QPoint& panePosition, const QMimeData* data) const;

    ElidedLabel* locationPath = nullptr;
    QLabel* locationHint = nullptr;
    QCheckBox* prgFilter = nullptr;
    QCheckBox* d64Filter = nullptr;
    QCheckBox* t64Filter = nullptr;
    QCheckBox* folderFilter = nullptr;
    FactLine* footer = nullptr;
    FooterButton* newDiskButton = nullptr;
    FooterButton* convertButton = nullptr;
};

} // namespace vellum
