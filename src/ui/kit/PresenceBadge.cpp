#include "ui/kit/PresenceBadge.h"

#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

PresenceBadge::PresenceBadge(bool ok, QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
    present = !ok;
    setOk(ok);
}

void PresenceBadge::setOk(bool ok) {
    if (present == ok) {
        return;
    }
    present = ok;
    setAccessibleName(ok ? tr("OK") : tr("Not ready"));
    update();
}

void PresenceBadge::paintEvent(QPaintEvent*) {
    const ThemeColors& colors = Theme::shared().colors();
    const QIcon icon = present ? tintedIcon(IconName::checkCircle, colors.ok)
                               : tintedIcon(IconName::emptyCircle, colors.secondaryText);
    QPainter painter(this);
    icon.paint(&painter, rect());
}

} // namespace vellum
