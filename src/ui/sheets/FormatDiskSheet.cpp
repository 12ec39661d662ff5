#include "ui/sheets/FormatDiskSheet.h"

#include "session/VellumViewModel.h"
#include "ui/kit/StyleRoles.h"
#include "ui/sheets/FieldBinding.h"

#include <QCheckBox>
#include <QPushButton>

namespace vellum {

FormatDiskSheet::FormatDiskSheet(VellumViewModel& model, QWidget* parent)
    : DialogFrame(parent), session(model) {
    Sheets& sheets = session.sheets();
    setTitle(tr("Format Floppy"));
    name = addTextField(tr("DISK NAME"), true, 3);
    id = addTextField(tr("ID"), false, 1);
    extended = new QCheckBox(tr("40-track disk"));
    addControl(extended);
    confirm = addSheetButtons(tr("Format Disk"));
    setStyleFlag(confirm, "destructive", true);

    bindText(name, sheets, &Sheets::formatName, &Sheets::setFormatName, &Sheets::formatNameChanged);
    bindText(id, sheets, &Sheets::formatID, &Sheets::setFormatID, &Sheets::formatIDChanged);
    bindCheck(extended, sheets, &Sheets::formatExtended, &Sheets::setFormatExtended,
              &Sheets::formatExtendedChanged);
    bindError(this, sheets, &Sheets::formatFieldError, &Sheets::formatFieldErrorChanged);
    connect(this, &DialogFrame::confirmRequested, this, [this] { session.confirmFormat(); });

    const DriveState& drives = session.drives();
    connect(&drives, &DriveState::deviceNumberChanged, this, &FormatDiskSheet::showDrive);
    connect(&drives, &DriveState::driveModelChanged, this, &FormatDiskSheet::showDrive);
    showDrive();
    startIn(name);
}

void FormatDiskSheet::showDrive() {
    const DriveState& drives = session.drives();
    setMessage(tr("This erases all files on the disk in drive %1.").arg(drives.deviceNumber()));
    extended->setVisible(drives.offersExtendedFormat());
}

} // namespace vellum
