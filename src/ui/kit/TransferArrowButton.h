#pragma once

#include "ui/kit/Icons.h"
#include "ui/kit/KitButton.h"

namespace vellum {

// One of the two arrows between the panes: a raised rounded button holding a chevron.
class TransferArrowButton : public KitButton {
    Q_OBJECT

public:
    explicit TransferArrowButton(IconName symbol, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintContent(QPainter& painter, const QRect& area) override;
    QColor restingFill() const override;
    QColor restingBorder() const override;
    qreal cornerRadius() const override { return 10.0; }
};

} // namespace vellum
