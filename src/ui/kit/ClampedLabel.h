#pragma once

#include <QLabel>

namespace vellum {

// A label that wraps its text over a fixed number of lines and always keeps the room for
// them, so that a changing text never moves what sits below it. What does not fit ends in
// an ellipsis on the last line, and then the whole text is the tooltip.
class ClampedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClampedLabel(int lines, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString fullText() const { return whole; }
    bool isClamped() const { return clamped; }
    // A tooltip that is shown whether or not the text is shortened.
    void setFixedToolTip(const QString& toolTip);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();

    int lineCount;
    QString whole;
    QString fixedToolTip;
    bool clamped = false;
};

} // namespace vellum
