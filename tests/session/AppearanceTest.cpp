#include "SessionFixture.h"

#include "session/AppSettings.h"

#include <QSettings>

using namespace vellum;
using namespace vellum::testing;

namespace {

QVariant storedAppearance() {
    return QSettings().value(QStringLiteral("appearance"));
}

} // namespace

TEST(Appearance, StoredTextsAreReadLeniently) {
    IsolatedSettings settings;
    EXPECT_EQ(AppSettings().appearance(), AppAppearance::modernC64);
    EXPECT_FALSE(storedAppearance().isValid()) << "reading writes nothing";

    const QList<std::pair<QString, AppAppearance>> stored{
        {"classicC64", AppAppearance::classicC64}, {"c64", AppAppearance::modernC64},
        {"modernC64", AppAppearance::modernC64},   {"system", AppAppearance::system},
        {"System", AppAppearance::modernC64},      {"aqua", AppAppearance::modernC64},
    };
    for (const auto& [text, appearance] : stored) {
        QSettings().setValue(QStringLiteral("appearance"), text);
        EXPECT_EQ(AppSettings().appearance(), appearance) << text.toStdString();
        EXPECT_EQ(storedAppearance().toString(), text) << "an unknown text is not rewritten";
    }
}

TEST(Appearance, ChoosingAThemeStoresItAtOnce) {
    IsolatedSettings settings;
    QSettings().setValue(QStringLiteral("appearance"), QStringLiteral("aqua"));
    AppSettings appSettings;
    int changes = 0;
    QObject::connect(&appSettings, &AppSettings::appearanceChanged, [&] { ++changes; });

    appSettings.setAppearance(AppAppearance::modernC64);
    EXPECT_EQ(storedAppearance().toString(), QStringLiteral("modernC64"))
        << "picking the theme already shown still stores it";
    EXPECT_EQ(changes, 0);

    appSettings.setAppearance(AppAppearance::system);
    EXPECT_EQ(storedAppearance().toString(), QStringLiteral("system"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(AppSettings().appearance(), AppAppearance::system);

    for (const AppAppearance appearance : allAppearances()) {
        EXPECT_EQ(appearanceFromStoredText(storedText(appearance)), appearance);
    }
}
