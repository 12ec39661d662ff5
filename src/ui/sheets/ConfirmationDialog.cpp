#include "ui/sheets/ConfirmationDialog.h"

#include "ui/kit/StyleRoles.h"

#include <QPushButton>

namespace vellum {

ConfirmationDialog::ConfirmationDialog(const ConfirmationText& text, QWidget* parent)
    : DialogFrame(parent) {
    if (!text.confirmTitle.isEmpty()) {
        confirmChoice = addButton(text.confirmTitle, QDialogButtonBox::DestructiveRole);
        setStyleFlag(confirmChoice, "destructive", true);
        // A focused auto-default button takes over Return; this one must never.
        confirmChoice->setAutoDefault(false);
        connect(confirmChoice, &QPushButton::clicked, this, [this] { done(confirm); });
    }
    if (!text.alternativeTitle.isEmpty()) {
        alternativeChoice = addButton(text.alternativeTitle, QDialogButtonBox::ActionRole);
        connect(alternativeChoice, &QPushButton::clicked, this, [this] { done(alternative); });
    }
    cancelChoice = addCancelButton(text.cancelTitle);
    makeDefault(cancelChoice);
    cancelChoice->setFocus(Qt::OtherFocusReason);
    setText(text);
}

void ConfirmationDialog::setText(const ConfirmationText& text) {
    setTitle(text.title);
    setMessage(text.message, MessageStyle::body);
    if (confirmChoice) {
        confirmChoice->setText(text.confirmTitle);
    }
    if (alternativeChoice) {
        alternativeChoice->setText(text.alternativeTitle);
    }
    cancelChoice->setText(text.cancelTitle);
}

} // namespace vellum
