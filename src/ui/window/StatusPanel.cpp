#include "ui/window/StatusPanel.h"

#include "session/VellumViewModel.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Labels.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"
#include "ui/kit/VellumProgressBar.h"
#include "ui/window/CommandActions.h"
#include "ui/window/CommanderFrame.h"
#include "ui/window/DrivePicker.h"
#include "ui/window/StatusControls.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace vellum {

namespace {

QLabel* wrappingLine(const QString& role, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setStyleRole(label, role);
    return label;
}

// A symbol, a heading that takes the room, and something small at the trailing end.
QHBoxLayout* headerRow(QWidget* symbol, QWidget* heading, QWidget* trailing = nullptr) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    if (symbol) {
        row->addWidget(symbol, 0, Qt::AlignVCenter);
    }
    row->addWidget(heading, 1, Qt::AlignVCenter);
    if (trailing) {
        row->addWidget(trailing, 0, Qt::AlignVCenter);
    }
    return row;
}

} // namespace

StatusPanel::StatusPanel(VellumViewModel& session, CommandActions& actions, QWidget* parent)
    : QWidget(parent), session(session) {
    setObjectName(QStringLiteral("statusPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(makeDetectCard(actions));
    column->addWidget(makeAdapterCard());
    column->addWidget(makeDriveCard());
    column->addWidget(makeOperationCard());
    column->addWidget(makeProgressCard());
    column->addStretch(1);
    setFixedWidth(windowMetrics::statusPanelWidth);

    const OperationStatus& status = session.status();
    const DriveState& drives = session.drives();
    for (auto signal :
         {&DriveState::zoomFloppyDetectedChanged, &DriveState::zoomFloppyDetailChanged}) {
        connect(&drives, signal, this, &StatusPanel::showAdapter);
    }
    for (auto signal : {&DriveState::driveReadyChanged, &DriveState::driveTitleChanged,
                        &DriveState::driveDetailChanged}) {
        connect(&drives, signal, this, &StatusPanel::showDrive);
    }
    for (auto signal : {&OperationStatus::operationChanged, &OperationStatus::isStoppingChanged,
                        &OperationStatus::statusHeadlineChanged}) {
        connect(&status, signal, this, &StatusPanel::showOperation);
    }
    connect(&status, &OperationStatus::operationChanged, this, &StatusPanel::showProgress);
    connect(&status, &OperationStatus::progressChanged, this, &StatusPanel::showProgress);
    connect(&Theme::shared(), &Theme::changed, this, &StatusPanel::showAdapter);
    connect(&Theme::shared(), &Theme::changed, this, &StatusPanel::showDrive);
    showAdapter();
    showDrive();
    showOperation();
    showProgress();
}

QWidget* StatusPanel::makeDetectCard(CommandActions& actions) {
    auto* card = new StatusCard(this);
    card->contentLayout()->setContentsMargins(4, 4, 4, 4);
    detect = new DetectButton(card);
    actions.bind(detect, CommandId::detect);
    card->addWidget(detect);
    return card;
}

QWidget* StatusPanel::makeAdapterCard() {
    auto* card = new StatusCard(this);
    adapterSymbol = new IconView(themedIcon(IconName::adapter), 18, card);
    adapterHeading = new QLabel(card);
    setStyleRole(adapterHeading, StyleRole::title);
    adapterBadge = new IconView({}, 16, card);
    card->contentLayout()->addLayout(headerRow(adapterSymbol, adapterHeading, adapterBadge));
    adapterLine = wrappingLine(StyleRole::secondary, card);
    card->addWidget(adapterLine);
    return card;
}

QWidget* StatusPanel::makeDriveCard() {
    auto* card = new StatusCard(this);
    driveSymbol = new IconView({}, 18, card);
    driveHeading = new ElidedLabel(QString(), card);
    setStyleRole(driveHeading, StyleRole::title);
    card->contentLayout()->addLayout(headerRow(driveSymbol, driveHeading));
    picker = new DrivePicker(session, card);
    card->addWidget(picker);
    driveLine = wrappingLine(StyleRole::secondary, card);
    card->addWidget(driveLine);
    return card;
}

QWidget* StatusPanel::makeOperationCard() {
    auto* card = new StatusCard(this);
    operationHeading = new QLabel(card);
    setStyleRole(operationHeading, StyleRole::heading);
    stop = new StopButton(session, card);
    stop->setTitleBeside(true);
    // Stop keeps its place while hidden and the headline its two lines, so the card neither
    // grows nor rewraps when an operation starts, runs or ends.
    QSizePolicy keepsPlace = stop->sizePolicy();
    keepsPlace.setRetainSizeWhenHidden(true);
    stop->setSizePolicy(keepsPlace);
    card->contentLayout()->addLayout(headerRow(nullptr, operationHeading, stop));
    headlineLabel = new ClampedLabel(2, card);
    card->addWidget(headlineLabel);
    return card;
}

QWidget* StatusPanel::makeProgressCard() {
    auto* card = new StatusCard(this);
    auto* heading = new QLabel(tr("PROGRESS"), card);
    setStyleRole(heading, StyleRole::heading);
    readyWord = new QLabel(card);
    setStyleRole(readyWord, StyleRole::listing);
    card->contentLayout()->addLayout(headerRow(nullptr, heading, readyWord));
    // The bar with its percentage at the end, in a place wide enough for "100%".
    bar = new VellumProgressBar(card);
    percentLabel = new QLabel(card);
    setStyleRole(percentLabel, StyleRole::secondary);
    percentLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percentLabel->setMinimumWidth(
        percentLabel->fontMetrics().horizontalAdvance(percentText(1.0) + QLatin1Char(' ')));
    auto* barRow = new QHBoxLayout;
    barRow->setSpacing(8);
    barRow->addWidget(bar, 1, Qt::AlignVCenter);
    barRow->addWidget(percentLabel, 0, Qt::AlignVCenter);
    card->contentLayout()->addLayout(barRow);
    return card;
}

void StatusPanel::showAdapter() {
    const DriveState& drives = session.drives();
    adapterHeading->setText(drives.zoomFloppyDetected() ? tr("ZoomFloppy detected")
                                                        : tr("ZoomFloppy not found"));
    const bool found = drives.zoomFloppyDetected();
    const ThemeColors& colors = Theme::shared().colors();
    adapterBadge->setIcon(found ? tintedIcon(IconName::checkCircle, colors.ok)
                                : tintedIcon(IconName::emptyCircle, colors.secondaryText));
    adapterBadge->setAccessibleName(found ? tr("OK") : tr("Not ready"));
    adapterLine->setText(drives.zoomFloppyDetail());
    adapterLine->setVisible(!drives.zoomFloppyDetail().isEmpty());
}

void StatusPanel::showDrive() {
    const DriveState& drives = session.drives();
    driveSymbol->setIcon(drives.driveReady()
                             ? tintedIcon(IconName::drive, Theme::shared().colors().ok)
                             : tintedIcon(IconName::drive, Theme::shared().colors().secondaryText));
    driveHeading->setText(drives.driveTitle());
    driveLine->setText(drives.driveDetail());
}

void StatusPanel::showOperation() {
    const OperationStatus& status = session.status();
    operationHeading->setText(session.commands().operationWord());
    headlineLabel->setText(status.statusHeadline());
    // The whole headline, however the label shortens it.
    headlineLabel->setFixedToolTip(status.statusHeadline());
}

void StatusPanel::showProgress() {
    const OperationStatus& status = session.status();
    readyWord->setText(readinessWord(status.isIdle()));
    bar->setProgress(status.progress());
    percentLabel->setText(percentText(status.progress()));
}

StatusCard::StatusCard(QWidget* parent) : QFrame(parent), content(new QVBoxLayout(this)) {
    setStyleRole(this, StyleRole::card);
    content->setContentsMargins(12, 10, 12, 10);
    content->setSpacing(6);
}

void StatusCard::addWidget(QWidget* widget) {
    content->addWidget(widget);
}

QString readinessWord(bool idle) {
    return idle ? QCoreApplication::translate("Status", "READY.")
                : QCoreApplication::translate("Status", "BUSY.");
}

QString percentText(double progress) {
    return QString::number(VellumProgressBar::wholePercent(progress)) + QLatin1Char('%');
}

} // namespace vellum
