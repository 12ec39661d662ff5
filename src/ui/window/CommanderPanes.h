#pragma once

#include <QWidget>

class QAbstractItemView;

namespace vellum {

class VellumViewModel;

// The two file panes as the window sees them: a widget that takes the toolbar under its
// title line, and the list inside it.
struct PaneSlot {
    QWidget* widget = nullptr;
    QAbstractItemView* list = nullptr;
};

// The computer pane and the floppy pane with their toolbars placed.
PaneSlot makeComputerPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent);
PaneSlot makeFloppyPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent);

} // namespace vellum
