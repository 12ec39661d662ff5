#include "session/VellumViewModel.h"

namespace vellum {

void VellumViewModel::selectAllInFocusedPane() {
    if (m_window.focusedPane() == CommanderPane::floppy) {
        m_floppy.selectAll();
    } else {
        m_computer.selectAll();
    }
}

void VellumViewModel::requestDeleteInFocusedPane() {
    if (m_window.focusedPane() == CommanderPane::floppy) {
        requestFloppyDelete();
    } else {
        requestLocalDelete();
    }
}

} // namespace vellum
