#pragma once

#include <QDBusConnection>
#include <QString>

namespace vellum {

// Posts notices through the desktop's notification service (org.freedesktop.Notifications
// on the session bus), as Linux desktops show them. Posting never waits for the service:
// a desktop without one simply shows nothing.
class FreedesktopNotifications {
public:
    explicit FreedesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus());

    // False when there is no bus to post on.
    bool post(const QString& title, const QString& body) const;

private:
    QDBusConnection connection;
};

} // namespace vellum
