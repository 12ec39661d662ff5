#pragma once

#include "ui/sheets/DialogFrame.h"

namespace vellum {

class VellumViewModel;

// Asks for the name and ID of an empty .d64 to create in the computer folder.
class NewDiskImageSheet : public DialogFrame {
    Q_OBJECT

public:
    explicit NewDiskImageSheet(VellumViewModel& session, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return name; }
    QLineEdit* idField() const { return id; }
    QPushButton* confirmButton() const { return confirm; }

private:
    QLineEdit* name;
    QLineEdit* id;
    QPushButton* confirm;
};

} // namespace vellum
