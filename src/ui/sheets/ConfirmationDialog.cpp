#include "ui/sheets/ConfirmationDialog.h"

#include "ui/kit/StyleRoles.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

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
    details = new QWidget;
    auto* column = new QVBoxLayout(details);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    toggle = new QToolButton(details);
    toggle->setText(tr("Details"));
    toggle->setCheckable(true);
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setArrowType(Qt::RightArrow);
    toggle->setAutoRaise(true);
    auto* copy = new QPushButton(tr("Copy"), details);
    copy->setAutoDefault(false);
    row->addWidget(toggle);
    row->addStretch();
    row->addWidget(copy);
    column->addLayout(row);
    detailsView = new QPlainTextEdit(details);
    detailsView->setReadOnly(true);
    detailsView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    detailsView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    detailsView->setMaximumHeight(140);
    detailsView->hide();
    column->addWidget(detailsView);
    addControl(details);
    connect(toggle, &QToolButton::toggled, this, [this](bool open) {
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        detailsView->setVisible(open);
        fitContents();
    });
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(detailsView->toPlainText()); });

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
    if (detailsView->toPlainText() != text.details) {
        detailsView->setPlainText(text.details);
    }
    details->setVisible(!text.details.isEmpty());
    fitContents();
}

} // namespace vellum
