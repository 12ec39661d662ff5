#include "SessionFixture.h"

#include "session/AppSettings.h"

#include <QSettings>

using namespace vellum;
using namespace vellum::testing;

TEST(Appearance, StoredTextsAreReadLenientlyAndAChoiceIsStoredAtOnce) {
    IsolatedSettings settings;
    const auto stored = [] { return QSettings().value(QStringLiteral("appearance")); };
    EXPECT_EQ(AppSettings().appearance(), AppAppearance::modernC64);
    EXPECT_FALSE(stored().isValid()) << "reading writes nothing";
    const QList<std::pair<QString, AppAppearance>> texts{
        {"classicC64", AppAppearance::classicC64}, {"c64", AppAppearance::modernC64},
        {"system", AppAppearance::system},         {"System", AppAppearance::modernC64},
        {"aqua", AppAppearance::modernC64},
    };
    for (const auto& [text, appearance] : texts) {
        QSettings().setValue(QStringLiteral("appearance"), text);
        EXPECT_EQ(AppSettings().appearance(), appearance) << text.toStdString();
        EXPECT_EQ(stored().toString(), text) << "an unknown text is not rewritten";
    }
    AppSettings().setAppearance(AppAppearance::modernC64);
    EXPECT_EQ(stored().toString(), QStringLiteral("modernC64"))
        << "picking the theme already shown still stores it";
}
