#pragma once

#include "ui/window/ToolbarRow.h"

namespace vellum {

class CommandActions;
class VellumViewModel;

// The command row above the computer pane: Up, Refresh, Open, New Folder, Rename, Delete.
class ComputerToolbar : public ToolbarRow {
    Q_OBJECT

public:
    ComputerToolbar(VellumViewModel& session, CommandActions& actions, QWidget* parent = nullptr);
};

// The command row above the floppy pane: Directory, Save, Write, Format, Init, Reset,
// Rename, Delete.
class FloppyToolbar : public ToolbarRow {
    Q_OBJECT

public:
    FloppyToolbar(VellumViewModel& session, CommandActions& actions, QWidget* parent = nullptr);
};

} // namespace vellum
