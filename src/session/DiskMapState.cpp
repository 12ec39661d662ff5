#include "session/DiskMapState.h"

#include "images/ImageFiles.h"
#include "session/ComputerPaneState.h"
#include "session/DesktopServices.h"
#include "session/ObservedProperty.h"

#include <QFileInfo>
#include <QPointer>

namespace vellum {

DiskMapState::DiskMapState(DesktopServices& desktop, ComputerPaneState& computer,
                           std::function<void(const std::exception&)> reportFailure,
                           QObject* parent)
    : QObject(parent), m_desktop(desktop), m_computer(computer),
      m_reportFailure(std::move(reportFailure)) {
    // A finished live map stays until another image is opened; adding or deleting files in
    // the open image lists it anew, and changes its map.
    connect(&computer, &ComputerPaneState::browsingImageChanged, this,
            [this] { reloadImageMap(true); });
    connect(&computer, &ComputerPaneState::computerItemsChanged, this,
            [this] { reloadImageMap(false); });
}

void DiskMapState::setWanted(bool value) {
    if (assignObserved(this, m_wanted, value, &DiskMapState::wantedChanged)) {
        reloadImageMap(!value);
    }
}

bool DiskMapState::canShow() const {
    return m_live || !m_map.sectors.isEmpty() || m_computer.isBrowsingD64();
}

void DiskMapState::reloadImageMap(bool dropFinishedMap) {
    if (m_wanted && !m_live && m_computer.isBrowsingD64()) {
        const QUrl image = *m_computer.browsingImage();
        try {
            setMap(diskMapOfImage(readDiskImage(image)), image.fileName(), {});
        } catch (const std::exception& error) {
            setMap({}, image.fileName(), QString::fromUtf8(error.what()));
        }
    } else if (dropFinishedMap && !m_live && !m_map.sectors.isEmpty()) {
        setMap({}, {}, {});
    }
    assignObserved(this, m_shown, isShown(), &DiskMapState::shownChanged);
}

void DiskMapState::setMap(DiskMap map, QString title, QString problem) {
    m_map = std::move(map);
    m_title = std::move(title);
    m_problem = std::move(problem);
    emit mapChanged();
}

void DiskMapState::beginLive(const DiskGeometry& geometry, const QString& title) {
    m_live = true;
    setMap(emptyDiskMap(geometry), title, {});
    assignObserved(this, m_shown, isShown(), &DiskMapState::shownChanged);
}

ProgressCallback DiskMapState::observing(ProgressCallback progress) {
    return [self = QPointer<DiskMapState>(this),
            progress = std::move(progress)](const QString& line, double fraction) {
        // Only the lines of the transfer that began the live map reach it.
        if (self && self->m_live && applyTransferLine(self->m_map, line)) {
            emit self->mapChanged();
        }
        if (progress) {
            progress(line, fraction);
        }
    };
}

void DiskMapState::endLive(const std::optional<QByteArray>& finishedImage) {
    if (!m_live) {
        return;
    }
    m_live = false;
    if (finishedImage) {
        setMap(diskMapOfImage(*finishedImage), m_title, {});
    }
    assignObserved(this, m_shown, isShown(), &DiskMapState::shownChanged);
}

void DiskMapState::savePicture(const std::function<QByteArray()>& render) {
    FilePanelRequest request;
    request.title = tr("Save Disk Map");
    request.message = tr("Save the disk map as a PNG picture.");
    request.directory = m_computer.computerFolder();
    const QString base = QFileInfo(m_title).completeBaseName();
    request.proposedName = (base.isEmpty() ? tr("disk") : base) + tr("-map") + ".png";
    request.allowedExtensions = {QStringLiteral("png")};
    const std::optional<QUrl> chosen = m_desktop.chooseSaveFile(request);
    if (!chosen || !chosen->isLocalFile()) {
        return;
    }
    try {
        writeFileAtomically(*chosen, render());
    } catch (const std::exception& error) {
        m_reportFailure(error);
    }
}

} // namespace vellum
