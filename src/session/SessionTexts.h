#pragma once

#include <QString>

namespace vellum::texts {

// Status texts that more than one operation shows.
inline QString driveIsReady() {
    return QStringLiteral("The drive is ready.");
}
inline QString adapterResponding() {
    return QStringLiteral("USB adapter responding.");
}
inline QString deviceRespondingNormally() {
    return QStringLiteral("IEC device responding normally.");
}
inline QString deviceNotDetected() {
    return QStringLiteral("IEC device not detected.");
}
inline QString noDriveReplied() {
    return QStringLiteral("ZoomFloppy is present, but no IEC drive replied.");
}
inline QString noDriveOnBus() {
    return QStringLiteral("No drive detected on the bus.");
}
inline QString stopped() {
    return QStringLiteral("Stopped. If the drive was powered off, turn it on and click Detect.");
}
// Names between curly quotes: “name”.
inline QString quoted(const QString& name) {
    return QStringLiteral("\u201C") + name + QStringLiteral("\u201D");
}

} // namespace vellum::texts
