#include "session/VellumViewModel.h"

#include "images/D64Builder.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "session/ComputerListing.h"
#include "session/EventLoop.h"

namespace vellum {

QCoro::Task<> VellumViewModel::addFilesToImage(QList<QUrl> urls, QUrl image) {
    if (isBusy()) {
        co_return;
    }
    QList<ImageAddition> files;
    try {
        for (const QUrl& url : urls) {
            const QList<AddableFile> loaded = T64Converter::loadFiles(url);
            // A tape's files are known by the names the tape lists, a plain file by its own.
            for (const AddableFile& file : loaded) {
                files.append({file, loaded.size() == 1 && !isTapeImageFile(url) ? url.fileName()
                                                                                : file.name});
            }
        }
    } catch (const std::exception& error) {
        reportError(error);
        co_return;
    }
    if (files.isEmpty()) {
        reportError(OpenCBMError::parseError(
            tr("Drop PRG, SEQ, USR, P00 or T64 files onto a disk image to add them.")));
        co_return;
    }
    const auto body = [this, files, image](qint64 number) -> QCoro::Task<> {
        m_status.setProgress(0);
        co_await addToImage(files, image, number);
    };
    co_await runOperation(OperationKind::copyingFiles,
                          addingText(files.size(), files.first().file.name, image.fileName()),
                          body);
}

QCoro::Task<> VellumViewModel::addToImage(QList<ImageAddition> files, QUrl image, qint64 number) {
    D64Builder builder = D64Builder::open(readDiskImage(image));
    const qsizetype count = files.size();
    const double startProgress = m_status.progress();
    QString lastStored;
    qsizetype added = 0;
    std::exception_ptr failure;
    for (qsizetype i = 0; i < count; ++i) {
        co_await NextEventLoopTurn(this);
        try {
            m_status.throwIfStopped(number);
        } catch (...) {
            failure = std::current_exception();
            break;
        }
        const ImageAddition& addition = files.at(i);
        try {
            lastStored =
                builder.addFile(addition.file.name, addition.file.type, addition.file.contents);
        } catch (const std::exception& error) {
            failure = std::make_exception_ptr(
                PlatformError(notAddedText(addition.sourceName, describeError(error))));
            break;
        }
        ++added;
        m_status.setProgress(startProgress + (1 - startProgress) * double(i + 1) / double(count));
    }
    // One write at the end: what went in before a failure or a stop is kept.
    if (added > 0) {
        writeFileAtomically(image, builder.data());
    }
    if (failure) {
        const std::optional<QUrl> browsed = m_computer.browsingImage();
        if (added > 0 && browsed && standardizedFileURL(*browsed) == standardizedFileURL(image)) {
            openImage(*browsed);
        }
        std::rethrow_exception(failure);
    }
    m_status.setProgress(1);
    m_status.setLastError(std::nullopt);
    finishAddingToImage(image, count, lastStored);
}

void VellumViewModel::finishAddingToImage(const QUrl& image, qsizetype count,
                                          const QString& lastName) {
    const std::optional<QUrl> browsed = m_computer.browsingImage();
    if (browsed && standardizedFileURL(*browsed) == standardizedFileURL(image)) {
        openImage(*browsed);
        for (const ComputerFileItem& item : m_computer.computerItems()) {
            if (item.name.compare(lastName, Qt::CaseInsensitive) == 0) {
                m_computer.select(item.url);
                break;
            }
        }
    } else {
        refreshLocalItems();
    }
    m_status.setStatusHeadline(addedText(count, lastName, image.fileName()));
}

} // namespace vellum
