#include "ui/window/WindowLayout.h"

namespace vellum {

WindowLayout windowLayoutFor(int width, bool statusSidebarForced) {
    const bool wide = width >= windowMetrics::wideWidth;
    WindowLayout layout;
    layout.outerPadding = width < windowMetrics::roomyWidth ? 12 : 20;
    layout.showsStatusToggle = !wide;
    layout.compactBrand = !wide && !statusSidebarForced;
    if (wide) {
        layout.status = StatusPlacement::column;
    } else if (statusSidebarForced) {
        layout.status = StatusPlacement::floating;
    } else {
        layout.status = StatusPlacement::bottomBar;
    }
    return layout;
}

} // namespace vellum
