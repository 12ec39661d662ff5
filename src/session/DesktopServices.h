#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace vellum {

// What a file panel shows and where it opens.
struct FilePanelRequest {
    QString title;
    QString message;
    QUrl directory;                // where the panel opens (may be empty)
    QString proposedName;          // save panels
    QStringList allowedExtensions; // e.g. {"d64"}; empty = any file
    bool allowsMultiple = false;   // open panels

    friend bool operator==(const FilePanelRequest&, const FilePanelRequest&) = default;
};

// Everything that shows a window of its own or talks to the desktop. The window provides
// the real implementation; the session only ever sees this interface, so it runs headless.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    virtual std::optional<QUrl> chooseSaveFile(const FilePanelRequest& request) = 0;
    virtual QList<QUrl> chooseOpenFiles(const FilePanelRequest& request) = 0; // empty = cancelled
    virtual std::optional<QUrl> chooseFolder(const FilePanelRequest& request) = 0;
    virtual void revealInFileManager(const QList<QUrl>& urls) = 0;
    virtual void requestNotificationPermission() = 0;
    virtual void postNotification(const QString& title, const QString& body) = 0;
    virtual void composeMail(const QString& recipient, const QString& subject,
                             const QString& body) = 0;
    virtual void moveToTrash(const QUrl& url) = 0; // throws PlatformError on failure
};

} // namespace vellum
