#pragma once

#include "session/AppAppearance.h"

#include <QColor>

class QPalette;

namespace vellum {

// Every colour one theme paints with, resolved to real colours: the palette roles, and the
// text, line, fill and state colours derived from them. The style sheet and the widgets that
// paint themselves both read this, so a colour is decided in one place.
struct ThemeColors {
    // The colours each theme chooses; the rest are derived from them.
    QColor windowBackground;
    QColor panelBackground;
    QColor deepPanelBackground;
    QColor accentTone;
    QColor strongFill;
    QColor lightFill;
    QColor secondaryText;
    QColor brightText;

    // Text.
    QColor text;
    QColor heading;
    QColor disabledText;
    QColor warning;

    // Lines, surfaces and row states.
    QColor line;
    QColor card;
    QColor field;
    QColor dialog;
    QColor stripe;
    QColor hover;
    QColor pressed;
    QColor selection;
    QColor selectionText;
    QColor inactiveSelection;
    QColor inactiveSelectionText;
    QColor dropTargetFill;
    QColor dropTargetBorder;
    QColor focusRing;

    // Buttons.
    QColor buttonFill;
    QColor buttonHover;
    QColor buttonText;
    QColor defaultButtonFill;
    QColor defaultButtonText;
    QColor destructiveFill;
    QColor destructiveText;

    // Status marks.
    QColor ok;
    QColor progressFill;
    QColor progressTrack;
};

// The colours of a theme. The platform palette only matters for System.
ThemeColors themeColors(AppAppearance appearance, const QPalette& platform);

// `color` at `opacity` times its own alpha.
QColor withOpacity(QColor color, double opacity);

// The solid colour seen when `over` at `opacity` lies on `under`.
QColor blended(const QColor& under, const QColor& over, double opacity);

} // namespace vellum
