#pragma once

#include "DemoFolder.h"

#include "session/DesktopServices.h"

#include <QList>
#include <QString>

namespace vellum::demo {

// The desktop as the scripted tour has it: nobody sits in front of the file panels, so they
// are answered the way a user of the demo would answer them, always inside the demo folder.
// Notices and mails are only kept, the trash is a folder of the demo.
class TourDesktopServices : public DesktopServices {
public:
    explicit TourDesktopServices(DemoFolder folder);

    // A free name for the proposed one in the folder the panel opens on (the sample folder
    // when that lies outside the demo).
    std::optional<QUrl> chooseSaveFile(const FilePanelRequest& request) override;
    // The first file of that folder that the panel allows.
    QList<QUrl> chooseOpenFiles(const FilePanelRequest& request) override;
    // The sample folder.
    std::optional<QUrl> chooseFolder(const FilePanelRequest& request) override;
    void revealInFileManager(const QList<QUrl>&) override {}
    void requestNotificationPermission() override {}
    void postNotification(const QString& title, const QString& body) override;
    void composeMail(const QString&, const QString&, const QString&) override {}
    void moveToTrash(const QUrl& url) override;

    // What the panels were asked and the notices posted, in order.
    const QList<FilePanelRequest>& panelRequests() const { return requests; }
    const QStringList& notices() const { return posted; }

private:
    QString panelFolder(const FilePanelRequest& request) const;

    DemoFolder folder;
    QList<FilePanelRequest> requests;
    QStringList posted;
};

} // namespace vellum::demo
