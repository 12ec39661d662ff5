#pragma once

class QMenuBar;

namespace vellum {

class CommandActions;

// Fills the menu bar: File, Edit, Drive, View and Help.
void buildMenus(QMenuBar& bar, const CommandActions& actions);

} // namespace vellum
