#pragma once

#include <QLabel>

namespace vellum {

// A one-line label that shortens its text with an ellipsis to the width it is given and
// then shows the whole text as its tooltip. It may be squeezed to nothing.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString fullText() const { return whole; }
    bool isElided() const { return QLabel::text() != whole; }
    void setElideMode(Qt::TextElideMode mode);
    // A tooltip that is shown whether or not the text is shortened.
    void setFixedToolTip(const QString& toolTip);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();

    QString whole;
    QString fixedToolTip;
    Qt::TextElideMode elideMode = Qt::ElideRight;
};

} // namespace vellum
