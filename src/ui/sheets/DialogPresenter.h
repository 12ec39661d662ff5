#pragma once

#include "session/Commands.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QDialog;
class QWidget;

namespace vellum {

class VellumViewModel;

// Shows the session's requests for a confirmation, a sheet or the error alert as
// window-modal dialogs over the main window. It opens them one at a time, on a later turn
// of the event loop than the change that asked for them (never inside a property-change
// signal), with open(), never exec(). Every way the user closes a dialog answers the
// request, so the same request opens a new dialog next time; a request the session
// withdraws by itself closes its dialog.
class DialogPresenter : public QObject {
    Q_OBJECT

public:
    DialogPresenter(VellumViewModel& session, QWidget* window);
    ~DialogPresenter() override;

    // The dialog on screen, if any.
    QDialog* currentDialog() const { return shown; }

private:
    struct Request {
        // Opens when true; its dialog closes once `keepsOpen` (or, without it, `wanted`)
        // turns false.
        std::function<bool()> wanted;
        std::function<bool()> keepsOpen;
        std::function<QDialog*()> make;
        // The user's answer: the dialog's result.
        std::function<void(int result)> answer;
        // Brings an open dialog's texts up to date.
        std::function<void(QDialog* dialog)> refresh;
    };

    void addRequests();
    void addConfirmation(std::function<bool()> wanted, std::function<ConfirmationText()> text,
                         std::function<void(int result)> answer,
                         std::function<bool()> keepsOpen = {});
    void scheduleSync();
    void sync();
    void open(qsizetype index);
    void closeShown();
    void refreshShown();

    VellumViewModel& session;
    QWidget* window;
    QList<Request> requests;
    QPointer<QDialog> shown;
    qsizetype shownRequest = -1;
    bool syncPending = false;
};

} // namespace vellum
