#pragma once

#include <QWidget>

namespace vellum {

// A slim rounded track filled from the leading edge by the progress. Screen readers hear
// "Progress" and the whole percentage.
class VellumProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit VellumProgressBar(QWidget* parent = nullptr);

    // Clamped to 0…1; NaN shows an empty track with no percentage.
    void setProgress(double progress);
    double progress() const { return fraction; }

    // "N percent", N the whole percentage; empty while the progress is unknown.
    QString accessibleValueText() const;

    // The whole percentage of a progress fraction, rounded down; a fraction a hair below a
    // whole percent through floating-point error (0.29 × 100 = 28.999…) still counts as it.
    static int wholePercent(double progress);

    QSize sizeHint() const override { return {160, 8}; }
    QSize minimumSizeHint() const override { return {24, 6}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fraction = 0.0;
    bool known = true;
};

} // namespace vellum
