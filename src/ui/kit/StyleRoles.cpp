#include "ui/kit/StyleRoles.h"

#include "ui/kit/Theme.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QVariant>
#include <QWidget>
#include <optional>

namespace vellum {

namespace {

// Set on the widgets whose palette the style changed, so that leaving System gives them
// the application's palette back.
constexpr const char* dressedPalette = "vellumDressedPalette";

void repolish(QWidget* widget) {
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

QString roleOf(const QWidget* widget) {
    return widget ? widget->property("vellumRole").toString() : QString();
}

bool flagOf(const QWidget* widget, const char* name) {
    return widget->property(name).toBool();
}

void polishFont(QWidget* widget, const QString& role, const ThemeFonts& fonts) {
    if (role == StyleRole::heading) {
        widget->setFont(fonts.heading);
    } else if (role == StyleRole::listing) {
        widget->setFont(fonts.listing);
    } else if (role == StyleRole::code) {
        widget->setFont(fonts.code);
    } else if (role == StyleRole::title) {
        QFont bold = widget->font();
        bold.setBold(true);
        widget->setFont(bold);
    } else if (widget->objectName() == QLatin1String("filterCheck")) {
        widget->setFont(fonts.small);
    }
}

// The text colour of a role under System; invalid where the platform's own is right.
QColor systemTextColor(const QString& role, const ThemeColors& colors) {
    if (role == StyleRole::heading) {
        return colors.heading;
    }
    if (role == StyleRole::secondary) {
        return colors.secondaryText;
    }
    if (role == StyleRole::warning) {
        return colors.warning;
    }
    return {};
}

void polishSystemColors(QWidget* widget, const QString& role, const ThemeColors& colors) {
    QColor text = systemTextColor(role, colors);
    if (qobject_cast<QAbstractButton*>(widget) && flagOf(widget, "destructive")) {
        text = colors.destructiveFill;
    }
    if (!text.isValid()) {
        return;
    }
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Text, text);
    }
    widget->setPalette(palette);
    widget->setProperty(dressedPalette, true);
}

struct Surface {
    QColor fill;
    QColor border;
    qreal borderWidth = 1;
    qreal radius = 0;
};

// The surface a role is drawn on under System, in the platform's colours.
std::optional<Surface> systemSurface(const QWidget* widget, const ThemeColors& colors) {
    const QString role = roleOf(widget);
    if (role == StyleRole::pane) {
        if (flagOf(widget, "highlighted")) {
            return Surface{colors.dropTargetFill, colors.dropTargetBorder, 2, 10};
        }
        return Surface{colors.panelBackground,
                       flagOf(widget, "paneFocus") ? colors.focusRing : colors.line, 1, 10};
    }
    if (role == StyleRole::card) {
        return Surface{colors.card, colors.line, 1, 8};
    }
    if (role == StyleRole::floating) {
        return Surface{colors.windowBackground, colors.line, 1, 10};
    }
    if (role == StyleRole::toolbar) {
        return Surface{withOpacity(colors.text, 0.04), QColor(), 0, 8};
    }
    if (role == StyleRole::code) {
        return Surface{colors.lightFill, QColor(), 0, 4};
    }
    return std::nullopt;
}

} // namespace

void setStyleRole(QWidget* widget, const QString& role) {
    widget->setAttribute(Qt::WA_StyledBackground, true);
    widget->setProperty("vellumRole", role);
    repolish(widget);
}

void setStyleFlag(QWidget* widget, const char* name, bool on) {
    if (widget->property(name).toBool() == on && widget->property(name).isValid()) {
        return;
    }
    widget->setProperty(name, on);
    repolish(widget);
}

RoleStyle::RoleStyle(QStyle* base) : QProxyStyle(base) {}

void RoleStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    const Theme& theme = Theme::shared();
    const QString role = roleOf(widget);
    polishFont(widget, role, theme.fonts());
    if (theme.appearance() == AppAppearance::system) {
        polishSystemColors(widget, role, theme.colors());
    }
}

void RoleStyle::unpolish(QWidget* widget) {
    if (flagOf(widget, dressedPalette)) {
        widget->setPalette(QPalette());
        widget->setProperty(dressedPalette, QVariant());
    }
    QProxyStyle::unpolish(widget);
}

void RoleStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    if (element == PE_Widget && widget && Theme::shared().appearance() == AppAppearance::system) {
        if (const auto surface = systemSurface(widget, Theme::shared().colors())) {
            const qreal inset = surface->borderWidth / 2;
            QPainterPath outline;
            outline.addRoundedRect(QRectF(option->rect).adjusted(inset, inset, -inset, -inset),
                                   surface->radius, surface->radius);
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->fillPath(outline, surface->fill);
            if (surface->borderWidth > 0) {
                painter->strokePath(outline, QPen(surface->border, surface->borderWidth));
            }
            painter->restore();
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void paintDropTarget(QPainter& painter, const QRectF& area) {
    const ThemeColors& colors = Theme::shared().colors();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colors.dropTargetBorder, 1.5));
    painter.setBrush(colors.dropTargetFill);
    painter.drawRoundedRect(area.adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
    painter.restore();
}

} // namespace vellum
