#pragma once

#include <QWidget>

namespace vellum {

class CommandActions;
class IconButton;
class VellumViewModel;

// The two arrows between the panes: the selected computer files to the floppy, and the
// selected floppy files to the computer (or into the open D64).
class TransferControls : public QWidget {
    Q_OBJECT

public:
    TransferControls(VellumViewModel& session, CommandActions& actions, QWidget* parent = nullptr);

    IconButton* toFloppy() const { return toFloppyButton; }
    IconButton* toComputer() const { return toComputerButton; }

private:
    IconButton* toFloppyButton;
    IconButton* toComputerButton;
};

} // namespace vellum
