#include "opencbm/UsbAdapterScan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(UsbAdapterScan)
};

QString attribute(const QDir& device, const char* name) {
    QFile file(device.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed()
                                          : QString();
}

} // namespace

bool canOpenForReadWrite(const QString& node) {
    QFile file(node);
    return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

UsbAdapterScan scanForZoomFloppy(const QString& devicesFolder, const QString& nodeRoot,
                                 const DeviceNodeAccess& access) {
    const QDir devices(devicesFolder);
    if (!devices.exists()) {
        return {};
    }
    for (const QString& name : devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir device(devices.filePath(name));
        if (attribute(device, "idVendor") != QLatin1String("16d0") ||
            attribute(device, "idProduct") != QLatin1String("0504")) {
            continue;
        }
        const QString node = QStringLiteral("%1/%2/%3")
                                 .arg(nodeRoot)
                                 .arg(attribute(device, "busnum").toInt(), 3, 10, QLatin1Char('0'))
                                 .arg(attribute(device, "devnum").toInt(), 3, 10, QLatin1Char('0'));
        const bool openable = access && access(node);
        return {openable ? UsbAdapterPresence::usable : UsbAdapterPresence::noAccess, node};
    }
    return {UsbAdapterPresence::notConnected, {}};
}

AdapterAdvice adviceFor(ToolFailure reported, const UsbAdapterScan& scan) {
    const QString permissions = QStringLiteral("USB Permissions");
    const bool noDevice =
        reported == ToolFailure::noAdapter || reported == ToolFailure::permissionDenied;
    if (noDevice && scan.presence == UsbAdapterPresence::notConnected) {
        return {Texts::tr("No ZoomFloppy is connected to this computer's USB. Plug it in, try "
                          "another cable or port, and click Detect."),
                QStringLiteral("lsusb -d 16d0:0504"), permissions};
    }
    if (reported == ToolFailure::permissionDenied ||
        (noDevice && scan.presence == UsbAdapterPresence::noAccess)) {
        return {Texts::tr("The ZoomFloppy is connected, but this account may not open it. "
                          "Install OpenCBM's udev rules, then plug the adapter in again."),
                QStringLiteral("sudo make -f LINUX/Makefile install-plugin && sudo udevadm "
                               "control --reload-rules"),
                permissions};
    }
    if (reported == ToolFailure::firmwareTooOld || reported == ToolFailure::firmwareTooNew) {
        return {sentenceFor(reported), QStringLiteral("xum1541cfg update xum1541-firmware.hex"),
                QStringLiteral("Troubleshooting")};
    }
    return {sentenceFor(reported), {}, QStringLiteral("Troubleshooting")};
}

} // namespace vellum
