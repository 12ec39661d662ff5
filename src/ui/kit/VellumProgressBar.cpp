#include "ui/kit/VellumProgressBar.h"

#include <algorithm>
#include <cmath>

namespace vellum {

VellumProgressBar::VellumProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
    setAccessibleName(tr("Progress"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void VellumProgressBar::setProgress(double progress) {
    fraction = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    setValue(wholePercent(fraction));
}

int VellumProgressBar::wholePercent(double progress) {
    if (!std::isfinite(progress)) {
        return 0;
    }
    const double percent = std::clamp(progress, 0.0, 1.0) * 100.0;
    return static_cast<int>(std::floor(percent + 1e-9));
}

} // namespace vellum
