#pragma once

#include "ui/kit/KitButton.h"

namespace vellum {

// A small text button beside a pane's footer ("New Image"), drawn like the kit's buttons: a
// faint fill and edge, the hover and press fills, and 0.42 opacity while disabled.
class FooterButton : public KitButton {
    Q_OBJECT

public:
    explicit FooterButton(const QString& title, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintContent(QPainter& painter, const QRect& area) override;
    QColor restingFill() const override;
    QColor restingBorder() const override;

private:
    QFont titleFont() const;
};

} // namespace vellum
