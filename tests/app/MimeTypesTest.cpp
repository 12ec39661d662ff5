#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Our MIME package, installed as `cmake --install` lays it into a data folder of its own
// and compiled by the system's update-mime-database, names our types. QMimeDatabase reads the
// data folders once per process, so this program holds nothing else.
TEST(MimeTypesTest, ThePackageNamesOurTypes) {
    QTemporaryDir data;
    ASSERT_TRUE(QDir().mkpath(data.filePath("mime/packages")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELLUM_MIME_PACKAGE),
                            data.filePath("mime/packages/vellum.xml")));
    ASSERT_EQ(QProcess::execute(QStringLiteral("update-mime-database"), {data.filePath("mime")}),
              0);
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", "/usr/share");

    const QMimeDatabase database;
    const struct {
        const char* file;
        const char* type;
    } cases[] = {
        {"games.d64", "application/x-d64"}, {"GAMES.D64", "application/x-d64"},
        {"both.d71", "application/x-d71"},  {"big.d81", "application/x-d81"},
        {"tape.t64", "application/x-t64"},  {"hello.p00", "application/x-p00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            database.mimeTypeForFile(QString::fromLatin1(c.file), QMimeDatabase::MatchExtension)
                .name(),
            QLatin1String(c.type))
            << c.file;
    }
}
