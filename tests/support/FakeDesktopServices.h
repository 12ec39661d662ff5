#pragma once

#include "model/OpenCBMError.h"
#include "session/DesktopServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QQueue>
#include <QString>
#include <QUrl>
#include <optional>

namespace vellum::testing {

// Records every call and answers panels from queued values; an empty queue answers as if
// the user cancelled the panel.
class FakeDesktopServices : public DesktopServices {
public:
    struct Notification {
        QString title;
        QString body;
        friend bool operator==(const Notification&, const Notification&) = default;
    };

    // Answers for the next panels, taken in order.
    QQueue<std::optional<QUrl>> saveFileAnswers;
    QQueue<QList<QUrl>> openFilesAnswers;
    QQueue<std::optional<QUrl>> folderAnswers;

    // What the session asked for.
    QList<FilePanelRequest> saveFileRequests;
    int permissionRequests = 0;
    QList<Notification> notifications;
    QList<QUrl> trashed;

    std::optional<QUrl> chooseSaveFile(const FilePanelRequest& request) override {
        saveFileRequests.append(request);
        return saveFileAnswers.isEmpty() ? std::nullopt : saveFileAnswers.dequeue();
    }
    QList<QUrl> chooseOpenFiles(const FilePanelRequest&) override {
        return openFilesAnswers.isEmpty() ? QList<QUrl>{} : openFilesAnswers.dequeue();
    }
    std::optional<QUrl> chooseFolder(const FilePanelRequest&) override {
        return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.dequeue();
    }
    void revealInFileManager(const QList<QUrl>&) override {}
    void requestNotificationPermission() override { ++permissionRequests; }
    void postNotification(const QString& title, const QString& body) override {
        notifications.append({title, body});
    }
    void composeMail(const QString&, const QString&, const QString&) override {}
    // Moves the item away, as the desktop would.
    void moveToTrash(const QUrl& url) override {
        trashed.append(url);
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir()) {
            QDir(path).removeRecursively();
        } else {
            QFile::remove(path);
        }
    }
};

} // namespace vellum::testing
