#include "session/VellumViewModel.h"

#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/OperationSlotGuard.h"
#include "session/SessionTexts.h"

#include <QFileInfo>

namespace vellum {

namespace {

qint64 blocksForSize(qint64 size) {
    return size < 1 ? 1 : (size + 253) / 254;
}

} // namespace

// Writes .d64 images to the floppy one after another and copies plain files onto it.
QCoro::Task<> VellumViewModel::copyFilesToFloppy(QList<QUrl> urls, bool writeImages) {
    if (m_operation != OperationKind::idle) {
        co_return;
    }
    QList<QUrl> images;
    QList<QUrl> files;
    for (const QUrl& url : urls) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists() || !info.isFile()) {
            continue;
        }
        const QString extension = pathExtension(url).toLower();
        (extension == QStringLiteral("d64") || extension == QStringLiteral("t64") ? images : files)
            .append(url);
    }
    if (images.isEmpty() && files.isEmpty()) {
        reportError(OpenCBMError::nothingToCopy());
        co_return;
    }
    if (!writeImages) {
        files += images;
        images.clear();
    }

    if (images.isEmpty()) {
        qint64 needed = 0;
        for (const QUrl& url : files) {
            needed += blocksForSize(QFileInfo(url.toLocalFile()).size());
        }
        if (!m_directory.blocksFree) {
            co_await reloadDirectoryQuietly();
        }
        std::optional<OpenCBMError> spaceError;
        if (!m_directory.blocksFree) {
            spaceError = OpenCBMError::directoryRequired();
        } else if (*m_directory.blocksFree < needed) {
            spaceError = OpenCBMError::diskFull(needed, *m_directory.blocksFree);
        }
        if (spaceError) {
            reportError(*spaceError);
            postCompletionNotice(
                m_lastError.value_or(QStringLiteral("Writing the disk image failed.")));
            co_return;
        }
    }

    const QString firstName = cbmFileName(files.isEmpty() ? QUrl() : files.first());
    const QString headline =
        !images.isEmpty() ? QStringLiteral("Writing disk image to floppy…")
        : files.size() == 1
            ? QStringLiteral("Copying ") + texts::quoted(firstName) + "…"
            : QStringLiteral("Copying ") + QString::number(files.size()) + " files…";
    const qint64 number = beginOperation(OperationKind::copyingFiles, headline);
    OperationSlotGuard slot(*this, number);
    setProgress(0);

    try {
        if (!images.isEmpty()) {
            setKnownDirectoryBlocks({});
            for (const QUrl& image : images) {
                throwIfStopRequested();
                if (pathExtension(image).toLower() == QStringLiteral("t64")) {
                    throw OpenCBMError::parseError(
                        QStringLiteral("Tape images cannot be written to the floppy yet."));
                }
                setStatusHeadline(QStringLiteral("Writing ") + lastPathComponent(image) +
                                  QStringLiteral(" to floppy…"));
                co_await m_service->writeDiskImage(image, m_deviceNumber, progressSink());
            }
        }
        for (qsizetype i = 0; i < files.size(); ++i) {
            throwIfStopRequested();
            const QUrl& file = files.at(i);
            const QString name = cbmFileName(file);
            if (files.size() > 1) {
                setStatusHeadline(QStringLiteral("Copying ") + QString::number(i + 1) + " of " +
                                  QString::number(files.size()) + ": " + texts::quoted(name) + "…");
            }
            co_await m_service->writeFile(m_deviceNumber, m_driveModel, file, name,
                                          fileProgressSink(i, files.size()));
            KnownBlockCounts known = m_knownDirectoryBlocks;
            known.insert(trimmedWhitespace(name).toUpper(),
                         blocksForSize(QFileInfo(file.toLocalFile()).size()));
            setKnownDirectoryBlocks(known);
            setProgress(double(i + 1) / double(files.size()));
        }
        setProgress(1);
        QString done;
        if (!images.isEmpty()) {
            done = images.size() == 1
                       ? QStringLiteral("Wrote ") + lastPathComponent(images.first()) +
                             QStringLiteral(" to disk.")
                       : QStringLiteral("Wrote ") + QString::number(images.size()) +
                             QStringLiteral(" disk images to floppy.");
        } else {
            done = files.size() == 1
                       ? QStringLiteral("Copied ") + texts::quoted(firstName) + "."
                       : QStringLiteral("Copied ") + QString::number(files.size()) + " files.";
        }
        setStatusHeadline(done);
        setLastError(std::nullopt);
        confirmAdapter();
        if (images.isEmpty()) {
            try {
                co_await m_service->initializeDrive(m_deviceNumber);
            } catch (const std::exception&) {
                // The files are on the disk; the re-read below shows what the drive has.
            }
        }
        co_await reloadDirectoryQuietly();
        if (!images.isEmpty()) {
            postCompletionNotice(done);
        }
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        if (!images.isEmpty()) {
            slot.release();
        }
        reportFailureWithNotice(failure, number, QStringLiteral("Writing the disk image failed."));
    }
}

} // namespace vellum
