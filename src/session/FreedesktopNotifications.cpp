#include "session/FreedesktopNotifications.h"

#include <QDBusMessage>
#include <QVariantMap>

namespace vellum {

FreedesktopNotifications::FreedesktopNotifications(QDBusConnection bus)
    : connection(std::move(bus)) {}

bool FreedesktopNotifications::post(const QString& title, const QString& body) const {
    if (!connection.isConnected()) {
        return false;
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // A new notice every time (replaces id 0), with the desktop's own sound for a finished
    // transfer and its default display time.
    const QVariantMap hints{{QStringLiteral("sound-name"), QStringLiteral("complete")},
                            {QStringLiteral("desktop-entry"), QStringLiteral("vellum")}};
    notify << QStringLiteral("Vellum") << quint32(0) << QString() << title << body << QStringList()
           << hints << qint32(-1);
    return connection.send(notify);
}

} // namespace vellum
