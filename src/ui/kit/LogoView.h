#pragma once

#include <QWidget>

namespace vellum {

// The application logo drawn into a rounded square, with an optional soft shadow.
class LogoView : public QWidget {
    Q_OBJECT

public:
    explicit LogoView(int side, int cornerRadius, QWidget* parent = nullptr);

    void setGeometryOfLogo(int side, int cornerRadius, bool shadow);
    int side() const { return logoSide; }
    int cornerRadius() const { return radius; }
    bool hasShadow() const { return shadowShown; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int margin() const;

    int logoSide;
    int radius;
    bool shadowShown = false;
};

} // namespace vellum
