#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vellum {

inline constexpr char16_t feedbackAddress[] = u"feedback@vellum.app";

// "1.2", or "1.2 (45)" when the build differs from the version; "1.0" stands in for a
// missing version.
QString appVersionString(const QString& version, const QString& build);
// The running application's version and the build it was made from.
QString appVersionString();

// The machine's model name where the platform has one, else "unknown".
QString hardwareModel();
// The first line of a model file such as the firmware's product name, or "unknown".
QString hardwareModelFromFile(const QString& path);

// The first executable "cbmctrl" among the directories, or "not found".
QString openCBMLocation(const QStringList& searchDirectories);

// The distribution's name from an os-release file (PRETTY_NAME, else NAME), else Qt's
// name for the system.
QString distributionFromOsRelease(const QString& path);

struct FeedbackFacts {
    QString appVersion;
    QString distribution;
    QString kernel;
    QString qtVersion;
    QString hardwareModel;
    QString machine;
    QString appearance;
    QString openCBM;

    friend bool operator==(const FeedbackFacts&, const FeedbackFacts&) = default;
};

// The facts of this installation.
FeedbackFacts currentFeedbackFacts(const QString& appearanceName,
                                   const QStringList& toolSearchDirectories);

QString bugReportSubject();
QString bugReportBody(const FeedbackFacts& facts);
QString featureRequestSubject();
QString featureRequestBody(const FeedbackFacts& facts);
QString contactSubject();

// A mailto URL with the subject and, when not empty, the body, every character that could
// be misread by a mail client percent-encoded.
QUrl feedbackMailURL(const QString& recipient, const QString& subject, const QString& body);

} // namespace vellum
