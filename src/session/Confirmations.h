#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

class VellumViewModel;
namespace testing {
class StateEditor;
}

// The confirmations the window asks before destructive or ambiguous work, with what waits
// for the answer. The views close a confirmation by clearing its flag; the pending files are
// the session's to keep and to forget.
class Confirmations : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool showsWriteConfirmation READ showsWriteConfirmation WRITE
                   setShowsWriteConfirmation NOTIFY showsWriteConfirmationChanged)
    Q_PROPERTY(
        std::optional<QUrl> pendingWriteURL READ pendingWriteURL NOTIFY pendingWriteURLChanged)
    Q_PROPERTY(bool showsScratchConfirmation READ showsScratchConfirmation WRITE
                   setShowsScratchConfirmation NOTIFY showsScratchConfirmationChanged)
    Q_PROPERTY(bool showsLocalDeleteConfirmation READ showsLocalDeleteConfirmation WRITE
                   setShowsLocalDeleteConfirmation NOTIFY showsLocalDeleteConfirmationChanged)
    Q_PROPERTY(bool showsPRGConvertConfirmation READ showsPRGConvertConfirmation WRITE
                   setShowsPRGConvertConfirmation NOTIFY showsPRGConvertConfirmationChanged)
    Q_PROPERTY(bool showsImageCopyChoice READ showsImageCopyChoice WRITE setShowsImageCopyChoice
                   NOTIFY showsImageCopyChoiceChanged)
    Q_PROPERTY(QList<QUrl> pendingCopyURLs READ pendingCopyURLs NOTIFY pendingCopyURLsChanged)

public:
    using QObject::QObject;

    bool showsWriteConfirmation() const { return m_showsWriteConfirmation; }
    const std::optional<QUrl>& pendingWriteURL() const { return m_pendingWriteURL; }
    bool showsScratchConfirmation() const { return m_showsScratchConfirmation; }
    bool showsLocalDeleteConfirmation() const { return m_showsLocalDeleteConfirmation; }
    bool showsPRGConvertConfirmation() const { return m_showsPRGConvertConfirmation; }
    bool showsImageCopyChoice() const { return m_showsImageCopyChoice; }
    const QList<QUrl>& pendingCopyURLs() const { return m_pendingCopyURLs; }

    void setShowsWriteConfirmation(bool value);
    void setShowsScratchConfirmation(bool value);
    void setShowsLocalDeleteConfirmation(bool value);
    void setShowsPRGConvertConfirmation(bool value);
    void setShowsImageCopyChoice(bool value);

signals:
    void showsWriteConfirmationChanged();
    void pendingWriteURLChanged();
    void showsScratchConfirmationChanged();
    void showsLocalDeleteConfirmationChanged();
    void showsPRGConvertConfirmationChanged();
    void showsImageCopyChoiceChanged();
    void pendingCopyURLsChanged();

private:
    friend class VellumViewModel;
    friend class testing::StateEditor;

    void setPendingWriteURL(const std::optional<QUrl>& value);
    void setPendingCopyURLs(const QList<QUrl>& value);

    bool m_showsWriteConfirmation = false;
    std::optional<QUrl> m_pendingWriteURL;
    bool m_showsScratchConfirmation = false;
    bool m_showsLocalDeleteConfirmation = false;
    bool m_showsPRGConvertConfirmation = false;
    bool m_showsImageCopyChoice = false;
    QList<QUrl> m_pendingCopyURLs;
};

} // namespace vellum
