#include "ui/desktop/FileManagerReveal.h"

#include <QDir>
#include <QFileInfo>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#endif

namespace vellum {

QUrl folderHoldingFirst(const QList<QUrl>& urls) {
    if (urls.isEmpty() || !urls.first().isLocalFile()) {
        return {};
    }
    const QFileInfo item(urls.first().toLocalFile());
    return QUrl::fromLocalFile(item.absoluteDir().path());
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
void showItemsInFileManager(const QList<QUrl>& urls, QDBusConnection bus,
                            std::function<void()> fallback) {
    if (!bus.isConnected()) {
        QTimer::singleShot(0, [fallback] { fallback(); });
        return;
    }
    QStringList uris;
    for (const QUrl& url : urls) {
        uris << url.toString(QUrl::FullyEncoded);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << uris << QString();
    // A file manager that has to be started first may take a few seconds; one that never
    // answers should not leave the user with nothing for long.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [fallback](QDBusPendingCallWatcher* finished) {
                         if (finished->isError()) {
                             fallback();
                         }
                         finished->deleteLater();
                     });
}
#endif

} // namespace vellum
