#include "ui/window/Toolbars.h"

#include "ui/kit/CompactActionButton.h"
#include "ui/kit/DriveTransferIcon.h"
#include "ui/kit/Icons.h"
#include "ui/window/CommandActions.h"

namespace vellum {

ComputerToolbar::ComputerToolbar(VellumViewModel& /*session*/, CommandActions& actions,
                                 QWidget* parent)
    : ToolbarRow(parent) {
    setObjectName(QStringLiteral("computerToolbar"));
    struct Entry {
        IconName icon;
        QString title;
        Command command;
    };
    const QList<Entry> entries{
        {IconName::up, tr("Up"), Command::parentFolder},
        {IconName::refresh, tr("Refresh"), Command::refresh},
        {IconName::openFolder, tr("Open"), Command::openFolder},
        {IconName::newFolder, tr("New Folder"), Command::newFolder},
        {IconName::rename, tr("Rename"), Command::renameLocal},
        {IconName::trash, tr("Delete"), Command::deleteLocal},
    };
    for (const Entry& entry : entries)
        actions.bind(addButton(themedIcon(entry.icon), entry.title), entry.command);
}

FloppyToolbar::FloppyToolbar(VellumViewModel& /*session*/, CommandActions& actions, QWidget* parent)
    : ToolbarRow(parent) {
    setObjectName(QStringLiteral("floppyToolbar"));
    struct Entry {
        QIcon icon;
        QString title;
        Command command;
    };
    const QList<Entry> entries{
        {themedIcon(IconName::directory), tr("Directory"), Command::readDirectory},
        {DriveTransferIcon::icon(true), tr("Save"), Command::saveD64},
        {DriveTransferIcon::icon(false), tr("Write"), Command::writeD64},
        {themedIcon(IconName::format), tr("Format"), Command::formatFloppy},
        {themedIcon(IconName::init), tr("Init"), Command::initializeDisk},
        {themedIcon(IconName::reset), tr("Reset"), Command::resetBus},
        {themedIcon(IconName::rename), tr("Rename"), Command::renameFloppy},
        {themedIcon(IconName::trash), tr("Delete"), Command::deleteFloppy},
    };
    for (const Entry& entry : entries)
        actions.bind(addButton(entry.icon, entry.title), entry.command);
}

} // namespace vellum
