#pragma once

#include <QMainWindow>
#include <memory>

namespace vellum {

class CommandActions;
class CommanderFrame;
class DialogPresenter;
class SecondaryWindows;
class VellumViewModel;

// The one main window: the menus, the commander frame, the dialogs the session asks for,
// and the session's start-up once the window is first on screen.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(VellumViewModel& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    CommandActions& commandActions() const { return *commands; }
    CommanderFrame* frame() const { return commander; }
    SecondaryWindows& secondaryWindows() const { return *secondary; }
    DialogPresenter& dialogPresenter() const { return *dialogs; }
    // Whether the start-up has begun.
    bool hasStarted() const { return started; }

signals:
    // The start-up was handed to the session (after the first paint).
    void startUpBegun();

private:
    void startUp();

    VellumViewModel& session;
    CommandActions* commands;
    CommanderFrame* commander;
    SecondaryWindows* secondary;
    std::unique_ptr<DialogPresenter> dialogs;
    bool started = false;
};

} // namespace vellum
