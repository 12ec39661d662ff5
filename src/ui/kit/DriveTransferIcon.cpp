#include "ui/kit/DriveTransferIcon.h"

#include "ui/kit/Icons.h"

namespace vellum {

DriveTransferIcon::DriveTransferIcon(bool down, int side, QWidget* parent)
    : IconView(icon(down), side, parent), pointsDown(down) {}

QIcon DriveTransferIcon::icon(bool down) {
    return themedIcon(down ? IconName::saveFromDrive : IconName::writeToDrive);
}

} // namespace vellum
