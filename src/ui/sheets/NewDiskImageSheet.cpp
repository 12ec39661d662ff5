#include "ui/sheets/NewDiskImageSheet.h"

#include "session/VellumViewModel.h"
#include "ui/sheets/FieldBinding.h"

namespace vellum {

NewDiskImageSheet::NewDiskImageSheet(VellumViewModel& session, QWidget* parent)
    : DialogFrame(parent) {
    Sheets& sheets = session.sheets();
    setTitle(tr("New Disk Image"));
    setMessage(tr("Creates an empty .d64 in this folder. It does not touch the floppy."));
    name = addTextField(tr("DISK NAME"), true, 3);
    id = addTextField(tr("ID"), false, 1);
    confirm = addSheetButtons(tr("Create"));

    bindText(name, sheets, &Sheets::newDiskName, &Sheets::setNewDiskName,
             &Sheets::newDiskNameChanged);
    bindText(id, sheets, &Sheets::newDiskID, &Sheets::setNewDiskID, &Sheets::newDiskIDChanged);
    bindError(this, sheets, &Sheets::newDiskFieldError, &Sheets::newDiskFieldErrorChanged);
    connect(this, &DialogFrame::confirmRequested, &session, &VellumViewModel::createNewDiskImage);
    startIn(name);
}

} // namespace vellum
