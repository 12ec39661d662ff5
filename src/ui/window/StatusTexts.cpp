#include "ui/window/StatusTexts.h"

#include "ui/kit/VellumProgressBar.h"

#include <QCoreApplication>

namespace vellum {

QString readinessWord(bool idle) {
    return idle ? QCoreApplication::translate("Status", "READY.")
                : QCoreApplication::translate("Status", "BUSY.");
}

QString percentText(double progress) {
    return QString::number(VellumProgressBar::wholePercent(progress)) + QLatin1Char('%');
}

} // namespace vellum
