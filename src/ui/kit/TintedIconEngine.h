#pragma once

#include <QColor>
#include <QIconEngine>
#include <QStringList>

namespace vellum {

// Draws one bundled SVG symbol at any size, crisp at every scale, in the colour the theme
// gives at the moment of drawing; under System it draws the platform icon theme's symbol
// instead when the icon theme has one of the given names.
class TintedIconEngine : public QIconEngine {
public:
    struct Tint {
        enum class Kind { themeText, fixed, ownColours };
        Kind kind = Kind::themeText;
        QColor color;
    };
    static Tint themeText() { return {Tint::Kind::themeText, {}}; }
    static Tint fixed(const QColor& color) { return {Tint::Kind::fixed, color}; }
    static Tint ownColours() { return {Tint::Kind::ownColours, {}}; }

    TintedIconEngine(QString svgPath, Tint tint, QStringList freedesktopNames = {});

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    QString iconName() override;
    bool isNull() override;

private:
    QIcon platformIcon() const;
    // The colour for a mode; invalid for artwork drawn in its own colours.
    QColor tintFor(QIcon::Mode mode) const;
    QPixmap rendered(const QSize& size, qreal scale, QIcon::Mode mode) const;

    QString path;
    Tint tint;
    QStringList freedesktopNames;
};

} // namespace vellum
