#pragma once

#include <QList>
#include <QUrl>
#include <functional>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QDBusConnection>
#endif

namespace vellum {

// The folder to open when no file manager can show the items themselves: the folder
// holding the first item.
QUrl folderHoldingFirst(const QList<QUrl>& urls);

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// Asks the desktop's file manager (org.freedesktop.FileManager1) to show the items
// selected in their folder. The call never waits: when there is no bus, or the file manager
// does not answer with success, `fallback` runs later on the event loop.
void showItemsInFileManager(const QList<QUrl>& urls, QDBusConnection bus,
                            std::function<void()> fallback);
#endif

} // namespace vellum
