#include "ui/desktop/QtDesktopServices.h"

#include "session/FeedbackMailTexts.h"
#include "session/Trash.h"
#include "ui/desktop/FileManagerReveal.h"
#include "ui/desktop/FilePanels.h"
#include "ui/kit/Theme.h"

#include <QDesktopServices>
#include <QFileDialog>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include "session/FreedesktopNotifications.h"
#define VELLUM_FREEDESKTOP 1
#endif

namespace vellum {

struct QtDesktopServices::Platform {
#ifdef VELLUM_FREEDESKTOP
    FreedesktopNotifications notifications;
#endif
};

QtDesktopServices::QtDesktopServices()
    : QtDesktopServices([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

QtDesktopServices::QtDesktopServices(LinkOpener openLink)
    : openLink(std::move(openLink)), platform(std::make_unique<Platform>()) {}

QtDesktopServices::~QtDesktopServices() = default;

void QtDesktopServices::setWindow(QWidget* window) {
    owner = window;
}

namespace {

// Runs the dialog to its end. The session asks for the answer and waits for it, so the
// dialog has to be modal here; it is window-modal to the main window.
QList<QUrl> runPanel(QWidget* owner, const FilePanelRequest& request, FilePanelKind kind) {
    QFileDialog panel(owner);
    if (owner != nullptr) {
        panel.setWindowModality(Qt::WindowModal);
    }
    configureFilePanel(panel, request, kind, filePanelLookFor(Theme::shared().appearance()));
    if (panel.exec() != QDialog::Accepted) {
        return {};
    }
    return panel.selectedUrls();
}

} // namespace

std::optional<QUrl> QtDesktopServices::chooseSaveFile(const FilePanelRequest& request) {
    const QList<QUrl> chosen = runPanel(owner, request, FilePanelKind::save);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.first();
}

QList<QUrl> QtDesktopServices::chooseOpenFiles(const FilePanelRequest& request) {
    return runPanel(owner, request, FilePanelKind::openFiles);
}

std::optional<QUrl> QtDesktopServices::chooseFolder(const FilePanelRequest& request) {
    const QList<QUrl> chosen = runPanel(owner, request, FilePanelKind::folder);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.first();
}

void QtDesktopServices::revealInFileManager(const QList<QUrl>& urls) {
    if (urls.isEmpty()) {
        return;
    }
    auto openFolder = [opener = openLink, folder = folderHoldingFirst(urls)] {
        if (folder.isValid()) {
            opener(folder);
        }
    };
#ifdef VELLUM_FREEDESKTOP
    showItemsInFileManager(urls, QDBusConnection::sessionBus(), openFolder);
#else
    openFolder();
#endif
}

void QtDesktopServices::postNotification(const QString& title, const QString& body) {
#ifdef VELLUM_FREEDESKTOP
    platform->notifications.post(title, body);
#else
    Q_UNUSED(title);
    Q_UNUSED(body);
#endif
}

void QtDesktopServices::composeMail(const QString& recipient, const QString& subject,
                                    const QString& body) {
    openLink(feedbackMailURL(recipient, subject, body));
}

void QtDesktopServices::moveToTrash(const QUrl& url) {
    moveItemToTrash(url);
}

} // namespace vellum
