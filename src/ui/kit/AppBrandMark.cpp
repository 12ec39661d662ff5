#include "ui/kit/AppBrandMark.h"

#include "ui/kit/LogoView.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/Theme.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace vellum {

namespace {

struct BrandSizes {
    int logo;
    int radius;
    int namePixels;
};

constexpr BrandSizes compactSizes{28, 6, 16};
constexpr BrandSizes fullSizes{64, 14, 26};

} // namespace

AppBrandMark::AppBrandMark(bool compact, QWidget* parent)
    : QAbstractButton(parent), compactLayout(compact), logo(new LogoView(28, 6, this)),
      name(new QLabel(QStringLiteral("Vellum"), this)),
      tagline(new QLabel(tr("From Linux to 1541."), this)) {
    setToolTip(tr("About Vellum"));
    setAccessibleName(tr("About Vellum"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setStyleRole(name, StyleRole::brand);
    setStyleRole(tagline, StyleRole::secondary);
    QFont taglineFont = tagline->font();
    taglineFont.setPixelSize(13);
    tagline->setFont(taglineFont);
    for (QWidget* child : {static_cast<QWidget*>(name), static_cast<QWidget*>(tagline)}) {
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 6, 2);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    grid->addWidget(logo, 0, 0, 2, 1, Qt::AlignVCenter);
    grid->addWidget(name, 0, 1, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(tagline, 1, 1, Qt::AlignLeft | Qt::AlignTop);

    connect(this, &QAbstractButton::clicked, this, &AppBrandMark::aboutRequested);
    layOut();
}

void AppBrandMark::setCompact(bool compact) {
    if (compactLayout == compact) {
        return;
    }
    compactLayout = compact;
    layOut();
}

void AppBrandMark::layOut() {
    const BrandSizes sizes = compactLayout ? compactSizes : fullSizes;
    logo->setGeometryOfLogo(sizes.logo, sizes.radius, !compactLayout);
    QFont nameFont = name->font();
    nameFont.setPixelSize(sizes.namePixels);
    nameFont.setBold(true);
    name->setFont(nameFont);
    tagline->setVisible(!compactLayout);
    auto* grid = static_cast<QGridLayout*>(layout());
    // Alone, the name sits level with the logo's middle; with the tagline both share it.
    grid->removeWidget(name);
    grid->addWidget(name, 0, 1, compactLayout ? 2 : 1, 1,
                    Qt::AlignLeft | (compactLayout ? Qt::AlignVCenter : Qt::AlignBottom));
    updateGeometry();
    adjustSize();
}

QSize AppBrandMark::sizeHint() const {
    return layout()->sizeHint();
}

void AppBrandMark::paintEvent(QPaintEvent*) {
    if (!keyboardFocus || !hasFocus()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::shared().colors().focusRing, 2.0));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
}

void AppBrandMark::focusInEvent(QFocusEvent* event) {
    keyboardFocus =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void AppBrandMark::focusOutEvent(QFocusEvent* event) {
    keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
}

} // namespace vellum
