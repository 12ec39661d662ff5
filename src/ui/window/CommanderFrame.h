#pragma once

#include "ui/window/CommanderPanes.h"
#include "ui/window/WindowLayout.h"

#include <QWidget>

class QBoxLayout;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;

namespace vellum {

class BottomStatusBar;
class CommandActions;
class StatusPanel;
class TitleBar;
class TransferControls;
class VellumViewModel;

// The window's content: the title row over the commander row (computer pane, arrows,
// floppy pane, and in wide windows the status panel), with the status as a bottom bar or a
// floating panel in narrow ones. It measures its width and arranges itself for it.
class CommanderFrame : public QWidget {
    Q_OBJECT

public:
    CommanderFrame(VellumViewModel& session, CommandActions& actions, QWidget* parent = nullptr);

    WindowLayout currentLayout() const { return arrangement; }
    TitleBar* titleBar() const { return title; }
    StatusPanel* statusPanel() const { return panel; }
    BottomStatusBar* bottomBar() const { return bar; }
    QFrame* floatingPanel() const { return floating; }
    TransferControls* transferControls() const { return transfer; }
    const PaneSlot& computerPane() const { return computer; }
    const PaneSlot& floppyPane() const { return floppy; }
    QWidget* computerToolbar() const { return computerTools; }
    QWidget* floppyToolbar() const { return floppyTools; }

signals:
    // After the frame was first painted; the start-up waits for it.
    void firstPainted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrange();
    void placeFloatingPanel();

    VellumViewModel& session;
    CommandActions& actions;
    WindowLayout arrangement;
    bool arranged = false;
    bool painted = false;
    QVBoxLayout* outer;
    QHBoxLayout* row;
    TitleBar* title;
    QWidget* computerTools;
    QWidget* floppyTools;
    PaneSlot computer;
    PaneSlot floppy;
    TransferControls* transfer;
    StatusPanel* panel;
    BottomStatusBar* bar;
    QFrame* floating;
};

} // namespace vellum
