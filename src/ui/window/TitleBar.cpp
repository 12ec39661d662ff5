#include "ui/window/TitleBar.h"

#include "ui/kit/AppBrandMark.h"
#include "ui/kit/HeaderIconButton.h"

#include <QHBoxLayout>

namespace vellum {

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent), brand(new AppBrandMark(false, this)),
      toggle(new HeaderIconButton(IconName::sidebarShow, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(brand, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(toggle, 0, Qt::AlignVCenter);
    connect(brand, &AppBrandMark::aboutRequested, this, &TitleBar::aboutRequested);
    connect(toggle, &QAbstractButton::clicked, this, &TitleBar::statusToggleRequested);
    setArrangement(false, false, false);
}

void TitleBar::setArrangement(bool compactBrand, bool showsStatusToggle, bool statusForced) {
    brand->setCompact(compactBrand);
    toggle->setVisible(showsStatusToggle);
    toggle->setSymbol(statusForced ? IconName::sidebarHide : IconName::sidebarShow);
    toggle->setHelp(statusForced ? tr("Hide status") : tr("Show status"));
}

} // namespace vellum
