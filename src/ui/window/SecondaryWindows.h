#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
class QWidget;

namespace vellum {

class VellumViewModel;

// Opens the help, about and preferences windows while the session asks for them, and clears
// the request however a window is closed. Help and preferences are ordinary windows that
// stay beside the commander; About is modal to it.
class SecondaryWindows : public QObject {
    Q_OBJECT

public:
    SecondaryWindows(VellumViewModel& session, QWidget* window);

    QDialog* help() const { return helpWindow; }
    QDialog* about() const { return aboutWindow; }
    QDialog* preferences() const { return preferencesWindow; }

private:
    // Opens or closes one window on the next turn of the event loop, never from inside the
    // signal that changed the request.
    void schedule();
    void follow();
    void place(QPointer<QDialog>& slot, bool requested, QDialog* (SecondaryWindows::*make)(),
               bool modal, void (*clear)(VellumViewModel&));
    QDialog* makeHelp();
    QDialog* makeAbout();
    QDialog* makePreferences();

    VellumViewModel& session;
    QWidget* window;
    QPointer<QDialog> helpWindow;
    QPointer<QDialog> aboutWindow;
    QPointer<QDialog> preferencesWindow;
    bool pending = false;
};

} // namespace vellum
