#pragma once

#include <QWidget>

namespace vellum::testing {

// Every widget of the kit, and the standard widgets the theme dresses, laid out roughly as
// the window shows them, in their enabled, disabled, hovered, selected and highlighted
// states. Built anew for each theme it is shown in.
std::unique_ptr<QWidget> makeKitGallery();

// A confirmation dialog with a default Cancel and a destructive button, a line edit with
// its error line, a command line and a menu, for the dialog-side look.
std::unique_ptr<QWidget> makeDialogGallery();

// Marks a widget as under the mouse so that a screenshot shows its hover look.
void pretendHovered(QWidget* widget);

} // namespace vellum::testing
