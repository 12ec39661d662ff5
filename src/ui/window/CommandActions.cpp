#include "ui/window/CommandActions.h"

#include "session/VellumViewModel.h"
#include "ui/kit/Icons.h"
#include "ui/kit/KitButton.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace vellum {

CommandActions::CommandActions(VellumViewModel& session, QWidget* window)
    : QObject(window), commands(session.commandRegistry()), window(window) {
    for (const CommandId id : commands.ids()) {
        auto* created = new QAction(this);
        const QKeySequence shortcut(commands.entry(id).shortcut);
        created->setShortcut(shortcut);
        // Every shortcut works in the whole main window, whether or not its menu item exists.
        created->setShortcutContext(Qt::WindowShortcut);
        if (!shortcut.isEmpty()) {
            window->addAction(created);
        }
        if (id == CommandId::selectAll) {
            connect(created, &QAction::triggered, this, &CommandActions::selectAll);
        } else {
            connect(created, &QAction::triggered, this, [this, id] { commands.trigger(id); });
        }
        actions.insert(id, created);
    }
    action(CommandId::quit)->setMenuRole(QAction::QuitRole);
    action(CommandId::preferences)->setMenuRole(QAction::PreferencesRole);
    action(CommandId::about)->setMenuRole(QAction::AboutRole);
    connect(&commands, &CommandRegistry::quitRequested, this, &QApplication::closeAllWindows);

    connect(&commands, &CommandRegistry::changed, this, &CommandActions::refresh);
    // The status toggle answers at once: its menu line may be open.
    for (auto signal :
         {&WindowState::statusSidebarForcedChanged, &WindowState::statusToggleAvailableChanged}) {
        connect(&session.window(), signal, this, &CommandActions::refresh);
    }
    refresh();
}

QIcon CommandActions::icon(CommandId id) const {
    const QString name = commands.entry(id).iconName;
    if (name.isEmpty()) {
        return {};
    }
    // The drive transfer symbols are drawn, not read from a file.
    if (name == QLatin1String("save-from-drive") || name == QLatin1String("write-to-drive")) {
        return driveTransferIcon(name == QLatin1String("save-from-drive"));
    }
    for (const IconName symbol : allIconNames()) {
        if (freedesktopIconNames(symbol).contains(name) ||
            bundledIconPath(symbol).endsWith(QLatin1Char('/') + name + QLatin1String(".svg"))) {
            return themedIcon(symbol);
        }
    }
    return QIcon::fromTheme(name);
}

void CommandActions::selectAll() {
    // A text field keeps Select All for its own text.
    QWidget* focused = QApplication::focusWidget();
    if (auto* field = qobject_cast<QLineEdit*>(focused)) {
        field->selectAll();
    } else if (auto* text = qobject_cast<QTextEdit*>(focused)) {
        text->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused)) {
        plain->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focused)) {
        spin->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit()) {
        combo->lineEdit()->selectAll();
    } else {
        commands.trigger(CommandId::selectAll);
    }
}

void CommandActions::bind(QAbstractButton* button, CommandId id) {
    bindings.append({button, id});
    connect(button, &QAbstractButton::clicked, action(id), &QAction::trigger);
    updateBinding(bindings.last());
}

void CommandActions::updateBinding(const Binding& binding) {
    if (!binding.button) {
        return;
    }
    binding.button->setEnabled(action(binding.id)->isEnabled());
    // A button whose command has no help of its own names itself, which matters once a
    // narrow toolbar has dropped its title.
    QString tip = commands.help(binding.id);
    if (tip.isEmpty()) {
        tip = binding.button->text();
    }
    if (auto* kit = qobject_cast<KitButton*>(binding.button.data())) {
        kit->setHelp(tip);
    } else {
        binding.button->setToolTip(tip);
    }
}

void CommandActions::refresh() {
    for (auto it = actions.cbegin(); it != actions.cend(); ++it) {
        it.value()->setEnabled(commands.isEnabled(it.key()));
        it.value()->setText(commands.title(it.key()));
    }
    for (const Binding& binding : bindings) {
        updateBinding(binding);
    }
    emit refreshed();
}

} // namespace vellum
