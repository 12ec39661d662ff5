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

void compose(DesktopServices& desktop, const QString& subject, const QString& body) {
    desktop.composeMail(QString::fromUtf16(feedbackAddress), subject, body);
}

} // namespace

void VellumViewModel::reportBug() {
    compose(m_desktop, bugReportSubject(), bugReportBody(facts(*m_service)));
}

void VellumViewModel::suggestFeature() {
    compose(m_desktop, featureRequestSubject(), featureRequestBody(facts(*m_service)));
}

void VellumViewModel::contactMail() {
    compose(m_desktop, contactSubject(), QString());
}

} // namespace vellum
