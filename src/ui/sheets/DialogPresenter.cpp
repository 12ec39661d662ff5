#include "ui/sheets/DialogPresenter.h"

#include "session/VellumViewModel.h"
#include "ui/sheets/ConfirmationDialog.h"
#include "ui/sheets/FormatDiskSheet.h"
#include "ui/sheets/NamePromptSheet.h"
#include "ui/sheets/NewDiskImageSheet.h"

#include <QWidget>

namespace vellum {

DialogPresenter::DialogPresenter(VellumViewModel& model, QWidget* mainWindow)
    : QObject(mainWindow), session(model), window(mainWindow) {
    addRequests();

    const Confirmations& confirmations = session.confirmations();
    for (const auto changed : {&Confirmations::showsLocalDeleteConfirmationChanged,
                               &Confirmations::showsScratchConfirmationChanged,
                               &Confirmations::showsWriteConfirmationChanged,
                               &Confirmations::showsImageCopyChoiceChanged}) {
        connect(&confirmations, changed, this, &DialogPresenter::scheduleSync);
    }
    const Sheets& sheets = session.sheets();
    for (const auto changed : {&Sheets::showsFormatSheetChanged, &Sheets::showsNewDiskSheetChanged,
                               &Sheets::namePromptChanged}) {
        connect(&sheets, changed, this, &DialogPresenter::scheduleSync);
    }
    const OperationStatus& status = session.status();
    connect(&status, &OperationStatus::lastErrorChanged, this, &DialogPresenter::scheduleSync);
    connect(&status, &OperationStatus::operationChanged, this, &DialogPresenter::scheduleSync);
    connect(&session.commands(), &Commands::commandsChanged, this, &DialogPresenter::refreshShown);
    scheduleSync();
}

DialogPresenter::~DialogPresenter() {
    if (shown) {
        disconnect(shown, nullptr, this, nullptr);
        delete shown.data();
    }
}

void DialogPresenter::addRequests() {
    VellumViewModel& s = session;
    Confirmations& confirmations = s.confirmations();
    Sheets& sheets = s.sheets();
    const Commands& commands = s.commands();

    // The alert waits for the operation to end, and stays until it is dismissed or the
    // session clears the error itself.
    addConfirmation([&s] { return s.status().lastError().has_value() && s.status().isIdle(); },
                    [&commands] { return commands.errorAlert(); },
                    [&s](int) { s.status().dismissLastError(); },
                    [&s] { return s.status().lastError().has_value(); });

    addConfirmation([&confirmations] { return confirmations.showsLocalDeleteConfirmation(); },
                    [&commands] { return commands.computerDeleteConfirmation(); },
                    [&s, &confirmations](int choice) {
                        if (choice == ConfirmationDialog::confirm) {
                            s.confirmLocalDelete();
                        } else {
                            confirmations.setShowsLocalDeleteConfirmation(false);
                        }
                    });
    addConfirmation([&confirmations] { return confirmations.showsScratchConfirmation(); },
                    [&commands] { return commands.scratchConfirmation(); },
                    [&s, &confirmations](int choice) {
                        confirmations.setShowsScratchConfirmation(false);
                        if (choice == ConfirmationDialog::confirm) {
                            s.deleteSelectedFromFloppy();
                        }
                    });
    addConfirmation([&confirmations] { return confirmations.showsWriteConfirmation(); },
                    [&commands] { return commands.writeConfirmation(); },
                    [&s, &confirmations](int choice) {
                        confirmations.setShowsWriteConfirmation(false);
                        if (choice == ConfirmationDialog::confirm) {
                            s.confirmWrite();
                        } else {
                            s.cancelPendingCopy();
                        }
                    });
    addConfirmation([&confirmations] { return confirmations.showsImageCopyChoice(); },
                    [&commands] { return commands.imageCopyChoice(); },
                    [&s](int choice) {
                        if (choice == ConfirmationDialog::confirm) {
                            s.writePendingImages();
                        } else if (choice == ConfirmationDialog::alternative) {
                            s.copyPendingAsFiles();
                        } else {
                            s.cancelPendingCopy();
                        }
                    });

    requests.append({[&sheets] { return sheets.showsFormatSheet(); },
                     {},
                     [&s, this] { return new FormatDiskSheet(s, window); },
                     [&sheets](int) { sheets.setShowsFormatSheet(false); },
                     {}});
    requests.append({[&sheets] { return sheets.showsNewDiskSheet(); },
                     {},
                     [&s, this] { return new NewDiskImageSheet(s, window); },
                     [&sheets](int) { sheets.setShowsNewDiskSheet(false); },
                     {}});
    for (const NamePromptKind kind : {NamePromptKind::newFolder, NamePromptKind::renameComputerItem,
                                      NamePromptKind::renameFloppy}) {
        requests.append({[&sheets, kind] { return sheets.namePrompt() == kind; },
                         {},
                         [&s, kind, this] { return new NamePromptSheet(s, kind, window); },
                         [&sheets](int) { sheets.setNamePrompt(std::nullopt); },
                         {}});
    }
}

void DialogPresenter::addConfirmation(std::function<bool()> wanted,
                                      std::function<ConfirmationText()> text,
                                      std::function<void(int result)> answer,
                                      std::function<bool()> keepsOpen) {
    requests.append(
        {std::move(wanted), std::move(keepsOpen),
         [this, text] { return new ConfirmationDialog(text(), window); }, std::move(answer),
         [text](QDialog* dialog) { static_cast<ConfirmationDialog*>(dialog)->setText(text()); }});
}

void DialogPresenter::scheduleSync() {
    if (syncPending) {
        return;
    }
    syncPending = true;
    QMetaObject::invokeMethod(this, &DialogPresenter::sync, Qt::QueuedConnection);
}

void DialogPresenter::sync() {
    syncPending = false;
    if (shown) {
        const Request& request = requests.at(shownRequest);
        if (request.keepsOpen ? request.keepsOpen() : request.wanted()) {
            return;
        }
        closeShown();
    }
    for (qsizetype index = 0; index < requests.size(); ++index) {
        if (requests.at(index).wanted()) {
            open(index);
            return;
        }
    }
}

void DialogPresenter::open(qsizetype index) {
    QDialog* dialog = requests.at(index).make();
    shown = dialog;
    shownRequest = index;
    connect(dialog, &QDialog::finished, this, [this, dialog, index](int result) {
        shown = nullptr;
        shownRequest = -1;
        dialog->deleteLater();
        requests.at(index).answer(result);
        scheduleSync();
    });
    dialog->open();
}

void DialogPresenter::closeShown() {
    QDialog* dialog = shown;
    shown = nullptr;
    shownRequest = -1;
    // The session withdrew the request: closing answers nothing.
    disconnect(dialog, &QDialog::finished, this, nullptr);
    dialog->done(QDialog::Rejected);
    dialog->deleteLater();
}

void DialogPresenter::refreshShown() {
    if (shown && requests.at(shownRequest).refresh) {
        requests.at(shownRequest).refresh(shown);
    }
}

} // namespace vellum
