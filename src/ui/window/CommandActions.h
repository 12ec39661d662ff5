#pragma once

#include "session/CommandRegistry.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QAction;
class QWidget;

namespace vellum {

class VellumViewModel;

// A QAction for every command of the session's registry, with its title, keys and enabled
// state kept current whenever the session says its commands may have changed (not only when
// a menu opens). Buttons bound to a command follow it the same way.
class CommandActions : public QObject {
    Q_OBJECT

public:
    // `window` receives the shortcuts and is where Select All looks for a focused text field.
    CommandActions(VellumViewModel& session, QWidget* window);

    QAction* action(CommandId id) const { return actions.value(id); }
    CommandRegistry& registry() const { return commands; }
    // The command's symbol in the current theme; null for a command without one.
    QIcon icon(CommandId id) const;

    // The button triggers the command and follows its enabled state and help.
    void bind(QAbstractButton* button, CommandId id);

    // Re-reads every title and enabled state (also run by the registry's changed()).
    void refresh();

signals:
    // After every refresh.
    void refreshed();

private:
    struct Binding {
        QPointer<QAbstractButton> button;
        CommandId id;
    };

    void selectAll();
    void updateBinding(const Binding& binding);

    CommandRegistry& commands;
    QWidget* window;
    QHash<CommandId, QAction*> actions;
    QList<Binding> bindings;
};

} // namespace vellum
