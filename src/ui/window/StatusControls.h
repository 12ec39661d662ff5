#pragma once

#include "ui/kit/CompactActionButton.h"

namespace vellum {

class VellumViewModel;

// Stop while an operation runs; "Force" once Stop was pressed. Hidden while idle.
class StopButton : public CompactActionButton {
    Q_OBJECT

public:
    explicit StopButton(VellumViewModel& session, QWidget* parent = nullptr);

private:
    void follow();

    VellumViewModel& session;
};

// The Detect control: the chip symbol with "Detect" and what it does beside it.
class DetectButton : public KitButton {
    Q_OBJECT

public:
    explicit DetectButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintContent(QPainter& painter, const QRect& area) override;
    QColor restingFill() const override;

private:
    QString detail;
};

} // namespace vellum
