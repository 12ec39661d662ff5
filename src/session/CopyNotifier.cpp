#include "session/CopyNotifier.h"

#include "session/DesktopServices.h"

namespace vellum::CopyNotifier {

void prepare(DesktopServices& desktop) {
    desktop.requestNotificationPermission();
}

void post(DesktopServices& desktop, const QString& title, const QString& body) {
    desktop.postNotification(title, body);
}

} // namespace vellum::CopyNotifier
