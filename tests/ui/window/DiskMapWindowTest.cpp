// The disk map beside the panes: View ▸ Disk Map for an open image, its hover texts, its
// picture, the themes, and a live map filled from a transfer's lines.

#include "WindowFixture.h"

#include "images/ImageFiles.h"
#include "ui/diskmap/DiskMapDock.h"
#include "ui/diskmap/DiskMapView.h"
#include "ui/kit/Theme.h"

#include <QImage>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

DiskMapDock* dockOf(MainWindow& window) {
    return window.findChild<DiskMapDock*>();
}

// The centre of the cell of track/sector in the view's coordinates.
QPoint cellCentre(const DiskMapView& view, qint64 track, qint64 sector) {
    // Found through the hover text, so the test knows nothing of the layout.
    for (int y = 0; y < view.height(); y += 2) {
        for (int x = 0; x < view.width(); x += 2) {
            if (view.toolTipAt({x, y}).startsWith(
                    DiskMapView::tr("Track %1, sector %2").arg(track).arg(sector) + "\n")) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

} // namespace

TEST_F(WindowTest, DiskMapShowsTheOpenImageNamesFilesAndSavesAPicture) {
    MainWindow& window = shown(1280);
    QAction* toggle = actions().action(CommandId::toggleDiskMap);
    EXPECT_FALSE(toggle->isEnabled()); // a folder has no map
    session().openImage(url("games.d64"));
    settle();
    ASSERT_TRUE(toggle->isEnabled());
    toggle->trigger();
    settle();
    DiskMapDock* dock = dockOf(window);
    ASSERT_TRUE(dock && dock->isVisible());
    EXPECT_EQ(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
    const DiskMapView& view = *dock->view();
    EXPECT_EQ(view.map().fileNames, QStringList({"ONE", "TWO"}));
    const D64Extractor::File one = D64Extractor::files(readWholeFile(url("games.d64"))).first();
    const QPoint at = cellCentre(view, one.startTrack, one.startSector);
    EXPECT_TRUE(view.toolTipAt(at).contains("“ONE”")) << view.toolTipAt(at).toStdString();

    desktop.saveFileAnswers.enqueue(url("games-map.png"));
    dock->findChild<QPushButton*>()->click();
    const QImage picture(path("games-map.png"));
    EXPECT_EQ(picture.size(), view.size());
    EXPECT_EQ(desktop.saveFileRequests.last().proposedName, "games-map.png");

    // Closing the dock hides the map; going up to the folder leaves nothing to show.
    dock->close();
    settle();
    EXPECT_FALSE(session().diskMap().isWanted());
    toggle->trigger();
    session().goUp();
    settle();
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(toggle->isEnabled());
}

TEST_F(WindowTest, DiskMapWearsEachThemeAtBothWidths) {
    put("big.d81",
        diskImage("BIG", {{"LOADER", CBMFileType::prg, pattern(9000, 3)}}, DiskImageFormat::d81));
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    for (const int width : {760, 1280}) {
        MainWindow& shownWindow = shown(width, 640);
        session().openImage(url(width == 760 ? "games.d64" : "big.d81"));
        session().diskMap().setWanted(true);
        settle();
        DiskMapDock* dock = dockOf(shownWindow);
        EXPECT_EQ(shownWindow.dockWidgetArea(dock),
                  width < 1100 ? Qt::BottomDockWidgetArea : Qt::RightDockWidgetArea);
        for (const AppAppearance appearance :
             {AppAppearance::system, AppAppearance::classicC64, AppAppearance::modernC64}) {
            Theme::shared().apply(appearance);
            settle();
            // A sheet's colours never outlive it, in the map or on the dock's buttons.
            if (appearance == AppAppearance::system) {
                EXPECT_EQ(dock->view()->fileColor(), Theme::shared().colors().selection);
                EXPECT_EQ(dock->findChild<QPushButton*>()->palette().color(QPalette::Button),
                          QApplication::palette().color(QPalette::Button));
            }
            const QString name =
                QString("%1/diskmap-%2-%3.png").arg(folder, storedText(appearance)).arg(width);
            EXPECT_TRUE(shownWindow.grab().save(name));
        }
        session().diskMap().setWanted(false);
        window.reset();
    }
    Theme::shared().apply(AppAppearance::system);
}

TEST_F(WindowTest, ALiveMapFillsFromTheTransferLinesAndEndsWithTheImage) {
    MainWindow& window = shown(1280);
    DiskMapState& state = session().diskMap();
    state.setWanted(true);
    state.beginLive(geometryOf(DiskImageFormat::d64), "Drive 8");
    QList<double> fractions;
    const ProgressCallback sink =
        state.observing([&](const QString&, double fraction) { fractions << fraction; });
    sink(" 1: **?******************", 0.03);
    sink("[Warning] read error: 01/02: 5", -1);
    settle();
    const DiskMapView& view = *dockOf(window)->view();
    EXPECT_TRUE(dockOf(window)->isVisible());
    EXPECT_EQ(view.map().at(1, 2), (SectorState{SectorClass::error, 5, -1}));
    EXPECT_EQ(view.map().count(SectorClass::copied), 20);
    EXPECT_EQ(fractions, QList<double>({0.03, -1}));

    state.endLive(readWholeFile(url("games.d64")));
    sink(" 2: *********************", 0.06); // after the end, the map stays the image's
    settle();
    EXPECT_EQ(view.map().fileNames, QStringList({"ONE", "TWO"}));
    EXPECT_EQ(view.map().count(SectorClass::copied), 0);
}
