#include "ui/sheets/NamePromptSheet.h"

#include "session/VellumViewModel.h"
#include "ui/sheets/FieldBinding.h"

namespace vellum {

NamePromptTexts namePromptTexts(NamePromptKind kind) {
    switch (kind) {
    case NamePromptKind::newFolder:
        return {NamePromptSheet::tr("New Folder"),
                NamePromptSheet::tr("Creates a folder in the current computer directory."),
                NamePromptSheet::tr("FOLDER NAME"), NamePromptSheet::tr("Create")};
    case NamePromptKind::renameComputerItem:
        return {NamePromptSheet::tr("Rename"),
                NamePromptSheet::tr("Rename the selected file or folder on this computer."),
                NamePromptSheet::tr("NAME"), NamePromptSheet::tr("Rename")};
    case NamePromptKind::renameFloppy:
        return {NamePromptSheet::tr("Rename Floppy File"),
                NamePromptSheet::tr("Commodore DOS rename (R0). 16 characters, no comma."),
                NamePromptSheet::tr("NAME"), NamePromptSheet::tr("Rename")};
    }
    return {};
}

NamePromptSheet::NamePromptSheet(VellumViewModel& model, NamePromptKind kind, QWidget* parent)
    : DialogFrame(parent), session(model), promptKind(kind) {
    const NamePromptTexts texts = namePromptTexts(kind);
    setTitle(texts.title);
    setMessage(texts.message);
    name = addTextField(texts.fieldLabel);
    confirm = addSheetButtons(texts.confirmTitle);

    Sheets& sheets = session.sheets();
    bindText(name, sheets, &Sheets::nameField, &Sheets::setNameField, &Sheets::nameFieldChanged);
    bindError(this, sheets, &Sheets::nameFieldError, &Sheets::nameFieldErrorChanged);
    connect(this, &DialogFrame::confirmRequested, this, &NamePromptSheet::commit);
    startIn(name);
}

void NamePromptSheet::commit() {
    switch (promptKind) {
    case NamePromptKind::newFolder:
        session.commitNewFolder();
        break;
    case NamePromptKind::renameComputerItem:
        session.commitRenameComputerItem();
        break;
    case NamePromptKind::renameFloppy:
        session.commitRenameFloppy();
        break;
    }
}

} // namespace vellum
