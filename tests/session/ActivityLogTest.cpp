#include "session/ActivityLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

namespace {

ActivityRecord record(int number, QString output = QStringLiteral("00, ok,00,00")) {
    return ActivityRecord{QDateTime(QDate(2026, 12, 7), QTime(3, 0), Qt::UTC).addSecs(number),
                          QStringLiteral("Directory №%1").arg(number),
                          number % 2 == 0,
                          QStringLiteral("There is no disk in drive 9."),
                          {ToolRunRecord{QStringLiteral("cbmctrl"),
                                         {QStringLiteral("dir"), QStringLiteral("9")},
                                         number,
                                         std::move(output)}}};
}

} // namespace

TEST(ActivityLogTest, RecordsReadBackAsWrittenAndCutLinesAreSkipped) {
    QTemporaryDir dir;
    const ActivityLog log(dir.filePath(QStringLiteral("state/vellum")));
    ASSERT_TRUE(log.append(record(1)));
    QFile file(dir.filePath(QStringLiteral("state/vellum/activity.log")));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("{\"time\":\"2026-12-07T03:00:0");
    file.close();
    ASSERT_TRUE(log.append(record(2)));
    const auto records = log.recent(10);
    EXPECT_EQ(records, (QList<ActivityRecord>{record(1), record(2)}));
}

TEST(ActivityLogTest, LongOutputKeepsItsEnds) {
    const QString output = QStringLiteral("start") + QString(100000, QLatin1Char('.')) +
                           QStringLiteral("63, FILE EXISTS,00,00");
    const QString kept = boundedOutput(output);
    EXPECT_LE(kept.size(), activityOutputLimit + 3);
    EXPECT_TRUE(kept.startsWith(QLatin1String("start")));
    EXPECT_TRUE(kept.endsWith(QLatin1String("63, FILE EXISTS,00,00")));
}

TEST(ActivityLogTest, RotationKeepsThreeFilesAndTheNewestRecords) {
    QTemporaryDir dir;
    const ActivityLog log(dir.path());
    const QString bulky(activityOutputLimit, QLatin1Char('x'));
    for (int number = 0; number < 200; ++number) {
        ASSERT_TRUE(log.append(record(number, bulky)));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), ActivityLog::keptFiles);
    const auto records = log.recent(3);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records.last().operation, QStringLiteral("Directory №199"));
    EXPECT_EQ(records.first().operation, QStringLiteral("Directory №197"));
}

TEST(ActivityLogTest, AnUnwritableFolderFailsQuietly) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_FALSE(ActivityLog(blocker.fileName() + QStringLiteral("/vellum")).append(record(1)));
}
