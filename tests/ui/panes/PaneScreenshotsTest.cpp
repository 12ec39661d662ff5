#include "PanesFixture.h"
#include "ui/kit/Theme.h"

namespace vellum::testing {
namespace {

// Both panes in each theme with a folder, an open D64, an open T64 and a drive without a
// directory, saved for a person to look at.
class PaneScreenshotsTest : public PanesTest {
protected:
    static constexpr std::pair<AppAppearance, const char*> themes[] = {
        {AppAppearance::classicC64, "classic"},
        {AppAppearance::modernC64, "modern"},
        {AppAppearance::system, "system"},
    };

    void shoot(const QString& state) {
        for (const auto& [appearance, name] : themes) {
            Theme::shared().apply(appearance);
            window->activateWindow();
            QApplication::processEvents();
            const QString file = QStringLiteral(VELLUM_SCREENSHOT_DIR "/panes-%1-%2.png")
                                     .arg(state, QString::fromLatin1(name));
            EXPECT_TRUE(window->grab().save(file)) << file.toStdString();
        }
    }
};

TEST_F(PaneScreenshotsTest, SavesEachStateInEachTheme) {
    QDir(folderDir.path()).mkdir("Demos");
    QDir(folderDir.path()).mkdir("Utilities");
    put("GAMES.d64",
        diskImage("GAMES", {{"BOULDER DASH", CBMFileType::prg, program(0x0801, pattern(9000, 1))},
                            {"NOTES", CBMFileType::seq, pattern(700, 2)},
                            {"ELITE", CBMFileType::prg, program(0x0801, pattern(30000, 3))}}));
    put("tapes.t64",
        tapeImage("TAPES", {{"PITSTOP", CBMFileType::prg, program(0x0801, pattern(4000, 4))}}));
    put("hello.prg", program(0x0801, pattern(300, 5)));
    put("a very long program name that will not fit the column.prg",
        program(0x0801, pattern(1300, 6)));
    showPanes({1100, 600});
    session().refreshLocalItems();
    showFloppy({"BOULDER DASH", "ELITE", "NOTES", "PITSTOP", "MANIC MINER"}, 612);
    clickRow(computerList(), 2);
    clickRow(computerList(), 4, Qt::ShiftModifier);
    clickRow(floppyList(), 1);
    shoot("folder");
    for (const auto& [appearance, name] : themes) {
        Theme::shared().apply(appearance);
        dragRow(computerList(), 3);
        drags.back()->pixmap().save(
            QStringLiteral(VELLUM_SCREENSHOT_DIR "/panes-drag-%1.png").arg(name));
    }
    window->resize(660, 520);
    shoot("narrow");
    window->resize(1100, 600);

    session().openImage(url("GAMES.d64"));
    clickRow(computerList(), 0);
    shoot("d64");

    session().openImage(url("tapes.t64"));
    StateEditor(session()).setDirectory(DiskDirectory::empty());
    shoot("t64");

    session().closeImage();
    session().computer().setComputerDropTargeted(true);
    shoot("drop");
    session().computer().setComputerDropTargeted(false);
    session().floppy().setFloppyDropTargeted(true);
    computerList().setDropTargetRow(int(itemNames().indexOf("GAMES.d64")));
    shoot("row-drop");
    computerList().setDropTargetRow(std::nullopt);
    session().floppy().setFloppyDropTargeted(false);

    session().navigate(QUrl::fromLocalFile(QDir(folderDir.path()).filePath("Demos")));
    shoot("empty");
}

} // namespace
} // namespace vellum::testing
