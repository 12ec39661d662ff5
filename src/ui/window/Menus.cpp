#include "ui/window/Menus.h"

#include "ui/window/CommandActions.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace vellum {

namespace {

// A negative entry stands for a divider.
void fill(QMenu* menu, const CommandActions& actions, std::initializer_list<int> entries) {
    for (int entry : entries) {
        if (entry < 0) {
            menu->addSeparator();
        } else {
            menu->addAction(actions.action(CommandId(entry)));
        }
    }
}

constexpr int divider = -1;
constexpr int item(CommandId command) {
    return int(command);
}

} // namespace

void buildMenus(QMenuBar& bar, const CommandActions& actions) {
    using C = CommandId;
    fill(bar.addMenu(QCoreApplication::translate("Menus", "&File")), actions,
         {item(C::newDiskImage), item(C::newFolder), divider, item(C::renameLocal),
          item(C::deleteSelection), divider, item(C::quit)});
    fill(bar.addMenu(QCoreApplication::translate("Menus", "&Edit")), actions,
         {item(C::selectAll), divider, item(C::preferences)});
    fill(bar.addMenu(QCoreApplication::translate("Menus", "&Drive")), actions,
         {item(C::stop), divider, item(C::detect), item(C::readDirectory), divider,
          item(C::saveD64), item(C::writeD64), item(C::copyFilesToFloppy),
          item(C::copyFileToComputer), item(C::convertT64), divider, item(C::renameFloppyFile),
          item(C::deleteFloppyFile), item(C::validateDisk), divider, item(C::initializeDisk),
          item(C::formatFloppy), divider, item(C::resetBus)});
    fill(bar.addMenu(QCoreApplication::translate("Menus", "&View")), actions,
         {item(C::toggleStatusPanel), item(C::toggleDiskMap)});
    fill(bar.addMenu(QCoreApplication::translate("Menus", "&Help")), actions,
         {item(C::help), divider, item(C::reportBug), item(C::suggestFeature), item(C::contact),
          divider, item(C::about)});
}

} // namespace vellum
