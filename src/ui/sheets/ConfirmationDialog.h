#pragma once

#include "session/Commands.h"
#include "ui/sheets/DialogFrame.h"

class QPlainTextEdit;
class QToolButton;

namespace vellum {

// A question before destructive or ambiguous work, or the error alert: title, message, the
// destructive choice, an optional harmless second choice, and Cancel. Cancel is the default
// and has the focus, so Return and Escape both choose it; the destructive button is never
// the default, not even while it has the focus, and is pressed only by a click or Space.
// The dialog ends with the choice as its result.
class ConfirmationDialog : public DialogFrame {
    Q_OBJECT

public:
    enum Choice { cancel = QDialog::Rejected, confirm = QDialog::Accepted, alternative = 2 };

    explicit ConfirmationDialog(const ConfirmationText& text, QWidget* parent = nullptr);

    // Follows the session while open: a text that changes shows at once.
    void setText(const ConfirmationText& text);

    QPushButton* confirmButton() const { return confirmChoice; }
    QPushButton* alternativeButton() const { return alternativeChoice; }
    QPushButton* cancelButton() const { return cancelChoice; }
    // The alert's tool output: folded away under a Details toggle, selectable, with Copy.
    QWidget* detailsPanel() const { return details; }
    QToolButton* detailsToggle() const { return toggle; }
    QPlainTextEdit* detailsText() const { return detailsView; }

private:
    QPushButton* confirmChoice = nullptr;
    QPushButton* alternativeChoice = nullptr;
    QPushButton* cancelChoice = nullptr;
    QWidget* details = nullptr;
    QToolButton* toggle = nullptr;
    QPlainTextEdit* detailsView = nullptr;
};

} // namespace vellum
