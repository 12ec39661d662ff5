#pragma once

#include "SessionFixture.h"
#include "StateEditor.h"
#include "ui/kit/Theme.h"
#include "ui/sheets/ConfirmationDialog.h"
#include "ui/sheets/DialogPresenter.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>

namespace vellum::testing {

// Turns the event loop until `done` holds or two seconds pass.
inline bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

// Lets queued work run without waiting for anything in particular.
inline void settle() {
    for (int turn = 0; turn < 5; ++turn) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Presses a key where the user's keystrokes would land in `dialog`.
inline void press(QDialog* dialog, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

struct NamedTheme {
    AppAppearance appearance;
    const char* name;
};
inline const QList<NamedTheme>& namedThemes() {
    static const QList<NamedTheme> all{{AppAppearance::classicC64, "classic"},
                                       {AppAppearance::modernC64, "modern"},
                                       {AppAppearance::system, "system"}};
    return all;
}

// Saves what `dialog` shows as build/screenshots/sheets-<theme>-<name>.png for a person to
// look at, and checks that no text in it is cut off.
inline void saveScreenshot(QDialog* dialog, const NamedTheme& theme, const QString& name) {
    settle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisible())
            continue;
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->text().toStdString();
        else
            EXPECT_GE(label->width(), label->minimumSizeHint().width())
                << label->text().toStdString();
    }
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    dialog->grab().save(QStringLiteral(VELLUM_SCREENSHOT_DIR "/sheets-%1-%2.png")
                            .arg(QString::fromLatin1(theme.name), name));
}

// A session in a temporary computer folder, a stand-in main window and the presenter
// that shows the session's dialogs over it.
class DialogTest : public SessionTest {
public:
    using SessionTest::desktop;
    using SessionTest::session;

    QTemporaryDir folder;
    std::unique_ptr<QWidget> window;
    DialogPresenter* presenter = nullptr;

    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->resize(800, 500);
        window->show();
        session().navigate(QUrl::fromLocalFile(folder.path()));
        presenter = new DialogPresenter(session(), window.get());
    }

    void TearDown() override { window.reset(); }

    StateEditor edit() { return StateEditor(session()); }

    // The dialog the presenter shows once the event loop has turned, as `T`.
    template <typename T = QDialog> T* shown() {
        waitUntil([this] { return presenter->currentDialog() != nullptr; });
        return qobject_cast<T*>(presenter->currentDialog());
    }

    bool nothingShown() {
        settle();
        return presenter->currentDialog() == nullptr;
    }

    // A floppy directory with these names, the first `selected` of them selected.
    void showFloppy(const QStringList& names, int selected) {
        DiskDirectory directory;
        directory.diskName = QStringLiteral("GAMES");
        directory.diskID = QStringLiteral("01");
        directory.blocksFree = 600;
        for (const QString& name : names) {
            DirectoryEntry entry;
            entry.name = name;
            entry.type = CBMFileType::prg;
            entry.blocks = 4;
            directory.entries.append(entry);
        }
        edit().setDirectory(directory);
        EntryIDSet ids;
        for (int index = 0; index < selected; ++index)
            ids.insert(directory.entries.at(index).id);
        edit().setFloppySelection(ids);
    }
};

} // namespace vellum::testing
