#pragma once

#include <QCoreApplication>
#include <QString>

namespace vellum::texts {

// Status texts that more than one part of the session shows.
inline QString driveIsReady() {
    return QCoreApplication::translate("vellum::texts", "The drive is ready.");
}
inline QString adapterResponding() {
    return QCoreApplication::translate("vellum::texts", "USB adapter responding.");
}
inline QString deviceRespondingNormally() {
    return QCoreApplication::translate("vellum::texts", "IEC device responding normally.");
}
inline QString deviceNotDetected() {
    return QCoreApplication::translate("vellum::texts", "IEC device not detected.");
}
inline QString noDriveReplied() {
    return QCoreApplication::translate("vellum::texts",
                                       "ZoomFloppy is present, but no IEC drive replied.");
}
inline QString noDriveOnBus() {
    return QCoreApplication::translate("vellum::texts", "No drive detected on the bus.");
}
inline QString stopped() {
    return QCoreApplication::translate(
        "vellum::texts", "Stopped. If the drive was powered off, turn it on and click Detect.");
}
// Names between curly quotes: “name”.
inline QString quoted(const QString& name) {
    return QStringLiteral("\u201C") + name + QStringLiteral("\u201D");
}
// Counted parts of the panes' footers: "1 FILE", "3 FILES".
inline QString fileCount(qsizetype count) {
    return count == 1 ? QCoreApplication::translate("vellum::texts", "1 FILE")
                      : QCoreApplication::translate("vellum::texts", "%1 FILES").arg(count);
}
// The separator between the parts of a footer: two spaces, a middle dot, two spaces.
inline QString footerSeparator() {
    return QStringLiteral("  \u00B7  ");
}

} // namespace vellum::texts
