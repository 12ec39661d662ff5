#pragma once

#include "SessionFixture.h"
#include "ui/kit/Theme.h"
#include "ui/sheets/ConfirmationDialog.h"
#include "ui/sheets/DialogPresenter.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace vellum::testing {

// Turns the event loop a few times for queued work and deferred deletes, or, given `done`,
// until it holds (at most two seconds).
inline bool settle(const std::function<bool()>& done = {}) {
    QElapsedTimer timer;
    timer.start();
    for (int turn = 0;; ++turn) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done ? done() || timer.elapsed() > 2000 : turn >= 4) {
            return done && done();
        }
        if (done) {
            QTest::qWait(5);
        }
    }
}

// Presses a key where the user's keystrokes land in `dialog`.
inline void press(QDialog* dialog, int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key(key),
                    modifiers);
}

inline const QList<std::pair<AppAppearance, const char*>>& namedThemes() {
    static const QList<std::pair<AppAppearance, const char*>> all{
        {AppAppearance::classicC64, "classic"},
        {AppAppearance::modernC64, "modern"},
        {AppAppearance::system, "system"}};
    return all;
}

// Saves build/screenshots/sheets-<theme>-<name>.png for a person to look at, after checking
// that no line or button in it is cut off.
inline void saveScreenshot(QDialog* dialog, const char* theme, const QString& name) {
    settle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->isVisible() && label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->text().toStdString();
        }
    }
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
    dialog->grab().save(QStringLiteral(VELLUM_SCREENSHOT_DIR "/sheets-%1-%2.png")
                            .arg(QString::fromLatin1(theme), name));
}

// A session in a temporary computer folder, a stand-in main window and the presenter that
// shows the session's dialogs over it.
class DialogTest : public SessionTest {
public:
    using SessionTest::session;

    QTemporaryDir folder;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    DialogPresenter* presenter = nullptr;

    void SetUp() override {
        window->show();
        session().navigate(QUrl::fromLocalFile(folder.path()));
        presenter = new DialogPresenter(session(), window.get());
    }

    StateEditor edit() { return StateEditor(session()); }

    // The dialog the presenter shows once the event loop has turned, as `T`.
    template <typename T = QDialog> T* shown() {
        settle([this] { return presenter->currentDialog() != nullptr; });
        return qobject_cast<T*>(presenter->currentDialog());
    }
    bool nothingShown() {
        settle();
        return presenter->currentDialog() == nullptr;
    }

    QUrl makeFile(const QString& name, const QByteArray& contents = "data") {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        return QUrl::fromLocalFile(file.fileName());
    }

    // A floppy directory with these names, the first `selected` of them selected.
    void showFloppy(const QStringList& names, int selected) {
        DiskDirectory directory;
        directory.diskName = QStringLiteral("GAMES");
        for (const QString& name : names) {
            DirectoryEntry entry;
            entry.name = name;
            entry.blocks = 4;
            directory.entries.append(entry);
        }
        edit().setDirectory(directory);
        EntryIDSet ids;
        for (int index = 0; index < selected; ++index) {
            ids.insert(directory.entries.at(index).id);
        }
        edit().setFloppySelection(ids);
    }
};

} // namespace vellum::testing
