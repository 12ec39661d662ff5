#pragma once

#include <QFrame>
#include <QString>
#include <QWidget>

class QVBoxLayout;

class QLabel;

namespace vellum {

class ClampedLabel;
class CommandActions;
class DetectButton;
class DrivePicker;
class ElidedLabel;
class IconView;
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
    IconView* adapterBadge = nullptr;
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

// One rounded card of the status panel; its content is stacked top to bottom.
class StatusCard : public QFrame {
    Q_OBJECT

public:
    explicit StatusCard(QWidget* parent = nullptr);

    QVBoxLayout* contentLayout() const { return content; }
    void addWidget(QWidget* widget);

private:
    QVBoxLayout* content;
};

// "READY." while idle, "BUSY." while an operation runs.
QString readinessWord(bool idle);
// The whole percentage of the progress followed by "%".
QString percentText(double progress);

} // namespace vellum
