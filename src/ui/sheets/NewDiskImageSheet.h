#pragma once

#include "ui/sheets/DialogFrame.h"

namespace vellum {

class VellumViewModel;

// Asks for the name, ID and type of an empty disk image to create in the computer folder.
class NewDiskImageSheet : public DialogFrame {
    Q_OBJECT

public:
    explicit NewDiskImageSheet(VellumViewModel& session, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return name; }
    QLineEdit* idField() const { return id; }
    QPushButton* confirmButton() const { return confirm; }
    QComboBox* typeField() const { return type; }

private:
    QLineEdit* name;
    QLineEdit* id;
    QComboBox* type;
    QPushButton* confirm;
};

} // namespace vellum
