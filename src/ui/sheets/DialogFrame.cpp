#include "ui/sheets/DialogFrame.h"

#include "ui/kit/StyleRoles.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vellum {

namespace {

QLabel* wrappingLabel(const QString& role, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    setStyleRole(label, role);
    return label;
}

} // namespace

DialogFrame::DialogFrame(QWidget* parent)
    : QDialog(parent), titleLabel(wrappingLabel(StyleRole::title, this)),
      messageLabel(wrappingLabel(StyleRole::secondary, this)), fields(new QWidget(this)),
      fieldRows(new QVBoxLayout(fields)), errorLabel(wrappingLabel(StyleRole::warning, fields)),
      buttons(new QDialogButtonBox(Qt::Horizontal, this)) {
    messageLabel->hide();
    errorLabel->hide();
    // Hidden until the first field arrives, so a confirmation has no gap where fields go.
    fields->hide();
    fieldRows->setContentsMargins(0, 0, 0, 0);
    fieldRows->setSpacing(12);
    fieldRows->addWidget(errorLabel);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* header = new QVBoxLayout;
    header->setSpacing(6);
    header->addWidget(titleLabel);
    header->addWidget(messageLabel);

    // Hidden parts take no room, and neither does the spacing around them.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, 20);
    column->setSpacing(16);
    column->addLayout(header);
    column->addWidget(fields);
    // The buttons stand a little further off than the fields.
    column->addSpacing(8);
    column->addStretch(1);
    column->addWidget(buttons);
    setMinimumWidth(qMax(460, fontMetrics().averageCharWidth() * 70));
}

void DialogFrame::setTitle(const QString& title) {
    titleLabel->setText(title);
    setWindowTitle(title);
}

QString DialogFrame::title() const {
    return titleLabel->text();
}

void DialogFrame::setMessage(const QString& message, MessageStyle style) {
    messageLabel->setText(message);
    messageLabel->setVisible(!message.isEmpty());
    setStyleRole(messageLabel, style == MessageStyle::secondary ? StyleRole::secondary : QString());
    fitContents();
}

QString DialogFrame::message() const {
    return messageLabel->text();
}

QLineEdit* DialogFrame::addTextField(const QString& label, bool newRow, int stretch) {
    auto* field = new QLineEdit(fields);
    addLabelled(field, label, newRow, stretch);
    return field;
}

QComboBox* DialogFrame::addChoiceField(const QString& label, const QStringList& choices,
                                       bool newRow, int stretch) {
    auto* field = new QComboBox(fields);
    field->addItems(choices);
    addLabelled(field, label, newRow, stretch);
    return field;
}

void DialogFrame::addLabelled(QWidget* field, const QString& label, bool newRow, int stretch) {
    // The rows of fields come before the error line, the last item.
    const int rowCount = fieldRows->count() - 1;
    auto* row = qobject_cast<QHBoxLayout*>(rowCount > 0 ? fieldRows->itemAt(rowCount - 1)->layout()
                                                        : nullptr);
    if (newRow || !row) {
        row = new QHBoxLayout;
        row->setSpacing(12);
        fieldRows->insertLayout(rowCount, row);
    }
    fields->show();
    auto* heading = new QLabel(label, fields);
    setStyleRole(heading, StyleRole::heading);
    field->setAccessibleName(label);
    heading->setBuddy(field);

    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(heading);
    column->addWidget(field);
    row->addLayout(column, stretch);
}

void DialogFrame::addControl(QWidget* control) {
    fields->show();
    control->setParent(fields);
    fieldRows->insertWidget(fieldRows->count() - 1, control);
}

void DialogFrame::setError(const std::optional<QString>& error) {
    errorLabel->setText(error.value_or(QString()));
    errorLabel->setVisible(error.has_value() && !error->isEmpty());
    fitContents();
}

std::optional<QString> DialogFrame::error() const {
    if (errorLabel->isHidden()) {
        return std::nullopt;
    }
    return errorLabel->text();
}

QPushButton* DialogFrame::addCancelButton(const QString& title) {
    return buttons->addButton(title, QDialogButtonBox::RejectRole);
}

QPushButton* DialogFrame::addButton(const QString& title, QDialogButtonBox::ButtonRole role) {
    return buttons->addButton(title, role);
}

void DialogFrame::makeDefault(QPushButton* button) {
    for (QPushButton* other : buttons->findChildren<QPushButton*>()) {
        if (other != button) {
            other->setDefault(false);
        }
    }
    button->setDefault(true);
}

QPushButton* DialogFrame::addSheetButtons(const QString& confirmTitle) {
    addCancelButton(tr("Cancel"));
    QPushButton* confirm = addButton(confirmTitle, QDialogButtonBox::AcceptRole);
    connect(confirm, &QPushButton::clicked, this, &DialogFrame::confirmRequested);
    makeDefault(confirm);
    return confirm;
}

void DialogFrame::startIn(QLineEdit* field) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void DialogFrame::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitContents();
}

void DialogFrame::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // A theme chosen while the dialog is open gives its controls other heights, known once
    // every child has taken the new style.
    if (event->type() == QEvent::StyleChange) {
        QTimer::singleShot(0, this, &DialogFrame::fitContents);
    }
}

void DialogFrame::fitContents() {
    if (!isVisible()) {
        return;
    }
    // Word-wrapped lines need their height for the width they get; the layout's minimum
    // alone would squeeze the fields when an error line appears in an open sheet.
    layout()->activate();
    const int width = qMax(this->width(), minimumWidth());
    const int height = hasHeightForWidth() ? heightForWidth(width) : sizeHint().height();
    resize(width, qMax(height, minimumSizeHint().height()));
}

} // namespace vellum
