#include "session/VellumViewModel.h"

#include "session/AppSettings.h"
#include "session/DesktopServices.h"
#include "session/FeedbackMailTexts.h"

namespace vellum {

namespace {

FeedbackFacts facts(OpenCBMService& service) {
    return currentFeedbackFacts(displayName(AppSettings::shared().appearance()),
                                service.searchPaths());
}

} // namespace

void VellumViewModel::reportBug() {
    composeFeedbackMail(bugReportSubject(), bugReportBody(facts(*m_service)));
}

void VellumViewModel::suggestFeature() {
    composeFeedbackMail(featureRequestSubject(), featureRequestBody(facts(*m_service)));
}

void VellumViewModel::contactMail() {
    composeFeedbackMail(contactSubject(), QString());
}

void VellumViewModel::composeFeedbackMail(const QString& subject, const QString& body) {
    m_desktop.composeMail(QString::fromUtf16(feedbackAddress), subject, body);
}

} // namespace vellum
