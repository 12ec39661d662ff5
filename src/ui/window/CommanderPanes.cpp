#include "ui/window/CommanderPanes.h"

#include "session/VellumViewModel.h"
#include "ui/panes/DirectoryPane.h"
#include "ui/panes/LocalFilesPane.h"

namespace vellum {

PaneSlot makeComputerPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new LocalFilesPane(session, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

PaneSlot makeFloppyPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new DirectoryPane(session, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

} // namespace vellum
