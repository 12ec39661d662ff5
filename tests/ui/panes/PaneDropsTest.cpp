#include "PanesFixture.h"
#include "ui/panes/PaneDragData.h"

namespace vellum::testing {
namespace {

// Rows: GAMES.d64, hello.prg on the computer.
class PaneDropsTest : public PanesTest {
protected:
    QTemporaryDir desktopDir;

    void SetUp() override {
        PanesTest::SetUp();
        put("GAMES.d64",
            diskImage("GAMES", {{"OLD", CBMFileType::prg, program(0x0801, pattern(100, 1))}}));
        put("hello.prg", program(0x0801, pattern(300, 2)));
        showPanes();
        showFloppy({"ALPHA", "BETA"});
    }

    // Files elsewhere on the computer, as the desktop's file manager offers them: URIs with
    // the paths beside them as plain text.
    QUrl desktopFile(const QString& name, const QByteArray& bytes) {
        QFile file(QDir(desktopDir.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return QUrl::fromLocalFile(file.fileName());
    }
    static std::unique_ptr<QMimeData> uriList(const QList<QUrl>& urls) {
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        data->setText(urls.value(0).toLocalFile());
        return data;
    }
    QPoint computerPoint(std::optional<int> row = {}) {
        return computerList().viewport()->mapTo(computerPane, row ? rowPoint(computerList(), *row)
                                                                  : belowRows(computerList()));
    }
    QPoint floppyPoint() { return floppyList().viewport()->mapTo(floppyPane, QPoint(40, 40)); }
};

TEST_F(PaneDropsTest, WhatEachPaneTakesAndHighlightsAndNothingWhileBusy) {
    const QUrl prg = desktopFile("new.prg", program(0x0801, pattern(200, 3)));
    auto forgedFloppy = std::make_unique<QMimeData>();
    forgedFloppy->setData(floppyEntryMimeType, "ALPHA\tPRG");
    auto plainText = std::make_unique<QMimeData>();
    plainText->setText("ALPHA\tPRG");
    const std::tuple<const char*, std::unique_ptr<QMimeData>, bool, bool> cases[] = {
        {"files from the desktop", uriList({prg}), true, true},
        {"floppy entries from our floppy pane",
         std::make_unique<FloppyEntriesMimeData>(QStringList{"ALPHA\tPRG"}), true, false},
        {"our type from elsewhere", std::move(forgedFloppy), false, false},
        {"plain text", std::move(plainText), false, false},
        {"the computer pane's own rows",
         std::make_unique<ComputerItemsMimeData>(session().computerListModel().itemAt(1), true,
                                                 QList<QUrl>{url("hello.prg")}),
         false, true},
    };
    for (const auto& [name, data, computer, floppy] : cases) {
        EXPECT_EQ(hover(*computerPane, *data, computerPoint()), computer) << name;
        EXPECT_EQ(computerPane->isHighlighted(), computer) << name;
        leave(*computerPane);
        EXPECT_FALSE(computerPane->isHighlighted()) << name;
        EXPECT_EQ(hover(*floppyPane, *data, floppyPoint()), floppy) << name;
        EXPECT_EQ(floppyPane->isHighlighted(), floppy) << name;
        leave(*floppyPane);
    }
    StateEditor(session()).setOperation(OperationKind::readingDirectory);
    for (const auto& [name, data, computer, floppy] : cases) {
        EXPECT_FALSE(hover(*computerPane, *data, computerPoint())) << name;
        EXPECT_FALSE(hover(*floppyPane, *data, floppyPoint())) << name;
    }
}

TEST_F(PaneDropsTest, DroppedFilesGoIntoTheFolderOrTheD64RowButTheD64NeverIntoItself) {
    const QByteArray bytes = program(0x0801, pattern(500, 4));
    ASSERT_TRUE(drop(*computerPane, *uriList({desktopFile("new.prg", bytes)}), computerPoint()));
    EXPECT_EQ(contents("new.prg"), bytes);
    EXPECT_EQ(session().computerListModel().itemAt(2).name, "new.prg") << "the list shows it";
    QFile::remove(path("new.prg"));
    session().refreshLocalItems();

    const QByteArray before = contents("GAMES.d64");
    const QUrl d64 = url("GAMES.d64");
    EXPECT_FALSE(hover(*computerPane, *uriList({d64}), computerPoint(0)) &&
                 computerList().dropTargetRow().has_value())
        << "the D64 alone over its own row";
    leave(*computerPane);
    const QUrl prg = desktopFile("intro.prg", program(0x0801, pattern(400, 5)));
    const QString link = QDir(desktopDir.path()).filePath("disk.prg");
    ASSERT_TRUE(QFile::link(d64.toLocalFile(), link)) << "the same D64 under another name";
    ASSERT_TRUE(
        drop(*computerPane, *uriList({d64, QUrl::fromLocalFile(link), prg}), computerPoint(0)));
    QTRY_VERIFY(session().status().isIdle());
    EXPECT_EQ(imageNames("GAMES.d64"), (QStringList{"OLD", "INTRO"}));
    EXPECT_NE(contents("GAMES.d64"), before);
    EXPECT_EQ(folderNames(), (QStringList{"GAMES.d64", "hello.prg"})) << "nothing else made";

    // An image dropped on the floppy pane asks how to copy it.
    ASSERT_TRUE(drop(*floppyPane, *uriList({d64}), floppyPoint()));
    EXPECT_TRUE(session().confirmations().showsImageCopyChoice());
    EXPECT_EQ(session().confirmations().pendingCopyURLs(), QList<QUrl>{d64});
}

} // namespace
} // namespace vellum::testing
