#include "session/OperationStatus.h"

#include "model/DriveSentences.h"
#include "model/OpenCBMError.h"
#include "session/ObservedProperty.h"
#include "session/SessionTexts.h"

#include <algorithm>
#include <cmath>

namespace vellum {

bool isCancellation(const std::exception& error) {
    const auto* cbmError = dynamic_cast<const OpenCBMError*>(&error);
    return cbmError && cbmError->errorCase() == OpenCBMError::Case::cancelled;
}

OperationStatus::OperationStatus(QObject* parent)
    : QObject(parent), m_statusHeadline(texts::driveIsReady()) {}

void OperationStatus::setOperation(OperationKind value) {
    assignObserved(this, m_operation, value, &OperationStatus::operationChanged);
}

void OperationStatus::setProgress(double value) {
    const double clamped = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    assignObserved(this, m_progress, clamped, &OperationStatus::progressChanged);
}

void OperationStatus::setStatusHeadline(const QString& value) {
    assignObserved(this, m_statusHeadline, value, &OperationStatus::statusHeadlineChanged);
}

void OperationStatus::setLastError(const std::optional<QString>& value) {
    if (!value) {
        m_errorDetails.clear();
    }
    assignObserved(this, m_lastError, value, &OperationStatus::lastErrorChanged);
}

void OperationStatus::setIsStopping(bool value) {
    assignObserved(this, m_isStopping, value, &OperationStatus::isStoppingChanged);
}

void OperationStatus::setStopRequested(bool value) {
    assignObserved(this, m_stopRequested, value, &OperationStatus::stopRequestedChanged);
}

void OperationStatus::setOperationID(qint64 value) {
    assignObserved(this, m_operationID, value, &OperationStatus::operationIDChanged);
}

qint64 OperationStatus::begin(OperationKind kind, const QString& headline) {
    setOperationID(m_operationID + 1);
    setStopRequested(false);
    setIsStopping(false);
    setOperation(kind);
    setLastError(std::nullopt);
    setStatusHeadline(headline);
    switch (kind) {
    case OperationKind::readingD64:
    case OperationKind::writingD64:
    case OperationKind::formatting:
    case OperationKind::copyingFiles:
    case OperationKind::validating:
        break; // transfers set their own bar
    default:
        setProgress(0);
    }
    return m_operationID;
}

void OperationStatus::end(std::optional<qint64> number) {
    if (number && *number != m_operationID) {
        return;
    }
    setOperation(OperationKind::idle);
    setIsStopping(false);
    setStopRequested(false);
    // A failed transfer leaves an empty bar, whatever the tool printed before it failed (a
    // d64copy past a bad track still counts to 100%); a finished one stays full.
    if (m_lastError) {
        setProgress(0);
    }
}

void OperationStatus::markStopping() {
    setIsStopping(true);
    setStopRequested(true);
    setStatusHeadline(tr("Stopping…"));
}

void OperationStatus::reportError(const std::exception& error, qint64 device) {
    if (isCancellation(error)) {
        setLastError(std::nullopt);
        setStatusHeadline(texts::stopped());
        return;
    }
    const auto* cbmError = dynamic_cast<const OpenCBMError*>(&error);
    if (cbmError && cbmError->errorCase() == OpenCBMError::Case::executionFailed) {
        // The headline and the alert speak in sentences; the tool's lines (with their DOS
        // codes and temporary paths) are kept for the details.
        const QString output = cbmError->output().trimmed();
        const QString tool = cbmError->command().section(QLatin1Char(' '), 0, 0);
        const QString text =
            sentenceForOutput(output, int(device))
                .value_or(tr("%1 could not finish its work with drive %2. Check the drive and "
                             "its disk, then try again.")
                              .arg(tool.isEmpty() ? QStringLiteral("OpenCBM") : tool)
                              .arg(device));
        showFailure(text, output);
        return;
    }
    showFailure(describeError(error), QString());
}

void OperationStatus::showFailure(const QString& text, const QString& details) {
    // Told again even when the text repeats: the details may differ, and the alert follows.
    m_errorDetails = details;
    m_lastError = text;
    emit lastErrorChanged();
    setStatusHeadline(text);
}

bool OperationStatus::isStillRunning(qint64 number) const {
    return number == m_operationID && !isIdle() && !m_stopRequested;
}

void OperationStatus::throwIfStopped(qint64 number) const {
    if (!isStillRunning(number)) {
        throw OpenCBMError::cancelled();
    }
}

} // namespace vellum
