#include "session/FreedesktopNotifications.h"

#include "PrivateBus.h"

#include <QDBusConnection>
#include <QVariantMap>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

struct Notice {
    QString appName;
    quint32 replacesId = 0;
    QString summary;
    QString body;
    QVariantMap hints;
};

// Plays the desktop's notification service on a private bus.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<Notice> received;

public slots:
    quint32 Notify(const QString& appName, quint32 replacesId, const QString& /*appIcon*/,
                   const QString& summary, const QString& body, const QStringList& /*actions*/,
                   const QVariantMap& hints, qint32 /*expireTimeout*/) {
        received << Notice{appName, replacesId, summary, body, hints};
        return quint32(received.size());
    }
};

} // namespace

TEST(FreedesktopNotifications, EveryPostIsItsOwnNoticeFromVellum) {
    PrivateBus bus;
    if (bus.address.isEmpty()) {
        GTEST_SKIP() << "dbus-daemon is not available";
    }
    QDBusConnection serviceBus = bus.connect(QStringLiteral("service"));
    ASSERT_TRUE(serviceBus.isConnected());
    NotificationService service;
    ASSERT_TRUE(serviceBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                          &service, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(serviceBus.registerService(QStringLiteral("org.freedesktop.Notifications")));

    const FreedesktopNotifications notices(bus.connect(QStringLiteral("client")));
    for (const QString body : {"Saved “GAMES.d64”.", "Format failed."}) {
        EXPECT_TRUE(notices.post(QStringLiteral("Vellum"), body));
    }
    waitUntil([&] { return service.received.size() >= 2; });
    ASSERT_EQ(service.received.size(), 2);
    EXPECT_EQ(service.received[0].appName, QStringLiteral("Vellum"));
    EXPECT_EQ(service.received[0].body, QStringLiteral("Saved “GAMES.d64”."));
    EXPECT_EQ(service.received[1].replacesId, 0u) << "never replaces the first";
}

#include "FreedesktopNotificationsTest.moc"
