#pragma once

#include "session/CommanderPane.h"
#include "ui/sheets/DialogFrame.h"

namespace vellum {

class VellumViewModel;

// What the name prompt says for each of its uses.
struct NamePromptTexts {
    QString title;
    QString message;
    QString fieldLabel;
    QString confirmTitle;
};
NamePromptTexts namePromptTexts(NamePromptKind kind);

// One name for a new folder, a rename on the computer or a rename on the floppy. The
// session checks the name; a refused name leaves its message under the field and the sheet
// open.
class NamePromptSheet : public DialogFrame {
    Q_OBJECT

public:
    NamePromptSheet(VellumViewModel& session, NamePromptKind kind, QWidget* parent = nullptr);

    NamePromptKind kind() const { return promptKind; }
    QLineEdit* nameField() const { return name; }
    QPushButton* confirmButton() const { return confirm; }

private:
    void commit();

    VellumViewModel& session;
    NamePromptKind promptKind;
    QLineEdit* name;
    QPushButton* confirm;
};

} // namespace vellum
