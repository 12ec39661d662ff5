#include "session/ActivityLog.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace vellum {

namespace {

QString logFileName() {
    return QStringLiteral("activity.log");
}

QJsonObject toJson(const ToolRunRecord& run) {
    return QJsonObject{{QStringLiteral("program"), run.program},
                       {QStringLiteral("arguments"), QJsonArray::fromStringList(run.arguments)},
                       {QStringLiteral("exitStatus"), run.exitStatus},
                       {QStringLiteral("output"), boundedOutput(run.output)}};
}

ToolRunRecord runFromJson(const QJsonObject& object) {
    ToolRunRecord run;
    run.program = object.value(QStringLiteral("program")).toString();
    for (const QJsonValue& argument : object.value(QStringLiteral("arguments")).toArray()) {
        run.arguments << argument.toString();
    }
    run.exitStatus = object.value(QStringLiteral("exitStatus")).toInt();
    run.output = object.value(QStringLiteral("output")).toString();
    return run;
}

} // namespace

QString boundedOutput(const QString& output) {
    if (output.size() <= activityOutputLimit) {
        return output;
    }
    const qsizetype head = activityOutputLimit / 4;
    const qsizetype tail = activityOutputLimit - head;
    return output.left(head) + QStringLiteral("\n…\n") + output.right(tail);
}

QByteArray toJsonLine(const ActivityRecord& record) {
    QJsonArray runs;
    for (const ToolRunRecord& run : record.runs) {
        runs.append(toJson(run));
    }
    const QJsonObject object{
        {QStringLiteral("time"), record.time.toUTC().toString(Qt::ISODateWithMs)},
        {QStringLiteral("operation"), record.operation},
        {QStringLiteral("succeeded"), record.succeeded},
        {QStringLiteral("sentence"), record.sentence},
        {QStringLiteral("runs"), runs}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<ActivityRecord> activityRecordFromJsonLine(const QByteArray& line) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    ActivityRecord record;
    record.time =
        QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    if (!record.time.isValid()) {
        return std::nullopt;
    }
    record.operation = object.value(QStringLiteral("operation")).toString();
    record.succeeded = object.value(QStringLiteral("succeeded")).toBool(true);
    record.sentence = object.value(QStringLiteral("sentence")).toString();
    for (const QJsonValue& run : object.value(QStringLiteral("runs")).toArray()) {
        record.runs << runFromJson(run.toObject());
    }
    return record;
}

ActivityLog::ActivityLog(QString folder) : m_folder(std::move(folder)) {}

QString ActivityLog::defaultFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/vellum");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#endif
}

QString ActivityLog::filePath(int generation) const {
    const QString name = generation == 0
                             ? logFileName()
                             : logFileName() + QLatin1Char('.') + QString::number(generation);
    return QDir(m_folder).filePath(name);
}

void ActivityLog::rotateIfFull() const {
    if (QFileInfo(filePath(0)).size() < fileSizeLimit) {
        return;
    }
    QFile::remove(filePath(keptFiles - 1));
    for (int generation = keptFiles - 2; generation >= 0; --generation) {
        QFile::rename(filePath(generation), filePath(generation + 1));
    }
}

bool ActivityLog::append(const ActivityRecord& record) const {
    if (!QDir().mkpath(m_folder)) {
        return false;
    }
    rotateIfFull();
    QFile file(filePath(0));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) {
        return false;
    }
    QByteArray line = toJsonLine(record);
    // A line cut short by a crash must not swallow the record written after it.
    if (file.size() > 0 && file.seek(file.size() - 1) && file.peek(1) != "\n") {
        line.prepend('\n');
    }
    return file.write(line) == line.size();
}

QList<ActivityRecord> ActivityLog::recent(int count) const {
    QList<ActivityRecord> records;
    for (int generation = keptFiles - 1; generation >= 0; --generation) {
        QFile file(filePath(generation));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        while (!file.atEnd()) {
            // A line cut by a crash, or written by another version, is skipped.
            if (const auto record = activityRecordFromJsonLine(file.readLine())) {
                records << *record;
            }
        }
    }
    if (records.size() > count) {
        records.remove(0, records.size() - count);
    }
    return records;
}

} // namespace vellum
