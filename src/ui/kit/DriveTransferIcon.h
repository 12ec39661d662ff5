#pragma once

#include "ui/kit/IconView.h"

namespace vellum {

// The drive with an arrow: down for saving the floppy to an image, up for writing an image
// to the floppy.
class DriveTransferIcon : public IconView {
    Q_OBJECT

public:
    explicit DriveTransferIcon(bool down, int side = 18, QWidget* parent = nullptr);

    bool isDown() const { return pointsDown; }

    // The same symbol as an icon, for buttons.
    static QIcon icon(bool down);

private:
    bool pointsDown;
};

} // namespace vellum
