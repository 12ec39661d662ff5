#include "ui/panes/PaneOverlays.h"

#include "ui/kit/Icons.h"
#include "ui/kit/LogoView.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace vellum {

namespace {

constexpr int logoSide = 72;
constexpr int logoRadius = 16;
constexpr int dropSymbolSide = 28;

QLabel* centredLabel(const QString& role, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    setStyleRole(label, role);
    return label;
}

} // namespace

EmptyStateView::EmptyStateView(bool withLogo, QWidget* parent)
    : QWidget(parent), titleLabel(centredLabel(StyleRole::title, this)),
      detailLabel(centredLabel(StyleRole::secondary, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(6);
    column->addStretch(2);
    if (withLogo) {
        logo = new LogoView(logoSide, logoRadius, this);
        column->addWidget(logo, 0, Qt::AlignHCenter);
        column->addSpacing(8);
    }
    column->addWidget(titleLabel);
    column->addWidget(detailLabel);
    column->addStretch(3);
    detailLabel->hide();
}

void EmptyStateView::setTexts(const QString& title, const QString& detail) {
    titleLabel->setText(title);
    detailLabel->setText(detail);
    detailLabel->setVisible(!detail.isEmpty());
}

QString EmptyStateView::title() const {
    return titleLabel->text();
}

QString EmptyStateView::detail() const {
    return detailLabel->text();
}

DropHintView::DropHintView(QWidget* parent)
    : QWidget(parent), card(new QWidget(this)), label(new QLabel(card)) {
    setStyleRole(label, StyleRole::title);
    label->setAlignment(Qt::AlignCenter);
    auto* cardColumn = new QVBoxLayout(card);
    cardColumn->setContentsMargins(22, 16, 22, 16);
    cardColumn->setSpacing(8);
    cardColumn->addWidget(new IconView(themedIcon(IconName::drop), dropSymbolSide, card), 0,
                          Qt::AlignHCenter);
    cardColumn->addWidget(label);
    auto* centre = new QVBoxLayout(this);
    centre->addStretch();
    centre->addWidget(card, 0, Qt::AlignCenter);
    centre->addStretch();
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void DropHintView::setText(const QString& text) {
    label->setText(text);
}

QString DropHintView::text() const {
    return label->text();
}

void DropHintView::paintEvent(QPaintEvent*) {
    const ThemeColors& colors = Theme::shared().colors();
    QPainter painter(this);
    painter.fillRect(rect(), withOpacity(colors.panelBackground, 0.72));
    const QRectF cardArea = QRectF(card->geometry());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colors.panelBackground);
    painter.drawRoundedRect(cardArea, 4, 4);
    painter.restore();
    paintDropTarget(painter, cardArea);
}

} // namespace vellum
