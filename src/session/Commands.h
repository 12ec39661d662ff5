#pragma once

#include "model/ComputerFileItem.h"

#include <QObject>
#include <QString>

namespace vellum {

class ComputerPaneState;
class Confirmations;
class DriveState;
class FloppyPaneState;
class OperationStatus;
class WindowState;

// What a confirmation or alert shows. `confirmTitle` is the destructive choice (never the
// default button); `alternativeTitle`, when not empty, is a second, harmless choice.
struct ConfirmationText {
    QString title;
    QString message;
    QString confirmTitle;
    QString alternativeTitle;
    QString cancelTitle;
    // The alert's raw tool output, shown under Details; empty for the others.
    QString details{};

    friend bool operator==(const ConfirmationText&, const ConfirmationText&) = default;
};

// Every enabling rule of the commands (CommandRegistry binds each command to its rule) and
// of the drops, and the texts of the confirmations, worked out from the session's state so
// the window never re-derives them. commandsChanged() tells the window to look
// again: it comes once per turn of the event loop however many values changed in it.
class Commands : public QObject {
    Q_OBJECT

public:
    Commands(const OperationStatus& status, const DriveState& drives, const FloppyPaneState& floppy,
             const ComputerPaneState& computer, const Confirmations& confirmations,
             const WindowState& window, QObject* parent = nullptr);

    // No operation holds the slot. Every command that starts drive work (Detect, Read
    // Directory, Save, Write, Copy Files to Floppy…, Validate, Initialize, Format, Reset,
    // the drive picker) is enabled exactly then.
    bool isIdle() const;
    bool canStop() const;
    // The status word: "Stopping…" while stopping, else the running operation's label.
    QString operationWord() const;

    // The floppy side.
    bool canRenameFloppy() const;
    bool canDeleteFloppy() const;
    bool canCopyToComputer() const;

    // The computer side.
    bool canGoUp() const;
    bool canRefreshLocal() const;
    bool canNewFolder() const;
    bool canRenameLocal() const;
    bool canDeleteLocal() const;
    bool canOpenLocalSelection() const;
    bool canCopyToFloppy() const;
    bool canConvertT64() const;
    bool canNewDiskImage() const;

    // Delete in the focused pane (the File menu's delete line).
    bool canDeleteSelection() const;

    // Drops: the computer pane's list, one of its rows, the floppy pane.
    bool acceptsComputerDrop() const;
    bool acceptsDropOnLocalRow(const ComputerFileItem& row) const;
    bool acceptsFloppyDrop() const;

    // The confirmations, shown while their flag in Confirmations is set, and the error
    // alert, shown while lastError is present and the slot is free.
    ConfirmationText computerDeleteConfirmation() const;
    ConfirmationText scratchConfirmation() const;
    ConfirmationText writeConfirmation() const;
    ConfirmationText imageCopyChoice() const;
    ConfirmationText errorAlert() const;
    QString computerDeleteMessage() const;
    QString scratchConfirmationMessage() const;
    QString writeConfirmationMessage() const;
    QString imageCopyChoiceMessage() const;

signals:
    void commandsChanged();

private slots:
    void scheduleChanged();

private:
    void watch(const QObject& state);

    const OperationStatus& m_status;
    const DriveState& m_drives;
    const FloppyPaneState& m_floppy;
    const ComputerPaneState& m_computer;
    const Confirmations& m_confirmations;
    const WindowState& m_window;
    bool m_changePending = false;
};

} // namespace vellum
