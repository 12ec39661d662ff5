#include "session/WindowState.h"

#include "session/ObservedProperty.h"

namespace vellum {

void WindowState::setFocusedPane(CommanderPane value) {
    assignObserved(this, m_focusedPane, value, &WindowState::focusedPaneChanged);
}

void WindowState::setStatusSidebarForced(bool value) {
    assignObserved(this, m_statusSidebarForced, value, &WindowState::statusSidebarForcedChanged);
}

void WindowState::setStatusToggleAvailable(bool value) {
    assignObserved(this, m_statusToggleAvailable, value,
                   &WindowState::statusToggleAvailableChanged);
}

void WindowState::setShowsSettings(bool value) {
    assignObserved(this, m_showsSettings, value, &WindowState::showsSettingsChanged);
}

void WindowState::setShowsHelp(bool value) {
    assignObserved(this, m_showsHelp, value, &WindowState::showsHelpChanged);
}

void WindowState::setShowsAbout(bool value) {
    assignObserved(this, m_showsAbout, value, &WindowState::showsAboutChanged);
}

} // namespace vellum
