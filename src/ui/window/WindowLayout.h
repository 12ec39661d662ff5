#pragma once

#include <QSize>

namespace vellum {

// Where the status area sits.
enum class StatusPlacement {
    column,   // a fourth column beside the floppy pane
    floating, // over the panes, opened from the title bar
    bottomBar // one line along the bottom
};

// How the window arranges itself for its width. The window measures its width and asks
// for this; nothing else about the arrangement is remembered.
struct WindowLayout {
    StatusPlacement status = StatusPlacement::column;
    int outerPadding = 20;
    bool compactBrand = false;
    bool showsStatusToggle = false;

    friend bool operator==(const WindowLayout&, const WindowLayout&) = default;
};

namespace windowMetrics {
inline constexpr int wideWidth = 1100; // from here on the status panel is a column
inline constexpr int roomyWidth = 900; // from here on the outer padding is wide
inline constexpr int statusPanelWidth = 260;
inline constexpr int minimumPaneWidth = 280;
inline constexpr int floatingPadding = 12;
inline constexpr int titleSpacing = 12;
inline constexpr int minimumWidth = 760;
inline constexpr int minimumHeight = 480;
inline constexpr QSize defaultSize{1280, 640};
} // namespace windowMetrics

WindowLayout windowLayoutFor(int width, bool statusSidebarForced);

} // namespace vellum
