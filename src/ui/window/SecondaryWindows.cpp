#include "ui/window/SecondaryWindows.h"

#include "session/AppSettings.h"
#include "session/VellumViewModel.h"
#include "ui/help/AboutView.h"
#include "ui/help/HelpView.h"
#include "ui/help/SettingsView.h"

namespace vellum {

SecondaryWindows::SecondaryWindows(VellumViewModel& session, QWidget* window)
    : QObject(window), session(session), window(window) {
    const WindowState& state = session.window();
    connect(&state, &WindowState::showsHelpChanged, this, &SecondaryWindows::schedule);
    connect(&state, &WindowState::showsAboutChanged, this, &SecondaryWindows::schedule);
    connect(&state, &WindowState::showsSettingsChanged, this, &SecondaryWindows::schedule);
    schedule();
}

void SecondaryWindows::schedule() {
    if (pending) {
        return;
    }
    pending = true;
    QMetaObject::invokeMethod(this, &SecondaryWindows::follow, Qt::QueuedConnection);
}

void SecondaryWindows::follow() {
    pending = false;
    const WindowState& state = session.window();
    place(helpWindow, state.showsHelp(), &SecondaryWindows::makeHelp, false,
          [](VellumViewModel& s) { s.window().setShowsHelp(false); });
    place(aboutWindow, state.showsAbout(), &SecondaryWindows::makeAbout, true,
          [](VellumViewModel& s) { s.window().setShowsAbout(false); });
    place(preferencesWindow, state.showsSettings(), &SecondaryWindows::makePreferences, false,
          [](VellumViewModel& s) { s.window().setShowsSettings(false); });
}

void SecondaryWindows::place(QPointer<QDialog>& slot, bool requested,
                             QDialog* (SecondaryWindows::*make)(), bool modal,
                             void (*clear)(VellumViewModel&)) {
    // A closed window that is not gone yet counts as closed.
    if (slot && !slot->isVisible()) {
        slot->deleteLater();
        slot = nullptr;
    }
    if (requested && !slot) {
        QDialog* opened = (this->*make)();
        opened->setAttribute(Qt::WA_DeleteOnClose);
        // Close button, Escape and the window manager's close all end here.
        connect(opened, &QDialog::finished, this, [this, clear] { clear(session); });
        slot = opened;
        if (modal) {
            opened->open();
        } else {
            opened->setWindowModality(Qt::NonModal);
            opened->show();
        }
    } else if (requested && slot) {
        slot->raise();
        slot->activateWindow();
    } else if (!requested && slot) {
        slot->close();
    }
}

QDialog* SecondaryWindows::makeHelp() {
    auto* view = new HelpView(window);
    view->setWindowFlag(Qt::Window);
    return view;
}

QDialog* SecondaryWindows::makeAbout() {
    auto* view = new AboutView(window);
    connect(view, &AboutView::reportBugRequested, this, [this] { session.reportBug(); });
    connect(view, &AboutView::suggestFeatureRequested, this, [this] { session.suggestFeature(); });
    connect(view, &AboutView::contactRequested, this, [this] { session.contactMail(); });
    return view;
}

QDialog* SecondaryWindows::makePreferences() {
    return new SettingsView(AppSettings::shared(), window);
}

} // namespace vellum
