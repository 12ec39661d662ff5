#pragma once

#include "ui/kit/FittedLabel.h"

namespace vellum {

// A one-line label that shortens its text with an ellipsis to the width it is given and
// then shows the whole text as its tooltip. It may be squeezed to nothing.
class ElidedLabel : public FittedLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString fullText() const { return whole; }
    bool isElided() const { return QLabel::text() != whole; }
    void setElideMode(Qt::TextElideMode mode);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void refit() override;

private:
    QString whole;
    Qt::TextElideMode elideMode = Qt::ElideRight;
};

} // namespace vellum
