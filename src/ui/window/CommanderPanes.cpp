#include "ui/window/CommanderPanes.h"

#include "session/VellumViewModel.h"
#include "ui/panes/ComputerFilesPane.h"
#include "ui/panes/FloppyPane.h"

namespace vellum {

PaneSlot makeComputerPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new ComputerFilesPane(session, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

PaneSlot makeFloppyPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new FloppyPane(session, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

} // namespace vellum
