#include "ui/kit/IconButton.h"

namespace vellum {

IconButton::IconButton(IconName symbol, Kind kind, QWidget* parent) : QToolButton(parent) {
    const bool arrow = kind == Kind::arrow;
    const int side = arrow ? 36 : 28;
    const int iconSide = arrow ? 20 : 17;
    setProperty("iconButton", arrow ? QStringLiteral("arrow") : QStringLiteral("header"));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAutoRaise(!arrow);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(side, side);
    setIconSize(QSize(iconSide, iconSide));
    setSymbol(symbol);
}

void IconButton::setSymbol(IconName symbol) {
    setIcon(themedIcon(symbol));
}

void IconButton::setHelp(const QString& help) {
    setToolTip(help);
    setAccessibleName(help);
}

} // namespace vellum
