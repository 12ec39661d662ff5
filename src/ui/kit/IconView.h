#pragma once

#include <QIcon>
#include <QWidget>

namespace vellum {

// A symbol at a fixed size, redrawn when the theme changes (a label's pixmap would keep the
// old theme's colours).
class IconView : public QWidget {
    Q_OBJECT

public:
    explicit IconView(const QIcon& icon = {}, int side = 16, QWidget* parent = nullptr);

    void setIcon(const QIcon& icon);
    QIcon icon() const { return shown; }
    void setSide(int side);

    QSize sizeHint() const override { return {iconSide, iconSide}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon shown;
    int iconSide;
};

} // namespace vellum
