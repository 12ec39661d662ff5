#include "ui/kit/StyleRoles.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace vellum {

namespace {

void repolish(QWidget* widget) {
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
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

} // namespace vellum
