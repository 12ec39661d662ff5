#include "ui/kit/ThemePalette.h"

#include "ui/kit/ThemeColors.h"

namespace vellum {

QPalette c64Palette(const ThemeColors& c) {
    QPalette palette;
    const auto setAll = [&](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::All, role, color);
    };
    setAll(QPalette::Window, c.windowBackground);
    setAll(QPalette::WindowText, c.text);
    setAll(QPalette::Base, c.panelBackground);
    setAll(QPalette::AlternateBase, c.stripe);
    setAll(QPalette::Text, c.text);
    setAll(QPalette::PlaceholderText, c.secondaryText);
    setAll(QPalette::Button, c.buttonFill);
    setAll(QPalette::ButtonText, c.buttonText);
    setAll(QPalette::BrightText, c.brightText);
    setAll(QPalette::ToolTipBase, c.deepPanelBackground);
    setAll(QPalette::ToolTipText, c.text);
    setAll(QPalette::Highlight, c.selection);
    setAll(QPalette::HighlightedText, c.selectionText);
    setAll(QPalette::Link, c.accentTone);
    setAll(QPalette::LinkVisited, c.accentTone);
    setAll(QPalette::Light, c.buttonHover);
    setAll(QPalette::Midlight, c.strongFill);
    setAll(QPalette::Mid, c.lightFill);
    setAll(QPalette::Dark, c.deepPanelBackground);
    setAll(QPalette::Shadow, QColor(0, 0, 0, 160));

    palette.setColor(QPalette::Inactive, QPalette::Highlight, c.inactiveSelection);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, c.inactiveSelectionText);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, c.disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, c.inactiveSelection);
    return palette;
}

} // namespace vellum
