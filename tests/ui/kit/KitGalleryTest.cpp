#include "KitGallery.h"
#include "KitTestSupport.h"

#include "ui/kit/KitButton.h"
#include "ui/kit/Theme.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

void saveScreenshot(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    QDir().mkpath(QStringLiteral(VELLUM_SCREENSHOT_DIR));
    const QString path = QStringLiteral(VELLUM_SCREENSHOT_DIR "/%1.png").arg(name);
    ASSERT_TRUE(widget.grab().save(path)) << qPrintable(path);
}

// Popups are windows of their own, found by their class.
void saveShownPopup(const char* className, const QString& name) {
    QApplication::processEvents();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits(className) && window->isVisible()) {
            saveScreenshot(*window, name);
        }
    }
}

} // namespace

// Saves what each theme looks like for a person to judge, and checks what a picture shows
// badly: buttons and labels squeezed below the size their content needs.
TEST(KitGallery, EveryThemeShowsEveryWidgetUnclipped) {
    for (const NamedAppearance& theme : namedAppearances()) {
        Theme::shared().apply(theme.appearance);
        const auto gallery = makeKitGallery();
        saveScreenshot(*gallery, QStringLiteral("kit-%1").arg(theme.name));
        for (const KitButton* button : gallery->findChildren<KitButton*>()) {
            EXPECT_GE(button->width(), button->minimumSizeHint().width())
                << theme.name << " " << qPrintable(button->text());
            EXPECT_GE(button->height(), button->minimumSizeHint().height())
                << theme.name << " " << qPrintable(button->text());
        }
        for (const QLabel* label : gallery->findChildren<QLabel*>()) {
            if (label->isVisibleTo(gallery.get()) &&
                label->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
                EXPECT_GE(label->width(), label->minimumSizeHint().width())
                    << theme.name << " " << qPrintable(label->text());
            }
        }
        const auto dialog = makeDialogGallery();
        saveScreenshot(*dialog, QStringLiteral("kit-%1-dialog").arg(theme.name));

        auto* combo = gallery->findChild<QComboBox*>();
        ASSERT_NE(combo, nullptr);
        combo->showPopup();
        saveShownPopup("QComboBoxPrivateContainer", QStringLiteral("kit-%1-popup").arg(theme.name));
        combo->hidePopup();

        QToolTip::showText(gallery->mapToGlobal(QPoint(40, 40)),
                           QStringLiteral("Save the floppy as a .d64 image"), gallery.get());
        saveShownPopup("QTipLabel", QStringLiteral("kit-%1-tooltip").arg(theme.name));
        QToolTip::hideText();
    }
}
