#include "TourDesktopServices.h"

#include "images/ComputerFileNames.h"
#include "model/OpenCBMError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vellum::demo {

TourDesktopServices::TourDesktopServices(DemoFolder folder) : folder(std::move(folder)) {}

QString TourDesktopServices::panelFolder(const FilePanelRequest& request) const {
    const QString asked = QDir::cleanPath(request.directory.toLocalFile());
    const bool inside = !asked.isEmpty() && QFileInfo(asked).isDir() &&
                        (asked == folder.root || asked.startsWith(folder.root + QLatin1Char('/')));
    return inside ? asked : folder.samples;
}

std::optional<QUrl> TourDesktopServices::chooseSaveFile(const FilePanelRequest& request) {
    requests << request;
    const QFileInfo proposed(request.proposedName.isEmpty() ? QStringLiteral("untitled")
                                                            : request.proposedName);
    return uniqueLocalURL(QUrl::fromLocalFile(panelFolder(request)),
                          safeLocalBaseName(proposed.completeBaseName()), proposed.suffix());
}

QList<QUrl> TourDesktopServices::chooseOpenFiles(const FilePanelRequest& request) {
    requests << request;
    const QDir shown(panelFolder(request));
    for (const QFileInfo& file : shown.entryInfoList(QDir::Files, QDir::Name)) {
        if (request.allowedExtensions.isEmpty() ||
            request.allowedExtensions.contains(file.suffix(), Qt::CaseInsensitive)) {
            return {QUrl::fromLocalFile(file.absoluteFilePath())};
        }
    }
    return {};
}

std::optional<QUrl> TourDesktopServices::chooseFolder(const FilePanelRequest& request) {
    requests << request;
    return QUrl::fromLocalFile(folder.samples);
}

void TourDesktopServices::postNotification(const QString& title, const QString& body) {
    posted << title + QStringLiteral(": ") + body;
}

void TourDesktopServices::moveToTrash(const QUrl& url) {
    const QFileInfo item(url.toLocalFile());
    if (!QDir().mkpath(folder.trash)) {
        throw PlatformError(
            QCoreApplication::translate("TourDesktopServices", "Could not create the folder %1.")
                .arg(folder.trash));
    }
    const QUrl target =
        uniqueLocalURL(QUrl::fromLocalFile(folder.trash), item.completeBaseName(), item.suffix());
    if (!QDir().rename(item.absoluteFilePath(), target.toLocalFile())) {
        throw PlatformError(
            QCoreApplication::translate("TourDesktopServices", "Could not move “%1” to the trash.")
                .arg(item.fileName()));
    }
}

} // namespace vellum::demo
