#include "HelpTestSupport.h"
#include "session/AppSettings.h"
#include "ui/help/AboutView.h"
#include "ui/help/SettingsView.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using testing::IsolatedSettings;
using testing::screenshotPath;

template <typename Button> Button* buttonLabelled(QWidget& parent, const QString& text) {
    for (Button* button : parent.findChildren<Button*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

TEST(AboutView, EachFeedbackButtonAsksForItsOwnMail) {
    AboutView about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    about.grab().save(screenshotPath(QStringLiteral("help-about.png")));

    QSignalSpy bug(&about, &AboutView::reportBugRequested);
    QSignalSpy feature(&about, &AboutView::suggestFeatureRequested);
    QSignalSpy contact(&about, &AboutView::contactRequested);
    const QList<std::pair<QString, QSignalSpy*>> buttons{
        {QStringLiteral("Report a Bug…"), &bug},
        {QStringLiteral("Suggest a Feature…"), &feature},
        {QStringLiteral("Contact…"), &contact},
    };
    for (const auto& [text, spy] : buttons) {
        SCOPED_TRACE(text.toStdString());
        auto* button = buttonLabelled<QPushButton>(about, text);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(spy->count(), 1);
    }
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

TEST(SettingsView, AppearanceChoiceIsKeptAndFollowsOutsideChanges) {
    IsolatedSettings isolated;
    AppSettings settings;
    SettingsView view(settings);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.grab().save(screenshotPath(QStringLiteral("help-settings.png")));

    for (const AppAppearance appearance : allAppearances()) {
        SCOPED_TRACE(storedText(appearance).toStdString());
        auto* choice = buttonLabelled<QRadioButton>(view, displayName(appearance));
        ASSERT_NE(choice, nullptr);
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(6, choice->height() / 2));
        EXPECT_EQ(settings.appearance(), appearance);
        EXPECT_EQ(AppSettings().appearance(), appearance);
    }

    settings.setAppearance(AppAppearance::classicC64);
    for (const AppAppearance appearance : allAppearances()) {
        EXPECT_EQ(buttonLabelled<QRadioButton>(view, displayName(appearance))->isChecked(),
                  appearance == AppAppearance::classicC64);
    }
}

} // namespace
} // namespace vellum
