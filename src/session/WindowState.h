#pragma once

#include "session/CommanderPane.h"

#include <QObject>

namespace vellum {

// What the window itself shows or hides: which pane has the keyboard focus, the forced
// status sidebar (and whether the window is narrow enough to offer it), and the settings,
// help and about windows. The views write all of it.
class WindowState : public QObject {
    Q_OBJECT
    Q_PROPERTY(
        CommanderPane focusedPane READ focusedPane WRITE setFocusedPane NOTIFY focusedPaneChanged)
    Q_PROPERTY(bool statusSidebarForced READ statusSidebarForced WRITE setStatusSidebarForced NOTIFY
                   statusSidebarForcedChanged)
    Q_PROPERTY(bool statusToggleAvailable READ statusToggleAvailable WRITE setStatusToggleAvailable
                   NOTIFY statusToggleAvailableChanged)
    Q_PROPERTY(
        bool showsSettings READ showsSettings WRITE setShowsSettings NOTIFY showsSettingsChanged)
    Q_PROPERTY(bool showsHelp READ showsHelp WRITE setShowsHelp NOTIFY showsHelpChanged)
    Q_PROPERTY(bool showsAbout READ showsAbout WRITE setShowsAbout NOTIFY showsAboutChanged)

public:
    using QObject::QObject;

    CommanderPane focusedPane() const { return m_focusedPane; }
    bool statusSidebarForced() const { return m_statusSidebarForced; }
    bool statusToggleAvailable() const { return m_statusToggleAvailable; }
    bool showsSettings() const { return m_showsSettings; }
    bool showsHelp() const { return m_showsHelp; }
    bool showsAbout() const { return m_showsAbout; }

    void setFocusedPane(CommanderPane value);
    void setStatusSidebarForced(bool value);
    void setStatusToggleAvailable(bool value);
    void setShowsSettings(bool value);
    void setShowsHelp(bool value);
    void setShowsAbout(bool value);

signals:
    void focusedPaneChanged();
    void statusSidebarForcedChanged();
    void statusToggleAvailableChanged();
    void showsSettingsChanged();
    void showsHelpChanged();
    void showsAboutChanged();

private:
    CommanderPane m_focusedPane = CommanderPane::computer;
    bool m_statusSidebarForced = false;
    bool m_statusToggleAvailable = false;
    bool m_showsSettings = false;
    bool m_showsHelp = false;
    bool m_showsAbout = false;
};

} // namespace vellum
