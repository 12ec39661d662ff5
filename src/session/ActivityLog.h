#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vellum {

// One run of a tool as it happened: the program, its arguments as passed, how it ended
// and what it printed (bounded, so that a chatty tool cannot fill the log).
struct ToolRunRecord {
    QString program;
    QStringList arguments;
    int exitStatus = 0;
    QString output;

    friend bool operator==(const ToolRunRecord&, const ToolRunRecord&) = default;
};

// What one operation did and what the user was told.
struct ActivityRecord {
    QDateTime time;
    QString operation;
    bool succeeded = true;
    QString sentence;
    QList<ToolRunRecord> runs;

    friend bool operator==(const ActivityRecord&, const ActivityRecord&) = default;
};

// Output longer than this keeps its beginning and its end, where tools say what went wrong.
inline constexpr qsizetype activityOutputLimit = 16 * 1024;
QString boundedOutput(const QString& output);

QByteArray toJsonLine(const ActivityRecord& record);
std::optional<ActivityRecord> activityRecordFromJsonLine(const QByteArray& line);

// The records of the operations, kept as JSON lines in `activity.log` in one folder. A file
// that reaches the size limit is moved aside (activity.log.1, .2) so that at most three
// files are kept and the newest records are never lost to a rotation.
class ActivityLog {
public:
    static constexpr qint64 fileSizeLimit = 1024 * 1024;
    static constexpr int keptFiles = 3;

    explicit ActivityLog(QString folder);

    // $XDG_STATE_HOME/vellum (~/.local/state/vellum when unset) on Linux; the
    // application's data folder elsewhere.
    static QString defaultFolder();

    const QString& folder() const { return m_folder; }

    // Returns false when the folder or file cannot be written: the log never stops an
    // operation.
    bool append(const ActivityRecord& record) const;

    // The newest `count` records, oldest first, across the kept files.
    QList<ActivityRecord> recent(int count) const;

private:
    QString filePath(int generation) const;
    void rotateIfFull() const;

    QString m_folder;
};

} // namespace vellum
