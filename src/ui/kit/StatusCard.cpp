#include "ui/kit/StatusCard.h"

#include "ui/kit/StyleRoles.h"

#include <QVBoxLayout>

namespace vellum {

StatusCard::StatusCard(QWidget* parent) : QFrame(parent), content(new QVBoxLayout(this)) {
    setStyleRole(this, StyleRole::card);
    content->setContentsMargins(12, 10, 12, 10);
    content->setSpacing(6);
}

void StatusCard::addWidget(QWidget* widget) {
    content->addWidget(widget);
}

} // namespace vellum
