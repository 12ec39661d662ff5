#pragma once

class QApplication;

namespace vellum {

// The name of the desktop entry (vellum.desktop) that launchers, the task bar and notices
// match the running program to.
inline constexpr char desktopEntryName[] = "vellum";

// Names the application (which also places its user defaults), gives it its version and
// icon, ties it to its desktop entry and dresses it in the stored theme, following later
// changes. Call once, before the first window and before the settings are first read.
void setUpApplication(QApplication& application);

} // namespace vellum
