#include "ui/window/Toolbars.h"

#include "ui/kit/CompactActionButton.h"
#include "ui/kit/Icons.h"
#include "ui/window/CommandActions.h"

namespace vellum {

namespace {

struct ToolbarEntry {
    QIcon icon;
    QString title;
    Command command;
};

void addEntries(ToolbarRow& row, CommandActions& actions, const QList<ToolbarEntry>& entries) {
    for (const ToolbarEntry& entry : entries) {
        actions.bind(row.addButton(entry.icon, entry.title), entry.command);
    }
}

} // namespace

ComputerToolbar::ComputerToolbar(VellumViewModel& /*session*/, CommandActions& actions,
                                 QWidget* parent)
    : ToolbarRow(parent) {
    setObjectName(QStringLiteral("computerToolbar"));
    addEntries(*this, actions,
               {
                   {themedIcon(IconName::up), tr("Up"), Command::parentFolder},
                   {themedIcon(IconName::refresh), tr("Refresh"), Command::refresh},
                   {themedIcon(IconName::openFolder), tr("Open"), Command::openFolder},
                   {themedIcon(IconName::newFolder), tr("New Folder"), Command::newFolder},
                   {themedIcon(IconName::rename), tr("Rename"), Command::renameLocal},
                   {themedIcon(IconName::trash), tr("Delete"), Command::deleteLocal},
               });
}

FloppyToolbar::FloppyToolbar(VellumViewModel& /*session*/, CommandActions& actions, QWidget* parent)
    : ToolbarRow(parent) {
    setObjectName(QStringLiteral("floppyToolbar"));
    addEntries(*this, actions,
               {
                   {themedIcon(IconName::directory), tr("Directory"), Command::readDirectory},
                   {driveTransferIcon(true), tr("Save"), Command::saveD64},
                   {driveTransferIcon(false), tr("Write"), Command::writeD64},
                   {themedIcon(IconName::format), tr("Format"), Command::formatFloppy},
                   {themedIcon(IconName::init), tr("Init"), Command::initializeDisk},
                   {themedIcon(IconName::reset), tr("Reset"), Command::resetBus},
                   {themedIcon(IconName::rename), tr("Rename"), Command::renameFloppy},
                   {themedIcon(IconName::trash), tr("Delete"), Command::deleteFloppy},
               });
}

} // namespace vellum
