#include "session/Commands.h"

#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/ComputerPaneState.h"
#include "session/Confirmations.h"
#include "session/DriveState.h"
#include "session/FloppyPaneState.h"
#include "session/OperationStatus.h"
#include "session/PaneTexts.h"
#include "session/SessionTexts.h"
#include "session/WindowState.h"

namespace vellum {

QString Commands::operationWord() const {
    return m_status.isStopping() ? tr("Stopping…") : label(m_status.operation());
}

QString Commands::computerDeleteMessage() const {
    return vellum::computerDeleteMessage(m_computer.selectedLocalItems(),
                                         m_computer.isBrowsingD64(), m_computer.browsingImage());
}

QString Commands::scratchConfirmationMessage() const {
    const QList<DirectoryEntry> selected = m_floppy.selectedFloppyEntries();
    const qint64 device = m_drives.deviceNumber();
    if (selected.isEmpty()) {
        return tr("Delete the selected files from the floppy in drive %1? This cannot be undone.")
            .arg(device);
    }
    if (selected.size() == 1) {
        return tr("Delete %1 from the floppy in drive %2? This cannot be undone.")
            .arg(texts::quoted(selected.first().name), QString::number(device));
    }
    return tr("Delete %1 files from the floppy in drive %2? This cannot be undone.")
        .arg(selected.size())
        .arg(device);
}

QString Commands::writeConfirmationMessage() const {
    const QString device = QString::number(m_drives.deviceNumber());
    const auto singleImage = [&](const QUrl& url) {
        return tr("Writing %1 will erase all data on the floppy in drive %2.")
            .arg(texts::quoted(url.fileName()), device);
    };
    if (m_confirmations.pendingWriteURL()) {
        return singleImage(*m_confirmations.pendingWriteURL());
    }
    QList<QUrl> images;
    for (const QUrl& url : m_confirmations.pendingCopyURLs()) {
        if (isDiskImageFile(url)) {
            images.append(url);
        }
    }
    if (images.isEmpty()) {
        return tr("This will erase all data on the floppy in drive %1.").arg(device);
    }
    if (images.size() == 1) {
        return singleImage(images.first());
    }
    return tr("These disk images will be written one after another to drive %1. Each write "
              "erases the whole floppy; only the last image remains.")
        .arg(device);
}

QString Commands::imageCopyChoiceMessage() const {
    return vellum::imageCopyChoiceMessage(m_confirmations.pendingCopyURLs(),
                                          m_drives.deviceNumber());
}

ConfirmationText Commands::computerDeleteConfirmation() const {
    const bool several = m_computer.selectedLocalItems().size() > 1;
    if (m_computer.isBrowsingD64()) {
        return {several ? tr("Delete files from disk image?") : tr("Delete file from disk image?"),
                computerDeleteMessage(), tr("Delete"), QString(), tr("Cancel")};
    }
    return {several ? tr("Move items to Trash?") : tr("Move to Trash?"), computerDeleteMessage(),
            tr("Move to Trash"), QString(), tr("Cancel")};
}

ConfirmationText Commands::scratchConfirmation() const {
    const bool several = m_floppy.selectedFloppyEntries().size() >= 2;
    return {several ? tr("Delete files from floppy?") : tr("Delete file from floppy?"),
            scratchConfirmationMessage(), tr("Delete"), QString(), tr("Cancel")};
}

ConfirmationText Commands::writeConfirmation() const {
    return {tr("Overwrite entire floppy?"), writeConfirmationMessage(), tr("Write to Disk"),
            QString(), tr("Cancel")};
}

ConfirmationText Commands::imageCopyChoice() const {
    return {tr("Copy image to floppy?"), imageCopyChoiceMessage(), tr("Write image (erase floppy)"),
            tr("Copy as PRG files"), tr("Cancel")};
}

ConfirmationText Commands::errorAlert() const {
    return {QStringLiteral("OpenCBM"),
            m_status.lastError().value_or(QString()),
            QString(),
            QString(),
            tr("OK"),
            m_status.errorDetails()};
}

} // namespace vellum
