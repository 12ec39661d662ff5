#pragma once

#include "model/DriveSentences.h"

#include <QString>
#include <functional>
#include <optional>

namespace vellum {

// What the system itself says of the ZoomFloppy (xum1541, USB 16d0:0504), which tells the
// cases apart that the tools all report as "no xum1541 device found".
enum class UsbAdapterPresence {
    notChecked,   // no such folder: another system, or no sysfs
    notConnected, // the USB bus holds no such device
    noAccess,     // connected, but this account cannot open its device node
    usable,       // connected and openable: the tools should find it
};

struct UsbAdapterScan {
    UsbAdapterPresence presence = UsbAdapterPresence::notChecked;
    QString deviceNode; // /dev/bus/usb/BBB/DDD when connected

    friend bool operator==(const UsbAdapterScan&, const UsbAdapterScan&) = default;
};

// Whether this account may open a device node for reading and writing.
using DeviceNodeAccess = std::function<bool(const QString& node)>;
bool canOpenForReadWrite(const QString& node);

// Looks through `devicesFolder` (Linux: /sys/bus/usb/devices) for the adapter and checks
// its node under `nodeRoot` (/dev/bus/usb). Both folders are parameters so that tests can
// play every case.
UsbAdapterScan
scanForZoomFloppy(const QString& devicesFolder = QStringLiteral("/sys/bus/usb/devices"),
                  const QString& nodeRoot = QStringLiteral("/dev/bus/usb"),
                  const DeviceNodeAccess& access = canOpenForReadWrite);

// What to tell a user whose tools found no adapter: which case holds, the command that
// mends it where there is one, and the user guide's section that explains it.
struct AdapterAdvice {
    QString sentence;
    QString command;
    QString guideSection;

    friend bool operator==(const AdapterAdvice&, const AdapterAdvice&) = default;
};

// `reported` is what the tools said; the scan refines it where the system knows better
// (the tools say "no device" both when none is plugged in and when it may not be opened).
AdapterAdvice adviceFor(ToolFailure reported, const UsbAdapterScan& scan);

} // namespace vellum
