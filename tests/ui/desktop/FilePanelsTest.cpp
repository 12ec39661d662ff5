#include "ui/desktop/FilePanels.h"
#include "ui/kit/Theme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

TEST(FilePanels, EachPanelShowsTheSessionsRequest) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QUrl start = QUrl::fromLocalFile(folder.path());
    struct Case {
        FilePanelKind kind;
        FilePanelRequest request;
        QFileDialog::FileMode fileMode;
        QString filter;
    };
    const QList<Case> cases{
        {FilePanelKind::save,
         {"Save D64 Image", "Read the floppy in drive 8.", start, "GAMES.d64", {"d64"}, false},
         QFileDialog::AnyFile,
         "Disk images (*.d64)"},
        {FilePanelKind::openFiles,
         {"Write D64 Image", "Write this .d64 image.", start, {}, {"d64"}, false},
         QFileDialog::ExistingFile,
         "Disk images (*.d64)"},
        {FilePanelKind::openFiles,
         {"Copy Files to Floppy", "Copy these files.", start, {}, {}, true},
         QFileDialog::ExistingFiles,
         ""},
        {FilePanelKind::folder,
         {"Open Folder", "Choose a folder.", start, {}, {}, false},
         QFileDialog::Directory,
         ""},
    };
    for (const Case& probe : cases) {
        SCOPED_TRACE(probe.request.title.toStdString());
        QFileDialog panel;
        configureFilePanel(panel, probe.request, probe.kind);
        const bool save = probe.kind == FilePanelKind::save;
        EXPECT_EQ(panel.windowTitle(), probe.request.title);
        EXPECT_EQ(panel.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        EXPECT_EQ(panel.fileMode(), probe.fileMode);
        EXPECT_EQ(panel.defaultSuffix(), save ? "d64" : "");
        EXPECT_EQ(QDir(panel.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        EXPECT_EQ(panel.testOption(QFileDialog::ShowDirsOnly), probe.kind == FilePanelKind::folder);
        if (probe.filter.isEmpty()) {
            EXPECT_FALSE(panel.nameFilters().join(u';').contains(u"*.d64"));
        } else {
            EXPECT_EQ(panel.nameFilters(), QStringList{probe.filter});
        }
        auto* message = panel.findChild<QLabel*>(QStringLiteral("filePanelMessage"));
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->text(), probe.request.message);
    }
}

TEST(FilePanels, ASavedImageProposesItsNameAndGetsTheImageExtension) {
    QTemporaryDir folder;
    FilePanelRequest request{"Save D64 Image", {},      QUrl::fromLocalFile(folder.path()),
                             "GAMES.d64",      {"d64"}, false};
    QFileDialog panel;
    configureFilePanel(panel, request, FilePanelKind::save);
    const QStringList proposed = panel.selectedFiles();
    ASSERT_EQ(proposed.size(), 1);
    EXPECT_EQ(QFileInfo(proposed.first()).fileName(), QStringLiteral("GAMES.d64"));
    // Typed without an extension, the name still ends in .d64.
    panel.selectFile(QStringLiteral("backup"));
    EXPECT_TRUE(panel.selectedFiles().first().endsWith(QStringLiteral("backup.d64")))
        << panel.selectedFiles().first().toStdString();
    // No message, no message line.
    EXPECT_EQ(panel.findChild<QLabel*>(QStringLiteral("filePanelMessage")), nullptr);
}

TEST(FilePanels, SystemUsesTheDesktopsDialogAndTheC64ThemesARoomyThemedOne) {
    QTemporaryDir folder;
    QFile(folder.filePath(QStringLiteral("GAMES.d64"))).open(QIODevice::WriteOnly);
    const FilePanelRequest request{"Write D64 Image",
                                   "Write this .d64 image to the floppy.",
                                   QUrl::fromLocalFile(folder.path()),
                                   {},
                                   {"d64"},
                                   false};
    for (const auto& [appearance, name] : {std::pair{AppAppearance::classicC64, "classic"},
                                           {AppAppearance::modernC64, "modern"},
                                           {AppAppearance::system, "system"}}) {
        SCOPED_TRACE(name);
        Theme::shared().apply(appearance);
        const FilePanelLook look = filePanelLookFor(appearance);
        EXPECT_EQ(look, appearance == AppAppearance::system ? FilePanelLook::platform
                                                            : FilePanelLook::themed);
        QFileDialog panel;
        configureFilePanel(panel, request, FilePanelKind::openFiles, look);
        EXPECT_EQ(panel.testOption(QFileDialog::DontUseNativeDialog),
                  look == FilePanelLook::themed);
        if (look == FilePanelLook::platform) {
            continue;
        }
        EXPECT_GE(panel.width(), 760);
        EXPECT_GE(panel.height(), 480);
        EXPECT_NE(panel.findChild<QLabel*>(QStringLiteral("filePanelMessage")), nullptr);
    }
    Theme::shared().apply(AppAppearance::modernC64);
}
