#pragma once

#include "ui/sheets/DialogFrame.h"

class QCheckBox;

namespace vellum {

class VellumViewModel;

// Asks for the new disk's name and ID before a format. "Format Disk" hands the fields to
// the session, which either closes the sheet and formats or leaves a message under them.
class FormatDiskSheet : public DialogFrame {
    Q_OBJECT

public:
    explicit FormatDiskSheet(VellumViewModel& session, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return name; }
    QLineEdit* idField() const { return id; }
    QCheckBox* extendedCheck() const { return extended; }
    QPushButton* confirmButton() const { return confirm; }

private:
    void showDrive();

    VellumViewModel& session;
    QLineEdit* name;
    QLineEdit* id;
    QCheckBox* extended;
    QPushButton* confirm;
};

} // namespace vellum
