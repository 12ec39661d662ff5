#pragma once

#include <QLabel>

namespace vellum {

// A label that shows its text fitted to the room it is given, worked out again whenever
// the room or the font changes, with the whole text as its tooltip while it is shortened.
// Subclasses decide how a text is shortened.
class FittedLabel : public QLabel {
    Q_OBJECT

public:
    // A tooltip that is shown whether or not the text is shortened.
    void setFixedToolTip(const QString& toolTip);

protected:
    explicit FittedLabel(QWidget* parent);

    // Works out what to show at the present width and hands it to `present`.
    virtual void refit() = 0;
    // Shows `shown`; while it is `shortened`, `whole` is the tooltip.
    void present(const QString& shown, bool shortened, const QString& whole);

    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString fixedToolTip;
};

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
