#include "ui/kit/ThemeColors.h"

#include <QPalette>
#include <array>

namespace vellum {

namespace {

// The colours each theme chooses for itself, in the order of ThemeColors.
void setOwnColours(ThemeColors& c, const std::array<QColor, 8>& own) {
    c.windowBackground = own[0];
    c.panelBackground = own[1];
    c.deepPanelBackground = own[2];
    c.accentTone = own[3];
    c.strongFill = own[4];
    c.lightFill = own[5];
    c.secondaryText = own[6];
    c.brightText = own[7];
}

// The platform's colours; a panel is as deep as the platform's base.
std::array<QColor, 8> systemOwnColours(const QPalette& platform) {
    const QColor label = platform.color(QPalette::Active, QPalette::WindowText);
    const QColor base = platform.color(QPalette::Active, QPalette::Base);
    const QColor secondary = withOpacity(label, 0.62);
    return {platform.color(QPalette::Active, QPalette::Window),
            base,
            base,
            withOpacity(platform.color(QPalette::Active, QPalette::Highlight), 0.85),
            withOpacity(label, 0.12),
            withOpacity(label, 0.06),
            secondary,
            secondary};
}

// The blue screen of the machine: white text, cyan accents, and selections drawn in reverse
// video (blue on cyan) as the machine drew its cursor.
void fillClassic(ThemeColors& c) {
    const QColor white(255, 255, 255);
    c.text = white;
    c.heading = c.accentTone;
    c.disabledText = withOpacity(white, 0.42);
    c.warning = QColor(255, 178, 168);
    c.line = withOpacity(c.windowBackground, 0.75);
    c.card = c.deepPanelBackground;
    c.field = c.lightFill;
    c.dialog = c.panelBackground;
    c.stripe = blended(c.panelBackground, c.lightFill, 0.45);
    c.hover = c.strongFill;
    c.pressed = c.lightFill;
    c.selection = c.accentTone;
    c.selectionText = c.panelBackground;
    c.inactiveSelection = c.windowBackground;
    c.inactiveSelectionText = white;
    c.dropTargetFill = blended(c.panelBackground, c.accentTone, 0.22);
    c.dropTargetBorder = c.accentTone;
    c.focusRing = c.accentTone;
    c.buttonFill = c.strongFill;
    c.buttonHover = blended(c.strongFill, white, 0.12);
    c.buttonText = white;
    c.defaultButtonFill = c.accentTone;
    c.defaultButtonText = c.panelBackground;
    // The machine's own status tones: red for what destroys, yellow-green for what is there.
    c.destructiveFill = QColor(184, 105, 98);
    c.destructiveText = white;
    c.ok = QColor(191, 206, 114);
    c.progressFill = c.accentTone;
    c.progressTrack = withOpacity(c.accentTone, 0.18);
}

// Navy surfaces with cyan text; selections are a cyan tint rather than reverse video.
void fillModern(ThemeColors& c) {
    const QColor paleCyan(236, 248, 255);
    const QColor lineCyan(79, 195, 247);
    c.text = c.brightText;
    c.heading = c.accentTone;
    c.disabledText = withOpacity(c.brightText, 0.42);
    c.warning = QColor(255, 138, 128);
    c.line = withOpacity(lineCyan, 0.24);
    c.card = c.deepPanelBackground;
    c.field = c.windowBackground;
    c.dialog = c.panelBackground;
    c.stripe = blended(c.panelBackground, c.deepPanelBackground, 0.7);
    c.hover = c.strongFill;
    c.pressed = c.lightFill;
    c.selection = blended(c.panelBackground, c.accentTone, 0.38);
    c.selectionText = paleCyan;
    c.inactiveSelection = c.strongFill;
    c.inactiveSelectionText = c.brightText;
    c.dropTargetFill = blended(c.panelBackground, c.accentTone, 0.16);
    c.dropTargetBorder = c.accentTone;
    c.focusRing = c.accentTone;
    c.buttonFill = c.strongFill;
    c.buttonHover = blended(c.strongFill, lineCyan, 0.18);
    c.buttonText = c.brightText;
    c.defaultButtonFill = c.accentTone;
    c.defaultButtonText = c.windowBackground;
    c.destructiveFill = QColor(198, 74, 74);
    c.destructiveText = paleCyan;
    c.ok = QColor(105, 222, 150);
    c.progressFill = c.accentTone;
    c.progressTrack = withOpacity(c.accentTone, 0.18);
}

// The platform's own colours; only the marks that have no platform role are chosen here,
// in a light and a dark variant.
void fillSystem(ThemeColors& c, const QPalette& platform) {
    const auto active = [&](QPalette::ColorRole role) {
        return platform.color(QPalette::Active, role);
    };
    const auto inactive = [&](QPalette::ColorRole role) {
        return platform.color(QPalette::Inactive, role);
    };
    const bool dark = active(QPalette::Window).lightness() < 128;
    c.text = active(QPalette::WindowText);
    c.heading = c.secondaryText;
    c.disabledText = platform.color(QPalette::Disabled, QPalette::WindowText);
    c.warning = dark ? QColor(255, 123, 114) : QColor(192, 28, 40);
    c.line = withOpacity(c.text, 0.16);
    c.card = blended(c.windowBackground, c.text, 0.05);
    c.field = active(QPalette::Base);
    c.dialog = active(QPalette::Window);
    c.stripe = blended(c.panelBackground, c.text, 0.045);
    c.hover = withOpacity(active(QPalette::Highlight), 0.14);
    c.pressed = withOpacity(active(QPalette::Highlight), 0.26);
    c.selection = active(QPalette::Highlight);
    c.selectionText = active(QPalette::HighlightedText);
    // The pane the keyboard is not in shows its selection quieter, also where the platform
    // draws inactive selections like active ones.
    const bool inactiveAlike = inactive(QPalette::Highlight) == active(QPalette::Highlight);
    c.inactiveSelection = inactiveAlike
                              ? blended(c.panelBackground, active(QPalette::Highlight), 0.28)
                              : inactive(QPalette::Highlight);
    c.inactiveSelectionText = inactiveAlike ? c.text : inactive(QPalette::HighlightedText);
    c.dropTargetFill = blended(c.panelBackground, active(QPalette::Highlight), 0.16);
    c.dropTargetBorder = active(QPalette::Highlight);
    c.focusRing = active(QPalette::Highlight);
    c.buttonFill = active(QPalette::Button);
    c.buttonHover = blended(c.buttonFill, active(QPalette::Highlight), 0.12);
    c.buttonText = active(QPalette::ButtonText);
    c.defaultButtonFill = active(QPalette::Highlight);
    c.defaultButtonText = active(QPalette::HighlightedText);
    c.destructiveFill = c.warning;
    c.destructiveText = dark ? QColor(Qt::black) : QColor(Qt::white);
    c.ok = dark ? QColor(87, 227, 137) : QColor(38, 162, 105);
    c.progressFill = active(QPalette::Highlight);
    c.progressTrack = withOpacity(active(QPalette::Highlight), 0.18);
}

} // namespace

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

QColor blended(const QColor& under, const QColor& over, double opacity) {
    const double share = over.alphaF() * opacity;
    const auto mix = [&](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(static_cast<float>(mix(under.redF(), over.redF())),
                            static_cast<float>(mix(under.greenF(), over.greenF())),
                            static_cast<float>(mix(under.blueF(), over.blueF())), under.alphaF());
}

ThemeColors themeColors(AppAppearance appearance, const QPalette& platform) {
    ThemeColors colors;
    switch (appearance) {
    case AppAppearance::classicC64:
        // The machine's border and screen blues, and its cyan.
        setOwnColours(colors, {QColor(107, 143, 212), QColor(46, 74, 166), QColor(36, 60, 146),
                               QColor(117, 206, 200), QColor(58, 88, 184), QColor(27, 50, 124),
                               withOpacity(QColor(255, 255, 255), 0.78),
                               withOpacity(QColor(255, 255, 255), 0.82)});
        fillClassic(colors);
        break;
    case AppAppearance::modernC64:
        setOwnColours(colors, {QColor(11, 20, 38), QColor(15, 28, 50), QColor(18, 35, 58),
                               QColor(100, 181, 246), QColor(26, 53, 84), QColor(21, 42, 68),
                               withOpacity(QColor(79, 195, 247), 0.62), QColor(129, 212, 250)});
        fillModern(colors);
        break;
    case AppAppearance::system:
        setOwnColours(colors, systemOwnColours(platform));
        fillSystem(colors, platform);
        break;
    }
    return colors;
}

} // namespace vellum
