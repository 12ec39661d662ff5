#include "ui/kit/PaneChromeTitle.h"

#include "ui/kit/Icons.h"
#include "ui/kit/Labels.h"
#include "ui/kit/StyleRoles.h"

#include <QHBoxLayout>

namespace vellum {

PaneChromeTitle::PaneChromeTitle(const QIcon& icon, const QString& title, QWidget* parent)
    : QWidget(parent), iconView(new IconView(icon, 18, this)),
      titleLabel(new ElidedLabel(title, this)), row(new QHBoxLayout(this)) {
    setStyleRole(titleLabel, StyleRole::title);
    row->setContentsMargins(2, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(iconView);
    row->addWidget(titleLabel, 1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void PaneChromeTitle::setIcon(const QIcon& icon) {
    iconView->setIcon(icon);
}

void PaneChromeTitle::setTitle(const QString& title) {
    titleLabel->setText(title);
}

QString PaneChromeTitle::title() const {
    return titleLabel->fullText();
}

void PaneChromeTitle::setTitleToolTip(const QString& toolTip) {
    titleLabel->setFixedToolTip(toolTip);
}

QString PaneChromeTitle::titleToolTip() const {
    return titleLabel->toolTip();
}

void PaneChromeTitle::setTrailingWidget(QWidget* widget) {
    if (trailing == widget) {
        return;
    }
    delete trailing;
    trailing = widget;
    if (widget) {
        row->addWidget(widget, 0, Qt::AlignVCenter);
    }
}

} // namespace vellum
