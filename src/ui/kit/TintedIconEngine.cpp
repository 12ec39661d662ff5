#include "ui/kit/TintedIconEngine.h"

#include "ui/kit/Theme.h"

#include <QFile>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace vellum {

namespace {

constexpr double disabledOpacity = 0.42;

QSize squareWithin(const QSize& size) {
    const int side = qMin(size.width(), size.height());
    return {side, side};
}

} // namespace

TintedIconEngine::TintedIconEngine(QString svgPath, Tint tint, QStringList freedesktopNames)
    : path(std::move(svgPath)), tint(std::move(tint)),
      freedesktopNames(std::move(freedesktopNames)) {}

QIcon TintedIconEngine::platformIcon() const {
    if (Theme::shared().appearance() != AppAppearance::system ||
        tint.kind != Tint::Kind::themeText) {
        return {};
    }
    for (const QString& name : freedesktopNames) {
        if (QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
    }
    return {};
}

QColor TintedIconEngine::tintFor(QIcon::Mode mode) const {
    const ThemeColors& colors = Theme::shared().colors();
    switch (tint.kind) {
    case Tint::Kind::ownColours:
        return {};
    case Tint::Kind::fixed:
        return mode == QIcon::Disabled ? withOpacity(tint.color, disabledOpacity) : tint.color;
    case Tint::Kind::themeText:
        break;
    }
    switch (mode) {
    case QIcon::Disabled:
        return colors.disabledText;
    case QIcon::Selected:
        return colors.selectionText;
    case QIcon::Normal:
    case QIcon::Active:
        break;
    }
    return colors.text;
}

QPixmap TintedIconEngine::rendered(const QSize& size, qreal scale, QIcon::Mode mode) const {
    const QSize logical = squareWithin(size);
    const QSize pixels = logical * scale;
    if (pixels.isEmpty()) {
        return {};
    }
    const QColor color = tintFor(mode);
    const QString cacheKey = QStringLiteral("vellum-icon:%1:%2:%3:%4")
                                 .arg(path)
                                 .arg(pixels.width())
                                 .arg(color.isValid() ? color.name(QColor::HexArgb) : "own")
                                 .arg(mode == QIcon::Disabled ? 1 : 0);
    QPixmap pixmap;
    if (!QPixmapCache::find(cacheKey, &pixmap)) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!color.isValid() && mode == QIcon::Disabled) {
            painter.setOpacity(disabledOpacity);
        }
        QSvgRenderer(path).render(&painter, QRectF(QPointF(0, 0), pixels));
        if (color.isValid()) {
            // The artwork is drawn in black; only its coverage counts.
            painter.setOpacity(1.0);
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(image.rect(), color);
        }
        painter.end();
        pixmap = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(cacheKey, pixmap);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

void TintedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State state) {
    if (const QIcon icon = platformIcon(); !icon.isNull()) {
        icon.paint(painter, rect, Qt::AlignCenter, mode, state);
        return;
    }
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = rendered(rect.size(), scale, mode);
    const QSize logical = squareWithin(rect.size());
    const QPoint origin(rect.x() + (rect.width() - logical.width()) / 2,
                        rect.y() + (rect.height() - logical.height()) / 2);
    painter->drawPixmap(QRect(origin, logical), pixmap);
}

QPixmap TintedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap TintedIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                       qreal scale) {
    if (const QIcon icon = platformIcon(); !icon.isNull()) {
        QPixmap pixmap = icon.pixmap(size, scale, mode, state);
        return pixmap;
    }
    return rendered(size, scale, mode);
}

QSize TintedIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    return squareWithin(size);
}

QList<QSize> TintedIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
}

QIconEngine* TintedIconEngine::clone() const {
    return new TintedIconEngine(path, tint, freedesktopNames);
}

QString TintedIconEngine::key() const {
    return QStringLiteral("VellumTintedIconEngine");
}

QString TintedIconEngine::iconName() {
    return freedesktopNames.value(0);
}

bool TintedIconEngine::isNull() {
    return !QFile::exists(path);
}

} // namespace vellum
