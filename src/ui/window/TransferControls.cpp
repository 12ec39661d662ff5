#include "ui/window/TransferControls.h"

#include "ui/kit/IconButton.h"
#include "ui/window/CommandActions.h"

#include <QVBoxLayout>

namespace vellum {

TransferControls::TransferControls(VellumViewModel& /*session*/, CommandActions& actions,
                                   QWidget* parent)
    : QWidget(parent),
      toFloppyButton(new IconButton(IconName::chevronRight, IconButton::Kind::arrow, this)),
      toComputerButton(new IconButton(IconName::chevronLeft, IconButton::Kind::arrow, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addStretch(1);
    column->addWidget(toFloppyButton, 0, Qt::AlignHCenter);
    column->addWidget(toComputerButton, 0, Qt::AlignHCenter);
    column->addStretch(1);
    actions.bind(toFloppyButton, CommandId::copyToFloppy);
    actions.bind(toComputerButton, CommandId::copyToComputer);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

} // namespace vellum
