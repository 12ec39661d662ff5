#include "opencbm/UsbAdapterScan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

namespace {

void addDevice(const QTemporaryDir& sysfs, const QString& name, const QByteArray& vendor,
               const QByteArray& product) {
    QDir(sysfs.path()).mkpath(name);
    const auto write = [&](const char* attribute, const QByteArray& value) {
        QFile file(sysfs.filePath(name + QLatin1Char('/') + QLatin1String(attribute)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(value + '\n');
    };
    write("idVendor", vendor);
    write("idProduct", product);
    write("busnum", "3");
    write("devnum", "17");
}

} // namespace

TEST(UsbAdapterScanTest, TellsEachCaseFromTheSystem) {
    const auto allowed = [](const QString&) { return true; };
    const auto refused = [](const QString&) { return false; };
    EXPECT_EQ(
        scanForZoomFloppy(QStringLiteral("/nonexistent/sys"), "/dev/bus/usb", allowed).presence,
        UsbAdapterPresence::notChecked);

    QTemporaryDir sysfs;
    addDevice(sysfs, QStringLiteral("1-1"), "1d6b", "0002");
    EXPECT_EQ(scanForZoomFloppy(sysfs.path(), "/dev/bus/usb", allowed).presence,
              UsbAdapterPresence::notConnected);

    addDevice(sysfs, QStringLiteral("3-2"), "16d0", "0504");
    EXPECT_EQ(scanForZoomFloppy(sysfs.path(), "/dev/bus/usb", refused),
              (UsbAdapterScan{UsbAdapterPresence::noAccess, "/dev/bus/usb/003/017"}));
    EXPECT_EQ(scanForZoomFloppy(sysfs.path(), "/dev/bus/usb", allowed).presence,
              UsbAdapterPresence::usable);
}

TEST(UsbAdapterScanTest, TheScanRefinesWhatTheToolsReport) {
    const UsbAdapterScan absent{UsbAdapterPresence::notConnected, {}};
    const UsbAdapterScan locked{UsbAdapterPresence::noAccess, "/dev/bus/usb/003/017"};
    const UsbAdapterScan unknown{};
    EXPECT_TRUE(adviceFor(ToolFailure::noAdapter, absent).sentence.contains("No ZoomFloppy"));
    EXPECT_TRUE(adviceFor(ToolFailure::noAdapter, locked).command.contains("udev"));
    EXPECT_TRUE(adviceFor(ToolFailure::permissionDenied, unknown).command.contains("udev"));
    EXPECT_EQ(adviceFor(ToolFailure::noAdapter, unknown).sentence,
              sentenceFor(ToolFailure::noAdapter));
    EXPECT_EQ(adviceFor(ToolFailure::firmwareTooOld, locked).guideSection, "Troubleshooting");
}
