#include "session/DragExportFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QUuid>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <signal.h>
#endif

namespace vellum {

namespace {

const QString prefix = QStringLiteral("vellum-drag-");

// The process id of one of our folders' names, when the name is one of ours.
std::optional<qint64> ownerOf(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^vellum-drag-([0-9]+)-[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-"
                       "[0-9a-f]{4}-[0-9a-f]{12}$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 pid = match.captured(1).toLongLong(&ok);
    return ok ? std::optional<qint64>(pid) : std::nullopt;
}

bool processRuns(qint64 pid) {
#ifdef Q_OS_UNIX
    // Signal 0 only asks whether the process exists; EPERM means it does, as someone else's.
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
#else
    Q_UNUSED(pid);
    return true; // cannot tell: keep the folder
#endif
}

template <typename Predicate> void removeFoldersWhere(Predicate shouldRemove) {
    QDir temporary(QDir::tempPath());
    const QStringList names =
        temporary.entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const std::optional<qint64> owner = ownerOf(name);
        if (owner && shouldRemove(*owner)) {
            QDir(temporary.filePath(name)).removeRecursively();
        }
    }
}

} // namespace

QString makeDragExportFolder() {
    const QString name = prefix + QString::number(QCoreApplication::applicationPid()) +
                         QLatin1Char('-') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString folder = QDir(QDir::tempPath()).filePath(name);
    return QDir().mkdir(folder) ? folder : QString();
}

void removeOwnDragExportFolders() {
    const qint64 self = QCoreApplication::applicationPid();
    removeFoldersWhere([self](qint64 owner) { return owner == self; });
}

void removeStaleDragExportFolders() {
    const qint64 self = QCoreApplication::applicationPid();
    removeFoldersWhere([self](qint64 owner) { return owner != self && !processRuns(owner); });
}

} // namespace vellum
