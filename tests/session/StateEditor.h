#pragma once

#include "session/VellumViewModel.h"

namespace vellum::testing {

// Puts the session into the state a test starts from, through the setters and internals
// that only the session itself may use.
class StateEditor {
public:
    explicit StateEditor(VellumViewModel& model) : model(model) {}

    OpenCBMService& service() { return model.service(); }
    QCoro::Task<> formatFloppy() { return model.formatFloppy(); }
    QCoro::Task<> copyFilesToFloppy(QList<QUrl> urls, bool writeImages) {
        return model.copyFilesToFloppy(std::move(urls), writeImages);
    }

    void setDirectory(const DiskDirectory& value) { model.m_floppy.setDirectory(value); }
    void setFloppySelection(const EntryIDSet& ids, std::optional<QUuid> anchor = std::nullopt) {
        if (!anchor && !ids.isEmpty()) {
            anchor = *ids.begin();
        }
        model.m_floppy.setSelection({ids, anchor});
    }
    void setKnownDirectoryBlocks(const KnownBlockCounts& value) {
        model.m_floppy.setKnownDirectoryBlocks(value);
    }
    void applyDirectory(const DiskDirectory& listing) { model.applyDirectory(listing); }

    void setDeviceNumber(qint64 value) { model.m_drives.setDeviceNumber(value); }
    void setDriveModel(const QString& value) { model.m_drives.setDriveModel(value); }
    void setDriveReady(bool value) { model.m_drives.setDriveReady(value); }
    void setDriveDetail(const QString& value) { model.m_drives.setDriveDetail(value); }
    void applyDriveState(bool ready, const QString& driveModel,
                         const std::optional<QString>& status = std::nullopt) {
        model.m_drives.applyDriveState(ready, driveModel, status);
    }

    void setStatusHeadline(const QString& value) { model.m_status.setStatusHeadline(value); }
    void setLastError(const std::optional<QString>& value) { model.m_status.setLastError(value); }
    void setProgress(double value) { model.m_status.setProgress(value); }
    void setOperation(OperationKind value) { model.m_status.setOperation(value); }
    qint64 beginOperation(OperationKind kind, const QString& headline) {
        return model.m_status.begin(kind, headline);
    }
    void endOperation(std::optional<qint64> number = std::nullopt) { model.m_status.end(number); }
    void reportError(const std::exception& error) { model.reportError(error); }
    void reportFailure(std::exception_ptr failure, qint64 number, const QString& notice = {}) {
        model.reportFailure(failure, number, notice);
    }
    ProgressCallback progressSink() { return model.progressSink(); }
    ProgressCallback fileProgressSink(qsizetype index, qsizetype count) {
        return model.fileProgressSink(index, count);
    }
    void postCompletionNotice(const QString& body) { model.postCompletionNotice(body); }

    void setPendingCopyURLs(const QList<QUrl>& value) {
        model.m_confirmations.setPendingCopyURLs(value);
    }
    void setPendingWriteURL(const std::optional<QUrl>& value) {
        model.m_confirmations.setPendingWriteURL(value);
    }
    void setFormatFieldError(const std::optional<QString>& value) {
        model.m_sheets.setFormatFieldError(value);
    }

private:
    VellumViewModel& model;
};

} // namespace vellum::testing
