#include "PanesFixture.h"
#include "ui/panes/PaneDragData.h"

#include <QScrollBar>

namespace vellum::testing {
namespace {

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

    // A file elsewhere on the computer, as the desktop's file manager offers it.
    QUrl desktopFile(const QString& name, const QByteArray& bytes) {
        QFile file(QDir(desktopDir.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return QUrl::fromLocalFile(file.fileName());
    }
    static std::unique_ptr<QMimeData> uriList(const QList<QUrl>& urls) {
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        // File managers put the paths beside the URIs as plain text too.
        QStringList paths;
        for (const QUrl& url : urls) {
            paths << url.toLocalFile();
        }
        data->setText(paths.join('\n'));
        return data;
    }
    static std::unique_ptr<QMimeData> plainText(const QString& text) {
        auto data = std::make_unique<QMimeData>();
        data->setText(text);
        return data;
    }

    QPoint computerRowPoint(int row) {
        return computerList().viewport()->mapTo(computerPane, rowPoint(computerList(), row));
    }
    QPoint computerEmptyPoint() {
        return computerList().viewport()->mapTo(computerPane, belowRows(computerList()));
    }
    QPoint floppyPoint() { return floppyList().viewport()->mapTo(floppyPane, QPoint(40, 40)); }
    int rowOf(const QString& name) {
        for (int row = 0; row < computerList().model()->rowCount(); ++row) {
            if (session().computerListModel().itemAt(row).name == name) {
                return row;
            }
        }
        return -1;
    }
};

TEST_F(PaneDropsTest, HoveringHighlightsThePaneOrTheD64RowAndLeavingClearsBoth) {
    const auto files = uriList({desktopFile("x.prg", program(0x0801, "x"))});
    ASSERT_TRUE(hover(*computerPane, *files, computerEmptyPoint()));
    EXPECT_TRUE(session().computer().computerDropTargeted());
    EXPECT_TRUE(computerPane->isHighlighted());
    EXPECT_FALSE(computerList().dropTargetRow().has_value());

    ASSERT_TRUE(hover(*computerPane, *files, computerRowPoint(rowOf("GAMES.d64"))));
    EXPECT_FALSE(session().computer().computerDropTargeted());
    EXPECT_EQ(computerList().dropTargetRow(), rowOf("GAMES.d64"));

    leave(*computerPane);
    EXPECT_FALSE(session().computer().computerDropTargeted());
    EXPECT_FALSE(computerList().dropTargetRow().has_value());

    ASSERT_TRUE(hover(*floppyPane, *files, floppyPoint()));
    EXPECT_TRUE(session().floppy().floppyDropTargeted());
    EXPECT_TRUE(floppyPane->isHighlighted());
    leave(*floppyPane);
    EXPECT_FALSE(floppyPane->isHighlighted());
}

TEST_F(PaneDropsTest, WhatEachPaneTakesAndRefuses) {
    const QUrl prg = desktopFile("new.prg", program(0x0801, pattern(200, 3)));
    auto forgedFloppy = std::make_unique<QMimeData>();
    forgedFloppy->setData(floppyEntryMimeType, "ALPHA\tPRG");
    forgedFloppy->setText("ALPHA\tPRG");
    auto folderOnly = std::make_unique<QMimeData>();
    folderOnly->setUrls({QUrl::fromLocalFile(desktopDir.path())});
    struct Case {
        const char* name;
        std::unique_ptr<QMimeData> data;
        bool computer;
        bool floppy;
    };
    Case cases[] = {
        {"files from the desktop", uriList({prg}), true, true},
        {"floppy entries from our floppy pane",
         std::make_unique<FloppyEntriesMimeData>(QStringList{"ALPHA\tPRG"}), true, false},
        {"our type from elsewhere", std::move(forgedFloppy), false, false},
        {"plain text", plainText("ALPHA\tPRG"), false, false},
        {"a path as plain text", plainText(prg.toLocalFile()), false, false},
        {"a folder alone", std::move(folderOnly), false, false},
        {"the computer pane's own rows",
         std::make_unique<ComputerItemsMimeData>(
             session().computerListModel().itemAt(rowOf("hello.prg")), true,
             QList<QUrl>{url("hello.prg")}),
         false, true},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(hover(*computerPane, *each.data, computerEmptyPoint()), each.computer)
            << each.name;
        leave(*computerPane);
        EXPECT_EQ(hover(*floppyPane, *each.data, floppyPoint()), each.floppy) << each.name;
        leave(*floppyPane);
    }
    StateEditor(session()).setOperation(OperationKind::readingDirectory);
    for (const Case& each : cases) {
        EXPECT_FALSE(hover(*computerPane, *each.data, computerEmptyPoint())) << each.name;
        EXPECT_FALSE(hover(*floppyPane, *each.data, floppyPoint())) << each.name;
    }
}

TEST_F(PaneDropsTest, FilesDroppedOnThePaneAreCopiedIntoTheFolder) {
    const QByteArray bytes = program(0x0801, pattern(500, 4));
    ASSERT_TRUE(
        drop(*computerPane, *uriList({desktopFile("new.prg", bytes)}), computerEmptyPoint()));
    EXPECT_EQ(contents("new.prg"), bytes);
    EXPECT_NE(rowOf("new.prg"), -1) << "the list shows it";
}

TEST_F(PaneDropsTest, FilesDroppedOnAD64RowGoIntoItButTheD64NeverIntoItself) {
    const QByteArray before = contents("GAMES.d64");
    const QUrl d64 = url("GAMES.d64");
    EXPECT_FALSE(hover(*computerPane, *uriList({d64}), computerRowPoint(rowOf("GAMES.d64"))) &&
                 computerList().dropTargetRow().has_value())
        << "the D64 alone over its own row";
    leave(*computerPane);

    const QUrl prg = desktopFile("intro.prg", program(0x0801, pattern(400, 5)));
    const QString link = QDir(desktopDir.path()).filePath("disk.prg");
    ASSERT_TRUE(QFile::link(d64.toLocalFile(), link)) << "the same D64 under another name";
    ASSERT_TRUE(drop(*computerPane, *uriList({d64, QUrl::fromLocalFile(link), prg}),
                     computerRowPoint(rowOf("GAMES.d64"))));
    QTRY_VERIFY(session().status().isIdle());
    EXPECT_EQ(imageNames("GAMES.d64"), (QStringList{"OLD", "INTRO"}));
    EXPECT_NE(contents("GAMES.d64"), before);
    EXPECT_EQ(folderNames(), (QStringList{"GAMES.d64", "hello.prg"})) << "nothing else made";
}

TEST_F(PaneDropsTest, AnImageDroppedOnTheFloppyPaneAsksHowToCopyIt) {
    const QUrl d64 = desktopFile("disk.d64", contents("GAMES.d64"));
    ASSERT_TRUE(drop(*floppyPane, *uriList({d64}), floppyPoint()));
    EXPECT_TRUE(session().confirmations().showsImageCopyChoice());
    EXPECT_EQ(session().confirmations().pendingCopyURLs(), QList<QUrl>{d64});
}

TEST_F(PaneDropsTest, ADragNearTheBottomEdgeScrollsTheListUntilItLeaves) {
    QStringList names;
    for (int i = 0; i < 60; ++i) {
        names << QStringLiteral("FILE %1").arg(i);
    }
    showFloppy(names);
    const auto files = uriList({desktopFile("x.prg", program(0x0801, "x"))});
    QScrollBar* bar = floppyList().verticalScrollBar();
    const QPoint nearBottom(40, floppyList().viewport()->height() - 6);
    ASSERT_TRUE(hover(*floppyPane, *files, floppyList().viewport()->mapTo(floppyPane, nearBottom)));
    QTRY_VERIFY(bar->value() > 0);
    leave(*floppyPane);
    const int stopped = bar->value();
    QTest::qWait(150);
    EXPECT_EQ(bar->value(), stopped);
}

} // namespace
} // namespace vellum::testing
