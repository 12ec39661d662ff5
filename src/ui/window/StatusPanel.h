#pragma once

#include <QWidget>

class QLabel;

namespace vellum {

class ClampedLabel;
class CommandActions;
class DetectButton;
class DrivePicker;
class ElidedLabel;
class IconView;
class PresenceBadge;
class StopButton;
class VellumProgressBar;
class VellumViewModel;

// The status side panel: Detect, the adapter, the drive with its picker, the running
// operation with Stop, and the progress.
class StatusPanel : public QWidget {
    Q_OBJECT

public:
    StatusPanel(VellumViewModel& session, CommandActions& actions, QWidget* parent = nullptr);

    // For tests and the layouts.
    QLabel* adapterTitle() const { return adapterHeading; }
    QLabel* adapterDetail() const { return adapterLine; }
    ElidedLabel* driveTitle() const { return driveHeading; }
    QLabel* driveDetail() const { return driveLine; }
    DrivePicker* drivePicker() const { return picker; }
    QLabel* operationWord() const { return operationHeading; }
    ClampedLabel* headline() const { return headlineLabel; }
    StopButton* stopButton() const { return stop; }
    QLabel* readiness() const { return readyWord; }
    QLabel* percentage() const { return percentLabel; }
    VellumProgressBar* progressBar() const { return bar; }

private:
    QWidget* makeDetectCard(CommandActions& actions);
    QWidget* makeAdapterCard();
    QWidget* makeDriveCard();
    QWidget* makeOperationCard();
    QWidget* makeProgressCard();

    void showAdapter();
    void showDrive();
    void showOperation();
    void showProgress();

    VellumViewModel& session;
    DetectButton* detect = nullptr;
    IconView* adapterSymbol = nullptr;
    QLabel* adapterHeading = nullptr;
    PresenceBadge* adapterBadge = nullptr;
    QLabel* adapterLine = nullptr;
    IconView* driveSymbol = nullptr;
    ElidedLabel* driveHeading = nullptr;
    DrivePicker* picker = nullptr;
    QLabel* driveLine = nullptr;
    QLabel* operationHeading = nullptr;
    ClampedLabel* headlineLabel = nullptr;
    StopButton* stop = nullptr;
    QLabel* readyWord = nullptr;
    VellumProgressBar* bar = nullptr;
    QLabel* percentLabel = nullptr;
};

} // namespace vellum
