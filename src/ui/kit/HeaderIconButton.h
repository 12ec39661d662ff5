#pragma once

#include "ui/kit/Icons.h"
#include "ui/kit/KitButton.h"

namespace vellum {

// A small square button of the title row holding one symbol.
class HeaderIconButton : public KitButton {
    Q_OBJECT

public:
    explicit HeaderIconButton(IconName symbol, QWidget* parent = nullptr);

    void setSymbol(IconName symbol);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintContent(QPainter& painter, const QRect& area) override;
};

} // namespace vellum
