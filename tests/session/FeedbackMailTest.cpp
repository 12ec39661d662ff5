#include "session/FeedbackMailTexts.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace vellum;

namespace {

void makeExecutable(const QString& path, bool executable) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) {
        permissions |= QFile::ExeOwner;
    }
    file.setPermissions(permissions);
}

FeedbackFacts sampleFacts() {
    return {"1.2 (45)",    "Debian GNU/Linux 12 (bookworm)",
            "linux 6.1.0", "6.4.2",
            "ThinkPad",    "x86_64",
            "Classic C64", "/usr/local/bin/cbmctrl"};
}

} // namespace

TEST(FeedbackMailTest, VersionAndFacts) {
    EXPECT_EQ(appVersionString("1.2", "45"), "1.2 (45)");
    EXPECT_EQ(appVersionString("1.2", "1.2"), "1.2");
    EXPECT_EQ(appVersionString("", ""), "1.0");
    EXPECT_EQ(appVersionString("", "7"), "1.0 (7)");

    QTemporaryDir dir;
    const QDir root(dir.path());
    EXPECT_EQ(hardwareModelFromFile(root.filePath("missing")), "unknown");
    QFile model(root.filePath("product_name"));
    ASSERT_TRUE(model.open(QIODevice::WriteOnly));
    model.write("  \n");
    model.close();
    EXPECT_EQ(hardwareModelFromFile(model.fileName()), "unknown");
    ASSERT_TRUE(model.open(QIODevice::WriteOnly | QIODevice::Truncate));
    model.write("Standard PC (Q35)\n");
    model.close();
    EXPECT_EQ(hardwareModelFromFile(model.fileName()), "Standard PC (Q35)");
    EXPECT_FALSE(hardwareModel().isEmpty());

    const QList<std::pair<QByteArray, QString>> releases{
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"ID=arch\nNAME='Arch Linux'\n", "Arch Linux"},
        {"ID=odd\n", QSysInfo::prettyProductName()},
    };
    for (const auto& [text, name] : releases) {
        QFile release(root.filePath("os-release"));
        ASSERT_TRUE(release.open(QIODevice::WriteOnly | QIODevice::Truncate));
        release.write(text);
        release.close();
        EXPECT_EQ(distributionFromOsRelease(release.fileName()), name) << text.toStdString();
    }
    EXPECT_EQ(distributionFromOsRelease(root.filePath("missing")), QSysInfo::prettyProductName());
}

TEST(FeedbackMailTest, OpenCBMLocationIsTheFirstExecutableCbmctrl) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char* name : {"first", "local", "ports"}) {
        root.mkdir(name);
    }
    const QStringList dirs = {root.filePath("first"), root.filePath("local"),
                              root.filePath("ports")};
    EXPECT_EQ(openCBMLocation(dirs), "not found");
    makeExecutable(root.filePath("first/cbmctrl"), false);
    makeExecutable(root.filePath("ports/cbmctrl"), true);
    EXPECT_EQ(openCBMLocation(dirs), root.filePath("ports/cbmctrl"));
    makeExecutable(root.filePath("local/cbmctrl"), true);
    EXPECT_EQ(openCBMLocation(dirs), root.filePath("local/cbmctrl"));
}

TEST(FeedbackMailTest, BodiesCarryTheFactsInOrder) {
    const QString bug = bugReportBody(sampleFacts());
    EXPECT_TRUE(bug.startsWith("Fill in the blanks. Delete lines that do not apply.\n\n— Auto "
                               "—\nVellum: 1.2 (45)\nDistribution: Debian GNU/Linux 12 "
                               "(bookworm)\nKernel: linux 6.1.0\nQt: 6.4.2\nComputer: ThinkPad · "
                               "x86_64\nAppearance: Classic C64\nOpenCBM: "
                               "/usr/local/bin/cbmctrl\n\n— When —\nI was:\n[ ] browsing a "
                               "folder on the computer\n"));
    EXPECT_TRUE(bug.endsWith("What I saw (exact error text if any):\n\n\nWhat I expected:\n"));
    EXPECT_TRUE(bug.contains("\nDevice #: 8\n"));
    EXPECT_EQ(
        featureRequestBody(sampleFacts()),
        "Vellum 1.2 (45)\nDebian GNU/Linux 12 (bookworm)\n\nWhat should a next update "
        "add?\n\n\nWhy "
        "would that help? (how you work today, what is missing)\n\n\nWould this "
        "involve:\n[ ] real floppy  [ ] .d64 images  [ ] .t64  [ ] files on the computer  [ ] "
        "other");
}

TEST(FeedbackMailTest, MailURLKeepsEveryCharacterOfSubjectAndBody) {
    const QString subject = "Bug & fix = 100% + more";
    const QString body = "Line one\nA+B #2 — “quoted” · ä?&body=evil";
    const QUrl url = feedbackMailURL(QString::fromUtf16(feedbackAddress), subject, body);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), "mailto");
    EXPECT_EQ(url.path(), "feedback@vellum.app");

    const QByteArray encoded = url.toEncoded();
    const QByteArray query = encoded.mid(encoded.indexOf('?') + 1);
    EXPECT_FALSE(query.contains('+'));
    EXPECT_FALSE(query.contains(' '));
    EXPECT_FALSE(query.contains('#'));
    EXPECT_EQ(query.count('&'), 1);

    const QUrlQuery parsed(QUrl::fromEncoded(encoded));
    EXPECT_EQ(parsed.queryItemValue("subject", QUrl::FullyDecoded), subject);
    EXPECT_EQ(parsed.queryItemValue("body", QUrl::FullyDecoded), body);

    const QUrl contact = feedbackMailURL("a@b.c", "Vellum", "");
    EXPECT_EQ(contact.toEncoded(), "mailto:a@b.c?subject=Vellum");
}
