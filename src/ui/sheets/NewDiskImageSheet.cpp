#include "ui/sheets/NewDiskImageSheet.h"

#include "session/VellumViewModel.h"
#include "ui/sheets/FieldBinding.h"

#include <QComboBox>
#include <algorithm>

namespace vellum {

NewDiskImageSheet::NewDiskImageSheet(VellumViewModel& session, QWidget* parent)
    : DialogFrame(parent) {
    Sheets& sheets = session.sheets();
    setTitle(tr("New Disk Image"));
    setMessage(tr("Creates an empty disk image in this folder. It does not touch the floppy."));
    name = addTextField(tr("DISK NAME"), true, 3);
    id = addTextField(tr("ID"), false, 1);
    // In the order of allDiskImageFormats, so an index names a format.
    type = addChoiceField(tr("TYPE"), {tr("D64 — 1541 or 1570, 664 blocks"),
                                       tr("D71 — 1571, double-sided, 1328 blocks"),
                                       tr("D81 — 1581, 3160 blocks")});
    confirm = addSheetButtons(tr("Create"));

    bindText(name, sheets, &Sheets::newDiskName, &Sheets::setNewDiskName,
             &Sheets::newDiskNameChanged);
    bindText(id, sheets, &Sheets::newDiskID, &Sheets::setNewDiskID, &Sheets::newDiskIDChanged);
    const auto showFormat = [this, &sheets] {
        type->setCurrentIndex(int(std::ranges::find(allDiskImageFormats, sheets.newDiskFormat()) -
                                  allDiskImageFormats.begin()));
    };
    showFormat();
    connect(&sheets, &Sheets::newDiskFormatChanged, type, showFormat);
    connect(type, &QComboBox::activated, &sheets,
            [&sheets](int index) { sheets.setNewDiskFormat(allDiskImageFormats.at(index)); });
    bindError(this, sheets, &Sheets::newDiskFieldError, &Sheets::newDiskFieldErrorChanged);
    connect(this, &DialogFrame::confirmRequested, &session, &VellumViewModel::createNewDiskImage);
    startIn(name);
}

} // namespace vellum
