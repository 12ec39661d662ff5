#include "session/FeedbackMailTexts.h"

#include "model/TextUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QUrlQuery>

#ifndef VELLUM_BUILD_VERSION
#define VELLUM_BUILD_VERSION ""
#endif

namespace vellum {

namespace {

struct MailTexts {
    Q_DECLARE_TR_FUNCTIONS(FeedbackMail)
};

} // namespace

QString appVersionString(const QString& version, const QString& build) {
    const QString shown = version.isEmpty() ? QStringLiteral("1.0") : version;
    if (build.isEmpty() || build == shown) {
        return shown;
    }
    return shown + QStringLiteral(" (") + build + QLatin1Char(')');
}

QString appVersionString() {
    return appVersionString(QCoreApplication::applicationVersion(),
                            QStringLiteral(VELLUM_BUILD_VERSION));
}

QString hardwareModelFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("unknown");
    }
    const QString model = QString::fromUtf8(file.readLine(256)).trimmed();
    return model.isEmpty() ? QStringLiteral("unknown") : model;
}

QString hardwareModel() {
#if defined(Q_OS_LINUX)
    return hardwareModelFromFile(QStringLiteral("/sys/devices/virtual/dmi/id/product_name"));
#else
    return QStringLiteral("unknown");
#endif
}

QString distributionFromOsRelease(const QString& path) {
    QFile file(path);
    QString name;
    if (file.open(QIODevice::ReadOnly)) {
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (const char* key : {"PRETTY_NAME=", "NAME="}) {
            for (const QString& line : lines) {
                if (name.isEmpty() && line.startsWith(QLatin1String(key))) {
                    name = trimmedOf(line.mid(qstrlen(key)).trimmed(), u"\"'");
                }
            }
        }
    }
    return name.isEmpty() ? QSysInfo::prettyProductName() : name;
}

QString openCBMLocation(const QStringList& searchDirectories) {
    for (const QString& directory : searchDirectories) {
        const QString path = directory + QStringLiteral("/cbmctrl");
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable()) {
            return path;
        }
    }
    return QStringLiteral("not found");
}

FeedbackFacts currentFeedbackFacts(const QString& appearanceName,
                                   const QStringList& toolSearchDirectories) {
    FeedbackFacts facts;
    facts.appVersion = appVersionString();
    facts.distribution = distributionFromOsRelease(QStringLiteral("/etc/os-release"));
    facts.kernel = QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion();
    facts.qtVersion = QString::fromLatin1(qVersion());
    facts.hardwareModel = hardwareModel();
    facts.machine = QSysInfo::currentCpuArchitecture();
    facts.appearance = appearanceName;
    facts.openCBM = openCBMLocation(toolSearchDirectories);
    return facts;
}

QString bugReportSubject() {
    return MailTexts::tr("Vellum bug report");
}

QString bugReportBody(const FeedbackFacts& facts) {
    QString body = MailTexts::tr("Fill in the blanks. Delete lines that do not apply.") +
                   QStringLiteral("\n\n") + MailTexts::tr("— Auto —") + QLatin1Char('\n');
    const QList<std::pair<QString, QString>> lines{
        {MailTexts::tr("Vellum"), facts.appVersion},
        {MailTexts::tr("Distribution"), facts.distribution},
        {MailTexts::tr("Kernel"), facts.kernel},
        {MailTexts::tr("Qt"), facts.qtVersion},
        {MailTexts::tr("Computer"), facts.hardwareModel + QStringLiteral(" · ") + facts.machine},
        {MailTexts::tr("Appearance"), facts.appearance},
        {MailTexts::tr("OpenCBM"), facts.openCBM},
    };
    for (const auto& [label, value] : lines) {
        body += label + QStringLiteral(": ") + value + QLatin1Char('\n');
    }
    body += MailTexts::tr(
        "\n— When —\nI was:\n[ ] browsing a folder on the computer\n[ ] opening / browsing a "
        ".d64\n[ ] opening / browsing a .t64\n[ ] putting files into a .d64\n[ ] creating a new "
        ".d64\n[ ] copying files to the floppy\n[ ] saving a .d64 from the floppy\n[ ] writing a "
        ".d64 to the floppy\n[ ] reading the directory from the drive\n[ ] detecting the "
        "adapter\n[ ] format / init / reset\n[ ] deleting files\n[ ] drag and drop\n[ ] "
        "other:\n\nFile(s): (name + type, e.g. GAME.PRG, DISK.D64 — do not attach unless "
        "asked)\nAdapter: [ ] ZoomFloppy / xum1541  [ ] none (images only)\nDrive: [ ] 1541-II  "
        "[ ] other:  [ ] none\nDevice #: 8\n\n— What went wrong —\nHappens: [ ] always  [ ] "
        "sometimes  [ ] once\nWhat I saw (exact error text if any):\n\n\nWhat I expected:\n");
    return body;
}

QString featureRequestSubject() {
    return MailTexts::tr("Vellum feature request");
}

QString featureRequestBody(const FeedbackFacts& facts) {
    return QStringLiteral("Vellum ") + facts.appVersion + QLatin1Char('\n') + facts.distribution +
           MailTexts::tr(
               "\n\nWhat should a next update add?\n\n\nWhy would that help? (how you work "
               "today, what is missing)\n\n\nWould this involve:\n[ ] real floppy  [ ] .d64 "
               "images  [ ] .t64  [ ] files on the computer  [ ] other");
}

QString contactSubject() {
    return QStringLiteral("Vellum");
}

QUrl feedbackMailURL(const QString& recipient, const QString& subject, const QString& body) {
    // QUrlQuery leaves "+" alone, which mail clients read as a space; encoding every
    // value fully first keeps each character as typed.
    auto encoded = [](const QString& value) {
        return QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), encoded(subject));
    if (!body.isEmpty()) {
        query.addQueryItem(QStringLiteral("body"), encoded(body));
    }
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(recipient);
    url.setQuery(query);
    return url;
}

} // namespace vellum
