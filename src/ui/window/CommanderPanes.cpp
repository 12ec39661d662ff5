#include "ui/window/CommanderPanes.h"

#include "session/VellumViewModel.h"

#if __has_include("ui/panes/LocalFilesPane.h") && __has_include("ui/panes/DirectoryPane.h")
#include "ui/panes/DirectoryPane.h"
#include "ui/panes/LocalFilesPane.h"
#define VELLUM_HAS_PANES 1
#else
#include "ui/window/PlaceholderPane.h"
#endif

namespace vellum {

#ifdef VELLUM_HAS_PANES

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

#else

PaneSlot makeComputerPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new PlaceholderPane(session, CommanderPane::computer, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

PaneSlot makeFloppyPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent) {
    auto* pane = new PlaceholderPane(session, CommanderPane::floppy, parent);
    pane->setToolbar(toolbar);
    return {pane, pane->listView()};
}

#endif

} // namespace vellum
