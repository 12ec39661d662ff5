#pragma once

#include "model/DriveInfo.h"

#include <QComboBox>
#include <QList>

namespace vellum {

class VellumViewModel;

struct DrivePickerEntry {
    qint64 deviceNumber = 8;
    QString text;

    friend bool operator==(const DrivePickerEntry&, const DrivePickerEntry&) = default;
};

// The picker's entries: the detected drives, and the current device as "Drive N" when the
// last detection did not list it.
QList<DrivePickerEntry> drivePickerEntries(const QList<DriveInfo>& detected, qint64 current);

// The drive picker of the status panel. It shows the session's current drive; only a choice
// the user makes selects a drive, never refilling the list.
class DrivePicker : public QComboBox {
    Q_OBJECT

public:
    explicit DrivePicker(VellumViewModel& session, QWidget* parent = nullptr);

    // Opens the list tall enough for every drive: Qt measures the popup before a style
    // sheet's item padding is known and would otherwise cut it short.
    void showPopup() override;

private:
    void refill();

    VellumViewModel& session;
};

} // namespace vellum
