#pragma once

#include <QFrame>

class QLabel;

namespace vellum {

class ElidedLabel;
class StopButton;
class VellumProgressBar;
class VellumViewModel;

// The one-line status of narrow windows: "STATUS", the headline, Stop while an operation
// runs, "READY." or "BUSY.", and the progress bar.
class BottomStatusBar : public QFrame {
    Q_OBJECT

public:
    explicit BottomStatusBar(VellumViewModel& session, QWidget* parent = nullptr);

    ElidedLabel* headline() const { return headlineLabel; }
    StopButton* stopButton() const { return stop; }
    QLabel* readiness() const { return readyWord; }
    VellumProgressBar* progressBar() const { return bar; }

private:
    void follow();

    VellumViewModel& session;
    ElidedLabel* headlineLabel;
    StopButton* stop;
    QLabel* readyWord;
    VellumProgressBar* bar;
};

} // namespace vellum
