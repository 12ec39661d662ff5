#pragma once

#include "ui/window/Command.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QAction;
class QWidget;

namespace vellum {

class VellumViewModel;

// The QActions of every command: their titles, shortcuts, enabled states and help texts,
// kept current whenever the session says its rules may have changed (not only when a menu
// opens), and what each one does. Buttons bound to a command follow the same rule.
class CommandActions : public QObject {
    Q_OBJECT

public:
    // `window` receives the shortcuts and is where Select All looks for a focused text field.
    CommandActions(VellumViewModel& session, QWidget* window);

    QAction* action(Command command) const { return actions.value(command); }
    // The tooltip of the command's buttons; empty for none.
    QString help(Command command) const;

    // The button triggers the command and follows its enabled state and help.
    void bind(QAbstractButton* button, Command command);

    // The status panel toggle only means something in narrow windows.
    void setStatusToggleAvailable(bool available);

    // Re-reads every rule and text (also run by the session's commandsChanged).
    void refresh();

signals:
    // After every refresh.
    void refreshed();

private:
    struct Binding {
        QPointer<QAbstractButton> button;
        Command command;
    };

    QAction* make(Command command, const QString& title, const QKeySequence& shortcut = {});
    void run(Command command);
    bool isEnabled(Command command) const;
    void selectAll();
    void updateBinding(const Binding& binding);

    VellumViewModel& session;
    QWidget* window;
    QHash<Command, QAction*> actions;
    QList<Binding> bindings;
    bool statusToggleAvailable = false;
};

} // namespace vellum
