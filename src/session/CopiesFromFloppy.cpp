#include "session/VellumViewModel.h"

#include "images/ComputerFileNames.h"
#include "images/ImageFiles.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/TemporaryFiles.h"

namespace vellum {

namespace {

// What the drive lists now: the proof a name read through a pattern finds that file alone.
QStringList listedNames(const DiskDirectory& directory) {
    QStringList names;
    for (const DirectoryEntry& entry : directory.entries) {
        names << entry.name;
    }
    return names;
}

} // namespace

QCoro::Task<> VellumViewModel::copySelectedFloppyEntries() {
    const QList<DirectoryEntry> selected = m_floppy.selectedFloppyEntries();
    if (!selected.isEmpty()) {
        co_await copyFloppyEntries(selected);
    }
}

QCoro::Task<> VellumViewModel::copyFloppyEntries(QList<DirectoryEntry> entries) {
    entries.removeIf([](const DirectoryEntry& entry) { return entry.type == CBMFileType::del; });
    if (entries.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }
    if (m_computer.isBrowsingD64()) {
        co_await copyFloppyEntriesToImage(entries, *m_computer.browsingImage());
        co_return;
    }
    // The folder shown now is where every file goes, even when the user browses on while
    // the copy runs.
    const QUrl folder = m_computer.computerFolder();
    const qsizetype count = entries.size();
    const QStringList listed = listedNames(m_floppy.directory());
    const auto body = [this, entries, count, folder, listed](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        try {
            for (qsizetype i = 0; i < count; ++i) {
                m_status.throwIfStopped(number);
                const DirectoryEntry& entry = entries.at(i);
                m_status.setStatusHeadline(copyingItemText(i, count, entry.name));
                // cbmcopy writes into a temporary file; the folder only ever gets the whole
                // file, under a name nothing had, so a failed or killed read leaves nothing
                // half written there.
                TemporaryFiles temporary;
                const QUrl read = temporary.make(fileExtension(entry.type));
                co_await m_service->readFile(m_drives.deviceNumber(), m_drives.driveModel(),
                                             entry.name, read, fileProgressSink(i, count), listed);
                writeUnderFreeName(folder.toLocalFile(), safeLocalBaseName(entry.name),
                                   fileExtension(entry.type), readWholeFile(read));
                m_status.setProgress(double(i + 1) / double(count));
            }
        } catch (...) {
            refreshLocalItems();
            throw;
        }
        m_status.setProgress(1);
        refreshLocalItems();
        m_status.setStatusHeadline(copiedText(count, entries.first().name));
        m_status.setLastError(std::nullopt);
        m_drives.confirmAdapter();
    };
    co_await runOperation(OperationKind::copyingFiles, copyingText(count, entries.first().name),
                          body);
}

QCoro::Task<> VellumViewModel::copyFloppyEntriesToImage(QList<DirectoryEntry> entries, QUrl image) {
    entries.removeIf([](const DirectoryEntry& entry) {
        return entry.type == CBMFileType::rel || entry.type == CBMFileType::del;
    });
    if (entries.isEmpty()) {
        reportError(OpenCBMError::parseError(
            tr("REL files cannot be added to a disk image in this version.")));
        co_return;
    }
    const qsizetype count = entries.size();
    const QStringList listed = listedNames(m_floppy.directory());
    const auto body = [this, entries, count, image, listed](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        TemporaryFiles temporary;
        QList<ImageAddition> files;
        for (qsizetype i = 0; i < count; ++i) {
            m_status.throwIfStopped(number);
            const DirectoryEntry& entry = entries.at(i);
            const QUrl target = temporary.make(fileExtension(entry.type));
            m_status.setStatusHeadline(readingText(i, count, entry.name));
            co_await m_service->readFile(m_drives.deviceNumber(), m_drives.driveModel(), entry.name,
                                         target, fileProgressSink(i, count), listed);
            files.append({{entry.name, entry.type, readWholeFile(target)}, entry.name});
            m_status.setProgress(double(i + 1) / double(count));
        }
        m_drives.confirmAdapter();
        co_await addToImage(files, image, number);
    };
    co_await runOperation(OperationKind::copyingFiles,
                          addingText(count, entries.first().name, image.fileName()), body);
}

} // namespace vellum
