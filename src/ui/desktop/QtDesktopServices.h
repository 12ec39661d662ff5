#pragma once

#include "session/DesktopServices.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace vellum {

// The desktop as Qt reaches it: Qt's file dialogs over the main window, the desktop's trash,
// notices through the notification service, the file manager for "reveal", and the mail
// program through a mailto link.
class QtDesktopServices : public DesktopServices {
public:
    // How links are opened; tests record them instead.
    using LinkOpener = std::function<bool(const QUrl&)>;

    QtDesktopServices();
    explicit QtDesktopServices(LinkOpener openLink);
    ~QtDesktopServices() override;

    // The window the file dialogs belong to; they are modal to it.
    void setWindow(QWidget* window);
    QWidget* window() const { return owner; }

    std::optional<QUrl> chooseSaveFile(const FilePanelRequest& request) override;
    QList<QUrl> chooseOpenFiles(const FilePanelRequest& request) override;
    std::optional<QUrl> chooseFolder(const FilePanelRequest& request) override;
    void revealInFileManager(const QList<QUrl>& urls) override;
    // Linux desktops ask nobody before showing a notice.
    void requestNotificationPermission() override {}
    void postNotification(const QString& title, const QString& body) override;
    void composeMail(const QString& recipient, const QString& subject,
                     const QString& body) override;
    void moveToTrash(const QUrl& url) override;

private:
    struct Platform;

    QPointer<QWidget> owner;
    LinkOpener openLink;
    std::unique_ptr<Platform> platform;
};

} // namespace vellum
