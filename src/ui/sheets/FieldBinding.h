#pragma once

#include "ui/sheets/DialogFrame.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <optional>

namespace vellum {

// Two-way ties between a sheet's controls and the session's observed fields. The user's
// edits go to the session at once; the session's own changes (a field upper-cased on
// confirm) come back without disturbing an edit that already shows the same text.

template <typename State>
void bindText(QLineEdit* field, State& state, const QString& (State::*get)() const,
              void (State::*set)(const QString&), void (State::*changed)()) {
    field->setText((state.*get)());
    QObject::connect(field, &QLineEdit::textEdited, &state,
                     [&state, set](const QString& text) { (state.*set)(text); });
    QObject::connect(&state, changed, field, [field, &state, get] {
        const QString& value = (state.*get)();
        if (field->text() != value) {
            field->setText(value);
        }
    });
}

template <typename State>
void bindCheck(QCheckBox* box, State& state, bool (State::*get)() const, void (State::*set)(bool),
               void (State::*changed)()) {
    box->setChecked((state.*get)());
    QObject::connect(box, &QCheckBox::toggled, &state,
                     [&state, set](bool on) { (state.*set)(on); });
    QObject::connect(&state, changed, box, [box, &state, get] { box->setChecked((state.*get)()); });
}

template <typename State>
void bindError(DialogFrame* frame, State& state,
               const std::optional<QString>& (State::*get)() const, void (State::*changed)()) {
    frame->setError((state.*get)());
    QObject::connect(&state, changed, frame,
                     [frame, &state, get] { frame->setError((state.*get)()); });
}

} // namespace vellum
