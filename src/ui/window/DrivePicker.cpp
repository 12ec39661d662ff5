#include "ui/window/DrivePicker.h"

#include "session/VellumViewModel.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QSignalBlocker>

namespace vellum {

QList<DrivePickerEntry> drivePickerEntries(const QList<DriveInfo>& detected, qint64 current) {
    QList<DrivePickerEntry> entries;
    bool listed = false;
    for (const DriveInfo& drive : detected) {
        entries.append({drive.deviceNumber, drive.title()});
        listed = listed || drive.deviceNumber == current;
    }
    if (!listed) {
        const DrivePickerEntry shown{current, QCoreApplication::translate("DrivePicker", "Drive ") +
                                                  QString::number(current)};
        // In device order among the detected drives.
        auto at = std::find_if(entries.begin(), entries.end(),
                               [&](const DrivePickerEntry& e) { return e.deviceNumber > current; });
        entries.insert(at, shown);
    }
    return entries;
}

DrivePicker::DrivePicker(VellumViewModel& session, QWidget* parent)
    : QComboBox(parent), session(session) {
    setAccessibleName(tr("Drive"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    const DriveState& drives = session.drives();
    connect(&drives, &DriveState::detectedDrivesChanged, this, &DrivePicker::refill);
    connect(&drives, &DriveState::deviceNumberChanged, this, &DrivePicker::refill);
    connect(&session.commands(), &Commands::commandsChanged, this,
            [this] { setEnabled(this->session.commands().isIdle()); });
    // `activated` comes only from the user, so filling the list selects nothing.
    connect(this, &QComboBox::activated, this, [this](int index) {
        const qint64 number = itemData(index).toLongLong();
        if (number != this->session.drives().deviceNumber()) {
            this->session.selectDrive(number);
        }
    });
    refill();
    setEnabled(session.commands().isIdle());
}

void DrivePicker::showPopup() {
    QComboBox::showPopup();
    QAbstractItemView* list = view();
    QWidget* popup = list->window();
    const int rows = std::min(count(), maxVisibleItems());
    int needed = 0;
    for (int row = 0; row < rows; ++row) {
        needed += list->sizeHintForRow(row);
    }
    const int missing = needed - list->viewport()->height();
    if (missing <= 0 || popup == window()) {
        return;
    }
    QRect grown = popup->geometry().adjusted(0, 0, 0, missing);
    // Where the screen ends below, the list opens upwards instead.
    if (const QScreen* shown = popup->screen();
        shown && grown.bottom() > shown->availableGeometry().bottom()) {
        grown.moveBottom(shown->availableGeometry().bottom());
    }
    popup->setGeometry(grown);
}

void DrivePicker::refill() {
    const DriveState& drives = session.drives();
    const QSignalBlocker quiet(this);
    clear();
    for (const DrivePickerEntry& entry :
         drivePickerEntries(drives.detectedDrives(), drives.deviceNumber())) {
        addItem(entry.text, QVariant::fromValue(entry.deviceNumber));
        if (entry.deviceNumber == drives.deviceNumber()) {
            setCurrentIndex(count() - 1);
        }
    }
}

} // namespace vellum
