#pragma once

#include "ui/kit/FittedLabel.h"

namespace vellum {

// A label that wraps its text over a fixed number of lines and always keeps the room for
// them, so that a changing text never moves what sits below it. What does not fit ends in
// an ellipsis on the last line, and then the whole text is the tooltip.
class ClampedLabel : public FittedLabel {
    Q_OBJECT

public:
    explicit ClampedLabel(int lines, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString fullText() const { return whole; }
    bool isClamped() const { return clamped; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void refit() override;

private:
    int lineCount;
    QString whole;
    bool clamped = false;
};

} // namespace vellum
