#include "ui/desktop/ApplicationSetup.h"
#include "ui/desktop/FileManagerReveal.h"
#include "ui/desktop/QtDesktopServices.h"

#include "IsolatedSettings.h"
#include "PrivateBus.h"
#include "session/AppSettings.h"
#include "ui/kit/Theme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

TEST(QtDesktopServices, RevealOpensTheHoldingFolderWhenNoFileManagerAnswers) {
    EXPECT_EQ(folderHoldingFirst({QUrl::fromLocalFile("/home/ann/games/disk.d64"),
                                  QUrl::fromLocalFile("/tmp/other.prg")}),
              QUrl::fromLocalFile("/home/ann/games"));
    EXPECT_TRUE(folderHoldingFirst({}).isEmpty());

    // No bus at all.
    int fallbacks = 0;
    showItemsInFileManager({QUrl::fromLocalFile("/tmp/a.prg")}, QDBusConnection(QString()),
                           [&] { ++fallbacks; });
    waitUntil([&] { return fallbacks > 0; });
    EXPECT_EQ(fallbacks, 1);

    // A bus on which no file manager lives.
    PrivateBus bus;
    if (bus.address.isEmpty()) {
        GTEST_SKIP() << "dbus-daemon is not available";
    }
    showItemsInFileManager({QUrl::fromLocalFile("/tmp/a.prg")}, bus.connect("client"),
                           [&] { ++fallbacks; });
    waitUntil([&] { return fallbacks > 1; });
    EXPECT_EQ(fallbacks, 2);
}

namespace {

// Plays the desktop's file manager on a private bus.
class FileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QList<QStringList> shown;

public slots:
    void ShowItems(const QStringList& uris, const QString& /*startupId*/) { shown << uris; }
};

} // namespace

TEST(QtDesktopServices, RevealAsksTheFileManagerToShowTheItems) {
    PrivateBus bus;
    if (bus.address.isEmpty()) {
        GTEST_SKIP() << "dbus-daemon is not available";
    }
    QDBusConnection serviceSide = bus.connect("fileManager");
    FileManager manager;
    ASSERT_TRUE(serviceSide.registerObject("/org/freedesktop/FileManager1", &manager,
                                           QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(serviceSide.registerService("org.freedesktop.FileManager1"));

    bool fellBack = false;
    const QList<QUrl> items{QUrl::fromLocalFile("/home/ann/my games/a b.prg"),
                            QUrl::fromLocalFile("/home/ann/x.d64")};
    showItemsInFileManager(items, bus.connect("client"), [&] { fellBack = true; });
    waitUntil([&] { return !manager.shown.isEmpty(); });
    ASSERT_EQ(manager.shown.size(), 1);
    EXPECT_EQ(manager.shown.first(),
              (QStringList{"file:///home/ann/my%20games/a%20b.prg", "file:///home/ann/x.d64"}));
    waitUntil([] { return false; }, 100);
    EXPECT_FALSE(fellBack);
}

TEST(ApplicationSetup, DressesTheProgramInTheStoredTheme) {
    IsolatedSettings settings;
    setUpApplication(*qApp);
    // The theme is the stored one, and follows the setting from now on.
    EXPECT_EQ(Theme::shared().appearance(), AppSettings::shared().appearance());
    AppSettings::shared().setAppearance(AppAppearance::system);
    EXPECT_EQ(Theme::shared().appearance(), AppAppearance::system);
    AppSettings::shared().setAppearance(AppAppearance::modernC64);
    EXPECT_EQ(Theme::shared().appearance(), AppAppearance::modernC64);
}

#include "DesktopServicesTest.moc"
