#include "ui/panes/PaneContextMenu.h"

#include <QMenu>

namespace vellum {

QMenu* buildContextMenu(const QList<ContextAction>& actions, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const ContextAction& line : actions) {
        if (line.isSeparator) {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(line.title);
        item->setEnabled(line.enabled);
        if (line.action) {
            QObject::connect(item, &QAction::triggered, menu, [action = line.action] { action(); });
        }
    }
    return menu;
}

} // namespace vellum
