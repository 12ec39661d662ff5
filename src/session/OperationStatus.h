#pragma once

#include "model/OperationKind.h"

#include <QObject>
#include <QString>
#include <exception>
#include <optional>

namespace vellum {

class VellumViewModel;
namespace testing {
class StateEditor;
}

// A stop (Stop pressed, or the task cancelled) rather than a failure.
bool isCancellation(const std::exception& error);

// The one operation slot and what the status area shows about it. At most one long-running
// operation holds the slot; `operationID` numbers them so a late end or failure of an older
// operation never touches a newer one. Only the session writes here; the window reads, and
// dismisses the error alert.
class OperationStatus : public QObject {
    Q_OBJECT
    Q_PROPERTY(OperationKind operation READ operation NOTIFY operationChanged)
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(QString statusHeadline READ statusHeadline NOTIFY statusHeadlineChanged)
    Q_PROPERTY(std::optional<QString> lastError READ lastError NOTIFY lastErrorChanged)
    Q_PROPERTY(QString errorDetails READ errorDetails NOTIFY lastErrorChanged)
    Q_PROPERTY(bool isStopping READ isStopping NOTIFY isStoppingChanged)
    Q_PROPERTY(bool stopRequested READ stopRequested NOTIFY stopRequestedChanged)
    Q_PROPERTY(qint64 operationID READ operationID NOTIFY operationIDChanged)

public:
    explicit OperationStatus(QObject* parent = nullptr);

    OperationKind operation() const { return m_operation; }
    // From 0 to 1, always finite.
    double progress() const { return m_progress; }
    const QString& statusHeadline() const { return m_statusHeadline; }
    // The text of the last failure; the window shows it as an alert once the slot is free.
    const std::optional<QString>& lastError() const { return m_lastError; }
    // The tool's own words behind the last failure, for the alert's Details; empty when the
    // sentence is all there is.
    const QString& errorDetails() const { return m_errorDetails; }
    bool isStopping() const { return m_isStopping; }
    bool stopRequested() const { return m_stopRequested; }
    qint64 operationID() const { return m_operationID; }

    bool isIdle() const { return m_operation == OperationKind::idle; }
    // The alert of the last failure was closed.
    void dismissLastError() { setLastError(std::nullopt); }

signals:
    void operationChanged();
    void progressChanged();
    void statusHeadlineChanged();
    void lastErrorChanged();
    void isStoppingChanged();
    void stopRequestedChanged();
    void operationIDChanged();

private:
    friend class VellumViewModel;
    friend class testing::StateEditor;

    void setOperation(OperationKind value);
    // NaN counts as nothing done; values outside 0…1 are clamped.
    void setProgress(double value);
    void setStatusHeadline(const QString& value);
    void setLastError(const std::optional<QString>& value);
    void setIsStopping(bool value);
    void setStopRequested(bool value);
    void setOperationID(qint64 value);

    // Claims the slot and returns the operation's number.
    qint64 begin(OperationKind kind, const QString& headline);
    // Releases the slot, unless `number` names an operation that already ended.
    void end(std::optional<qint64> number = std::nullopt);
    // The first press of Stop: the running operation is asked to stop.
    void markStopping();
    // Turns a failure into the headline and `lastError`; a stop shows the stop text only. A
    // tool's failure becomes a sentence about drive `device`; its output goes to the details.
    void reportError(const std::exception& error, qint64 device = 8);
    void showFailure(const QString& text, const QString& details);
    // Operation `number` still holds the slot and was not asked to stop.
    bool isStillRunning(qint64 number) const;
    // Throws the stop error unless operation `number` may go on; loops call it before each
    // file, so a stopped operation never sends anything more.
    void throwIfStopped(qint64 number) const;

    OperationKind m_operation = OperationKind::idle;
    double m_progress = 0.0;
    QString m_statusHeadline;
    std::optional<QString> m_lastError;
    QString m_errorDetails;
    bool m_isStopping = false;
    bool m_stopRequested = false;
    qint64 m_operationID = 0;
};

} // namespace vellum
