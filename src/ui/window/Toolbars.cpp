#include "ui/window/Toolbars.h"

#include "ui/kit/CompactActionButton.h"
#include "ui/window/CommandActions.h"

namespace vellum {

namespace {

// Each button shows its command's symbol and button title.
void addButtons(ToolbarRow& row, CommandActions& actions, std::initializer_list<CommandId> ids) {
    for (const CommandId id : ids) {
        actions.bind(row.addButton(actions.icon(id), actions.registry().buttonTitle(id)), id);
    }
}

} // namespace

ComputerToolbar::ComputerToolbar(VellumViewModel& /*session*/, CommandActions& actions,
                                 QWidget* parent)
    : ToolbarRow(parent) {
    setObjectName(QStringLiteral("computerToolbar"));
    using C = CommandId;
    addButtons(
        *this, actions,
        {C::parentFolder, C::refresh, C::openFolder, C::newFolder, C::renameLocal, C::deleteLocal});
}

FloppyToolbar::FloppyToolbar(VellumViewModel& /*session*/, CommandActions& actions, QWidget* parent)
    : ToolbarRow(parent) {
    setObjectName(QStringLiteral("floppyToolbar"));
    using C = CommandId;
    addButtons(*this, actions,
               {C::readDirectory, C::saveD64, C::writeD64, C::formatFloppy, C::initializeDisk,
                C::resetBus, C::renameFloppy, C::deleteFloppy});
}

} // namespace vellum
