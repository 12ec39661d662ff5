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
    struct Mail {
        QString recipient;
        QString subject;
        QString body;
        friend bool operator==(const Mail&, const Mail&) = default;
    };

    // Answers for the next panels, taken in order.
    QQueue<std::optional<QUrl>> saveFileAnswers;
    QQueue<QList<QUrl>> openFilesAnswers;
    QQueue<std::optional<QUrl>> folderAnswers;

    // When set, moveToTrash fails with this description instead of trashing.
    std::optional<QString> trashFailure;
    // When true, moveToTrash really moves the file away (removes it), as the desktop would.
    bool trashRemovesFiles = true;

    // What the session asked for.
    QList<FilePanelRequest> saveFileRequests;
    QList<FilePanelRequest> openFilesRequests;
    QList<FilePanelRequest> folderRequests;
    QList<QList<QUrl>> revealed;
    int permissionRequests = 0;
    QList<Notification> notifications;
    QList<Mail> mails;
    QList<QUrl> trashed;

    std::optional<QUrl> chooseSaveFile(const FilePanelRequest& request) override {
        saveFileRequests.append(request);
        return saveFileAnswers.isEmpty() ? std::nullopt : saveFileAnswers.dequeue();
    }
    QList<QUrl> chooseOpenFiles(const FilePanelRequest& request) override {
        openFilesRequests.append(request);
        return openFilesAnswers.isEmpty() ? QList<QUrl>{} : openFilesAnswers.dequeue();
    }
    std::optional<QUrl> chooseFolder(const FilePanelRequest& request) override {
        folderRequests.append(request);
        return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.dequeue();
    }
    void revealInFileManager(const QList<QUrl>& urls) override { revealed.append(urls); }
    void requestNotificationPermission() override { ++permissionRequests; }
    void postNotification(const QString& title, const QString& body) override {
        notifications.append({title, body});
    }
    void composeMail(const QString& recipient, const QString& subject,
                     const QString& body) override {
        mails.append({recipient, subject, body});
    }
    void moveToTrash(const QUrl& url) override {
        if (trashFailure) {
            throw PlatformError(*trashFailure);
        }
        trashed.append(url);
        if (trashRemovesFiles) {
            const QString path = url.toLocalFile();
            QFileInfo info(path);
            if (info.isDir()) {
                QDir(path).removeRecursively();
            } else {
                QFile::remove(path);
            }
        }
    }
};

} // namespace vellum::testing
