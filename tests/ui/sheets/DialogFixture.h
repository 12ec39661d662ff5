#pragma once

#include "SessionFixture.h"
#include "ui/kit/Theme.h"
#include "ui/sheets/ConfirmationDialog.h"
#include "ui/sheets/DialogPresenter.h"

#include <QElapsedTimer>
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
        QList<DirectoryEntry> entries;
        EntryIDSet ids;
        for (const QString& name : names) {
            entries << floppyEntry(name, 4);
            if (ids.size() < selected) {
                ids.insert(entries.last().id);
            }
        }
        edit().setDirectory(diskListing(entries));
        edit().setFloppySelection(ids);
    }
};

} // namespace vellum::testing
