#include "ui/kit/NavigatorPane.h"

#include "ui/kit/StyleRoles.h"

#include <QVBoxLayout>

namespace vellum {

NavigatorPane::NavigatorPane(QWidget* parent) : QFrame(parent), content(new QVBoxLayout(this)) {
    setStyleRole(this, StyleRole::pane);
    setStyleFlag(this, "highlighted", false);
    content->setContentsMargins(10, 8, 10, 8);
    content->setSpacing(6);
}

void NavigatorPane::setHighlighted(bool highlighted) {
    setStyleFlag(this, "highlighted", highlighted);
}

bool NavigatorPane::isHighlighted() const {
    return property("highlighted").toBool();
}

} // namespace vellum
