#pragma once

#include "PaneFixture.h"
#include "session/PaneListModel.h"
#include "ui/panes/ComputerFilesPane.h"
#include "ui/panes/FloppyPane.h"
#include "ui/panes/PaneListView.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <vector>

namespace vellum::testing {

// Both panes side by side in a window over a session whose computer pane shows the test
// folder. Drags are recorded instead of run.
class PanesTest : public PaneTest {
protected:
    std::unique_ptr<QWidget> window;
    ComputerFilesPane* computerPane = nullptr;
    FloppyPane* floppyPane = nullptr;
    std::vector<std::unique_ptr<QDrag>> drags;

    void SetUp() override {
        PaneTest::SetUp();
        QApplication::setDoubleClickInterval(120);
        QApplication::setKeyboardInputInterval(120);
    }
    void TearDown() override {
        drags.clear();
        window.reset();
        PaneTest::TearDown();
    }

    void showPanes() {
        window = std::make_unique<QWidget>();
        auto* row = new QHBoxLayout(window.get());
        row->addWidget(computerPane = new ComputerFilesPane(pane(), window.get()), 1);
        row->addWidget(floppyPane = new FloppyPane(pane(), window.get()), 1);
        for (PaneListView* list : {&computerList(), &floppyList()}) {
            list->setDragLauncher([this](QDrag* drag) { drags.emplace_back(drag); });
        }
        window->resize(980, 560);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    PaneListView& computerList() { return *static_cast<PaneListView*>(computerPane->listView()); }
    PaneListView& floppyList() { return *static_cast<PaneListView*>(floppyPane->listView()); }

    static QPoint rowPoint(PaneListView& list, int row) {
        return list.visualRect(list.model()->index(row, 0)).center();
    }
    static QPoint belowRows(PaneListView& list) { return {20, list.viewport()->height() - 4}; }

    static void mouse(PaneListView& list, QEvent::Type type, QPoint at,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton, held,
                          modifiers);
        QApplication::sendEvent(list.viewport(), &event);
    }
    static void click(PaneListView& list, QPoint at,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        mouse(list, QEvent::MouseButtonPress, at, modifiers);
        mouse(list, QEvent::MouseButtonRelease, at, modifiers);
    }
    static void clickRow(PaneListView& list, int row,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        click(list, rowPoint(list, row), modifiers);
    }
    static void key(PaneListView& list, Qt::Key key,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&list, &event);
    }

    // Presses `row`, moves far enough to drag, and returns what the drag carries.
    const QMimeData& dragRow(PaneListView& list, int row) {
        const QPoint at = rowPoint(list, row);
        mouse(list, QEvent::MouseButtonPress, at);
        mouse(list, QEvent::MouseMove, at + QPoint(0, 12));
        mouse(list, QEvent::MouseButtonRelease, at + QPoint(0, 12));
        EXPECT_FALSE(drags.empty());
        return *drags.back()->mimeData();
    }

    // A drag of `data` over `target` at `at` (in the target's coordinates): whether the
    // target would take it there, and the drop itself.
    static bool hover(QWidget& target, const QMimeData& data, QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &move);
        return move.isAccepted();
    }
    static bool drop(QWidget& target, const QMimeData& data, QPoint at) {
        hover(target, data, at);
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &dropped);
        QApplication::processEvents();
        return dropped.isAccepted();
    }
    static void leave(QWidget& target) {
        QDragLeaveEvent event;
        QApplication::sendEvent(&target, &event);
    }

    // The rows the session has selected, and the rows the list shows selected.
    static QList<int> selectedRows(PaneListView& list) {
        QList<int> rows;
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            if (list.model()->index(row, 0).data(SelectedRole).toBool()) {
                rows.append(row);
            }
        }
        return rows;
    }
    static QList<int> shownRows(PaneListView& list) {
        QList<int> rows;
        for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
            rows.append(index.row());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
};

} // namespace vellum::testing
