#include "ui/window/BottomStatusBar.h"

#include "session/VellumViewModel.h"
#include "ui/kit/Labels.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/window/StatusControls.h"
#include "ui/window/StatusPanel.h"

#include <QHBoxLayout>
#include <QLabel>

namespace vellum {

BottomStatusBar::BottomStatusBar(VellumViewModel& session, QWidget* parent)
    : QFrame(parent), session(session), headlineLabel(new ElidedLabel(QString(), this)),
      stop(new StopButton(session, this)), readyWord(new QLabel(this)),
      bar(new VellumProgressBar(this)) {
    setObjectName(QStringLiteral("bottomStatusBar"));
    setStyleRole(this, StyleRole::card);
    auto* heading = new QLabel(tr("STATUS"), this);
    setStyleRole(heading, StyleRole::heading);
    setStyleRole(readyWord, StyleRole::listing);
    bar->setFixedWidth(160);
    stop->setTitleBeside(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(10);
    row->addWidget(heading);
    row->addWidget(headlineLabel, 1);
    row->addWidget(stop);
    row->addWidget(readyWord);
    row->addWidget(bar);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // As tall with Stop as without, so the panes do not jump when an operation starts.
    const QMargins margins = row->contentsMargins();
    setMinimumHeight(stop->sizeHint().height() + margins.top() + margins.bottom());

    const OperationStatus& status = session.status();
    for (auto signal : {&OperationStatus::operationChanged, &OperationStatus::progressChanged,
                        &OperationStatus::statusHeadlineChanged}) {
        connect(&status, signal, this, &BottomStatusBar::follow);
    }
    follow();
}

void BottomStatusBar::follow() {
    const OperationStatus& status = session.status();
    headlineLabel->setText(status.statusHeadline());
    readyWord->setText(readinessWord(status.isIdle()));
    bar->setProgress(status.progress());
}

} // namespace vellum
