#include "ui/kit/VellumProgressBar.h"

#include "ui/kit/Theme.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vellum {

namespace {

class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(VellumProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return VellumProgressBar::tr("Progress");
        }
        if (kind == QAccessible::Value) {
            return bar()->accessibleValueText();
        }
        return QAccessibleWidget::text(kind);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override {
        const double progress = bar()->progress();
        return std::isfinite(progress) ? QVariant(VellumProgressBar::wholePercent(progress))
                                       : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    VellumProgressBar* bar() const { return static_cast<VellumProgressBar*>(widget()); }
};

QAccessibleInterface* progressBarAccessible(const QString&, QObject* object) {
    if (auto* bar = qobject_cast<VellumProgressBar*>(object)) {
        return new ProgressBarAccessible(bar);
    }
    return nullptr;
}

} // namespace

VellumProgressBar::VellumProgressBar(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(progressBarAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void VellumProgressBar::setProgress(double progress) {
    const bool isKnown = !std::isnan(progress);
    const double clamped = isKnown ? std::clamp(progress, 0.0, 1.0) : 0.0;
    if (clamped == fraction && isKnown == known) {
        return;
    }
    fraction = clamped;
    known = isKnown;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this,
                                          known ? QVariant(wholePercent(fraction)) : QVariant());
        QAccessible::updateAccessibility(&event);
    }
}

int VellumProgressBar::wholePercent(double progress) {
    if (!std::isfinite(progress)) {
        return 0;
    }
    const double percent = std::clamp(progress, 0.0, 1.0) * 100.0;
    return static_cast<int>(std::floor(percent + 1e-9));
}

QString VellumProgressBar::accessibleValueText() const {
    if (!known) {
        return {};
    }
    return tr("%1 percent").arg(wholePercent(fraction));
}

void VellumProgressBar::paintEvent(QPaintEvent*) {
    const ThemeColors& colors = Theme::shared().colors();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF track = rect();
    const qreal radius = track.height() / 2.0;
    QPainterPath shape;
    shape.addRoundedRect(track, radius, radius);
    painter.fillPath(shape, colors.progressTrack);

    const qreal filled = track.width() * fraction;
    if (filled <= 0.0) {
        return;
    }
    QRectF bar(track.left(), track.top(), filled, track.height());
    if (layoutDirection() == Qt::RightToLeft) {
        bar.moveRight(track.right());
    }
    painter.setClipPath(shape);
    painter.fillRect(bar, colors.progressFill);
}

} // namespace vellum
