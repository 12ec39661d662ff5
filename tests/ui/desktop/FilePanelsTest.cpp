#include "ui/desktop/FilePanels.h"
#include "ui/kit/Theme.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;

TEST(FilePanels, EachPanelShowsTheSessionsRequestInTheThemesLookAndSavesGetTheExtension) {
    QTemporaryDir folder;
    const QUrl start = QUrl::fromLocalFile(folder.path());
    const QList<std::tuple<FilePanelKind, FilePanelRequest, QFileDialog::FileMode>> cases{
        {FilePanelKind::save,
         {"Save D64 Image", "Read the floppy in drive 8.", start, "GAMES.d64", {"d64"}, false},
         QFileDialog::AnyFile},
        {FilePanelKind::openFiles,
         {"Write D64 Image", "Write this .d64 image.", start, {}, {"d64"}, false},
         QFileDialog::ExistingFile},
        {FilePanelKind::openFiles,
         {"Copy Files to Floppy", "Copy these files.", start, {}, {}, true},
         QFileDialog::ExistingFiles},
        {FilePanelKind::folder, {"Open Folder", {}, start, {}, {}, false}, QFileDialog::Directory},
    };
    for (const AppAppearance appearance : {AppAppearance::classicC64, AppAppearance::system}) {
        Theme::shared().apply(appearance);
        const FilePanelLook look = filePanelLookFor(appearance);
        EXPECT_EQ(look, appearance == AppAppearance::system ? FilePanelLook::platform
                                                            : FilePanelLook::themed);
        for (const auto& [kind, request, fileMode] : cases) {
            SCOPED_TRACE(request.title.toStdString());
            QFileDialog panel;
            configureFilePanel(panel, request, kind, look);
            EXPECT_EQ(panel.testOption(QFileDialog::DontUseNativeDialog),
                      look == FilePanelLook::themed);
            EXPECT_EQ(panel.windowTitle(), request.title);
            EXPECT_EQ(panel.fileMode(), fileMode);
            EXPECT_EQ(QDir(panel.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
            EXPECT_EQ(panel.nameFilters().join(u';').contains(u"*.d64"),
                      !request.allowedExtensions.isEmpty());
            auto* message = panel.findChild<QLabel*>(QStringLiteral("filePanelMessage"));
            EXPECT_EQ(message ? message->text() : QString(),
                      look == FilePanelLook::themed ? request.message : QString());
        }
    }
    Theme::shared().apply(AppAppearance::modernC64);

    // A saved image proposes its name, and a name typed without the extension still gets it.
    QFileDialog save;
    configureFilePanel(save, std::get<1>(cases.first()), FilePanelKind::save);
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(QFileInfo(save.selectedFiles().value(0)).fileName(), QStringLiteral("GAMES.d64"));
    save.selectFile(QStringLiteral("backup"));
    EXPECT_TRUE(save.selectedFiles().value(0).endsWith(QStringLiteral("backup.d64")))
        << save.selectedFiles().value(0).toStdString();
}
