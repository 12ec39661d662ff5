#include "session/VellumViewModel.h"

#include "model/OpenCBMError.h"
#include "session/CopyNotifier.h"
#include "session/DesktopServices.h"
#include "session/SessionTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QSettings>
#include <QTimer>
#include <chrono>

namespace vellum {

namespace {

using namespace std::chrono_literals;

constexpr auto stopGracePeriod = 2500ms;

QUrl startingLocalFolder() {
    const QString stored = QSettings().value(QStringLiteral("localFolderPath")).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) {
        return QUrl::fromLocalFile(stored);
    }
    return QUrl::fromLocalFile(QDir::homePath());
}

} // namespace

VellumViewModel::VellumViewModel(DesktopServices& desktop, QStringList toolSearchPaths,
                                 QObject* parent)
    : QObject(parent), m_desktop(desktop),
      m_service(std::make_unique<OpenCBMService>(std::move(toolSearchPaths))), m_floppy(m_window),
      m_computer(m_window, startingLocalFolder()),
      m_commands(m_status, m_drives, m_floppy, m_computer, m_confirmations, m_window),
      m_floppyModel(m_floppy), m_computerModel(m_computer),
      m_diskMap(desktop, m_computer, [this](const std::exception& error) { reportError(error); }),
      m_commandRegistry(*this) {}

VellumViewModel::~VellumViewModel() = default;

// ---- The operation slot ----

QCoro::Task<> VellumViewModel::runOperation(OperationKind kind, QString headline,
                                            std::function<QCoro::Task<>(qint64)> body,
                                            OperationOptions options) {
    if (isBusy()) {
        co_return;
    }
    const qint64 number = m_status.begin(kind, headline);
    // The slot is released on every way out, even when the task is destroyed half way.
    bool released = false;
    const auto release = [status = QPointer<OperationStatus>(&m_status), number, &released] {
        if (!released && status) {
            status->end(number);
        }
        released = true;
    };
    const auto slot = qScopeGuard(release);
    std::exception_ptr failure;
    try {
        co_await body(number);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure) {
        co_return;
    }
    const bool current = number == m_status.operationID();
    if (options.endBeforeReporting) {
        release();
    }
    reportFailure(failure, number, options.failureNotice);
    if (current && options.afterFailure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& error) {
            options.afterFailure(error);
        } catch (...) {
        }
    }
}

void VellumViewModel::reportFailure(std::exception_ptr failure, qint64 number,
                                    const QString& noticeText) {
    if (number != m_status.operationID()) {
        return;
    }
    bool cancelled = false;
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        cancelled = isCancellation(error);
        reportError(error);
        // The slot may be released already (endBeforeReporting), so the bar is emptied here.
        if (!cancelled) {
            m_status.setProgress(0);
        }
    } catch (...) {
        m_status.setProgress(0);
        reportError(PlatformError(tr("The operation failed unexpectedly.")));
    }
    if (!cancelled && !noticeText.isEmpty()) {
        postCompletionNotice(m_status.lastError().value_or(noticeText));
    }
}

void VellumViewModel::stop() {
    if (m_status.isIdle()) {
        return;
    }
    if (m_status.isStopping()) {
        m_service->forceStopRunningTool();
        return;
    }
    m_status.markStopping();
    m_service->cancelRunningTool();
    const qint64 number = m_status.operationID();
    QTimer::singleShot(stopGracePeriod, Qt::PreciseTimer, this, [this, number] {
        if (m_status.operationID() == number && !m_status.isIdle()) {
            m_status.end(number);
            m_status.setStatusHeadline(texts::stopped());
        }
    });
}

// ---- Progress and notices ----

ProgressCallback VellumViewModel::progressSink() {
    return fileProgressSink(0, 1);
}

ProgressCallback VellumViewModel::fileProgressSink(qsizetype index, qsizetype count) {
    return [status = QPointer<OperationStatus>(&m_status), index, count](const QString&,
                                                                         double fraction) {
        // A negative or missing fraction means the tool cannot tell.
        if (!(fraction >= 0) || count < 1 || !status) {
            return;
        }
        status->setProgress((double(index) + fraction) / double(count));
    };
}

void VellumViewModel::postCompletionNotice(const QString& body) {
    CopyNotifier::post(m_desktop, QStringLiteral("Vellum"), body);
}

// ---- The floppy directory ----

void VellumViewModel::applyDirectory(const DiskDirectory& listing) {
    m_floppy.applyDirectory(listing, m_drives.driveModel());
}

QCoro::Task<> VellumViewModel::reloadDirectoryQuietly() {
    if (m_status.stopRequested()) {
        co_return;
    }
    try {
        const QString model = m_drives.driveModel();
        const DiskDirectory listing =
            co_await m_service->listDirectory(m_drives.deviceNumber(), model);
        applyDirectory(listing);
    } catch (const std::exception&) {
        // The operation that asked has already told the user how it went.
    }
}

} // namespace vellum
