#pragma once

#include "WaitForTask.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace vellum::testing {

// A dbus-daemon of the test's own, so no desktop session is touched. Its socket lives in a
// temporary folder of its own, which goes with it. `address` stays empty when no daemon
// could be started (the test should then skip).
class PrivateBus {
public:
    PrivateBus() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            return;
        }
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1"),
                      QStringLiteral("--address=unix:path=") + folder.filePath("bus")});
        if (!daemon.waitForStarted(5000) || !daemon.waitForReadyRead(5000)) {
            return;
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        for (const QString& name : connectionNames) {
            QDBusConnection::disconnectFromBus(name);
        }
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    // A connection of its own under `name`, closed with the bus.
    QDBusConnection connect(const QString& name) {
        connectionNames << name;
        return QDBusConnection::connectToBus(address, name);
    }

    QTemporaryDir folder;
    QProcess daemon;
    QString address;

private:
    QStringList connectionNames;
};

} // namespace vellum::testing
