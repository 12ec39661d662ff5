#pragma once

#include <QProgressBar>

namespace vellum {

// The progress of the running operation: a thin bar without text, a native progress bar
// under System and the C64 sheets' track and fill otherwise. Its value, which accessibility
// tools read, is the whole percentage.
class VellumProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit VellumProgressBar(QWidget* parent = nullptr);

    // Clamped to 0…1; NaN (not known yet) shows an empty track.
    void setProgress(double progress);
    double progress() const { return fraction; }

    // The whole percentage of a progress fraction, rounded down; a fraction a hair below a
    // whole percent through floating-point error (0.29 × 100 = 28.999…) still counts as it.
    static int wholePercent(double progress);

    QSize sizeHint() const override { return {160, 8}; }
    QSize minimumSizeHint() const override { return {24, 6}; }

private:
    double fraction = 0.0;
};

} // namespace vellum
