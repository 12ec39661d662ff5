#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QWidget>

namespace vellum {

// The symbols the window shows, by our own names.
enum class IconName {
    up,
    refresh,
    openFolder,
    newFolder,
    rename,
    trash,
    directory,
    saveFromDrive,
    writeToDrive,
    format,
    init,
    reset,
    detect,
    adapter,
    drive,
    stop,
    sidebarShow,
    sidebarHide,
    drop,
    checkCircle,
    emptyCircle,
    folderFilled,
    diskImage,
    document,
    copy,
    chevronLeft,
    chevronRight,
    chevronDown,
};

const QList<IconName>& allIconNames();

// The bundled artwork of a symbol (":/vellum/icons/….svg").
QString bundledIconPath(IconName name);

// The freedesktop icon names that System tries before the bundled artwork; empty for the
// symbols that no icon theme names (the drive symbols stay ours everywhere).
QStringList freedesktopIconNames(IconName name);

// The icon of a symbol in the current theme. The icon follows later theme changes by
// itself: System draws the platform icon theme's symbol when it has one, the C64 themes
// always draw the bundled set, tinted with the theme's text colour.
QIcon themedIcon(IconName name);

// The bundled symbol in one fixed colour, whatever the theme (status marks).
QIcon tintedIcon(IconName name, const QColor& tint);

// The application's logo, in its own colours.
// The drive with an arrow: down for saving the floppy to an image, up for writing an image
// to the floppy.
QIcon driveTransferIcon(bool down);

QIcon appLogoIcon();
QString appLogoPath();

// A symbol at a fixed size, redrawn when the theme changes (a label's pixmap would keep the
// old theme's colours).
class IconView : public QWidget {
    Q_OBJECT

public:
    explicit IconView(const QIcon& icon = {}, int side = 16, QWidget* parent = nullptr);

    void setIcon(const QIcon& icon);
    QIcon icon() const { return shown; }
    void setSide(int side);

    QSize sizeHint() const override { return {iconSide, iconSide}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon shown;
    int iconSide;
};

} // namespace vellum
