#include "ui/kit/Icons.h"

#include "ui/kit/Theme.h"
#include "ui/kit/TintedIconEngine.h"

#include <QPainter>

namespace vellum {

namespace {

struct IconEntry {
    IconName name;
    const char* file;
    QStringList freedesktop;
};

const QList<IconEntry>& iconTable() {
    static const QList<IconEntry> table{
        {IconName::up, "up", {"go-up"}},
        {IconName::refresh, "refresh", {"view-refresh"}},
        {IconName::openFolder, "open-folder", {"folder-open", "document-open"}},
        {IconName::newFolder, "new-folder", {"folder-new"}},
        {IconName::rename, "rename", {"edit-rename", "document-edit"}},
        {IconName::trash, "trash", {"user-trash", "edit-delete"}},
        {IconName::directory, "directory", {"folder"}},
        {IconName::saveFromDrive, "save-from-drive", {}},
        {IconName::writeToDrive, "write-to-drive", {}},
        {IconName::format, "format", {"edit-clear"}},
        {IconName::init, "init", {}},
        {IconName::reset, "reset", {}},
        {IconName::detect, "detect", {}},
        {IconName::adapter, "adapter", {}},
        {IconName::drive, "drive", {}},
        {IconName::stop, "stop", {"process-stop"}},
        {IconName::sidebarShow, "sidebar-show", {"sidebar-show-right", "view-right-new"}},
        {IconName::sidebarHide, "sidebar-hide", {"sidebar-hide-right", "view-right-close"}},
        {IconName::drop, "drop", {"document-import"}},
        {IconName::checkCircle, "check-circle", {"emblem-ok", "emblem-default"}},
        {IconName::emptyCircle, "empty-circle", {}},
        {IconName::folderFilled, "folder-filled", {"folder"}},
        {IconName::diskImage, "disk-image", {"media-floppy"}},
        {IconName::document, "document", {"text-x-generic"}},
        {IconName::copy, "copy", {"edit-copy"}},
        {IconName::chevronLeft, "chevron-left", {"go-previous"}},
        {IconName::chevronRight, "chevron-right", {"go-next"}},
        {IconName::chevronDown, "chevron-down", {"go-down"}},
    };
    return table;
}

const IconEntry& entryOf(IconName name) {
    for (const IconEntry& entry : iconTable()) {
        if (entry.name == name) {
            return entry;
        }
    }
    return iconTable().front();
}

} // namespace

const QList<IconName>& allIconNames() {
    static const QList<IconName> names = [] {
        QList<IconName> all;
        for (const IconEntry& entry : iconTable()) {
            all.append(entry.name);
        }
        return all;
    }();
    return names;
}

QString bundledIconPath(IconName name) {
    return QStringLiteral(":/vellum/icons/%1.svg").arg(QLatin1String(entryOf(name).file));
}

QStringList freedesktopIconNames(IconName name) {
    return entryOf(name).freedesktop;
}

QIcon themedIcon(IconName name) {
    return QIcon(new TintedIconEngine(bundledIconPath(name), TintedIconEngine::themeText(),
                                      freedesktopIconNames(name)));
}

QIcon tintedIcon(IconName name, const QColor& tint) {
    return QIcon(new TintedIconEngine(bundledIconPath(name), TintedIconEngine::fixed(tint)));
}

QString appLogoPath() {
    return QStringLiteral(":/vellum/AppLogo.svg");
}

QIcon driveTransferIcon(bool down) {
    return themedIcon(down ? IconName::saveFromDrive : IconName::writeToDrive);
}

QIcon appLogoIcon() {
    return QIcon(new TintedIconEngine(appLogoPath(), TintedIconEngine::ownColours()));
}

IconView::IconView(const QIcon& icon, int side, QWidget* parent)
    : QWidget(parent), shown(icon), iconSide(side) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void IconView::setIcon(const QIcon& icon) {
    shown = icon;
    update();
}

void IconView::setSide(int side) {
    iconSide = side;
    updateGeometry();
    update();
}

void IconView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    shown.paint(&painter, rect(), Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

} // namespace vellum
