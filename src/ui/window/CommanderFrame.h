#pragma once

#include <QSize>
#include <QWidget>

class QAbstractItemView;

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
class IconButton;
class AppBrandMark;

// Where the status area sits.
enum class StatusPlacement {
    column,   // a fourth column beside the floppy pane
    floating, // over the panes, opened from the title bar
    bottomBar // one line along the bottom
};

// How the window arranges itself for its width. The window measures its width and asks
// for this; nothing else about the arrangement is remembered.
struct WindowLayout {
    StatusPlacement status = StatusPlacement::column;
    int outerPadding = 20;
    bool compactBrand = false;
    bool showsStatusToggle = false;

    friend bool operator==(const WindowLayout&, const WindowLayout&) = default;
};

namespace windowMetrics {
inline constexpr int wideWidth = 1100; // from here on the status panel is a column
inline constexpr int roomyWidth = 900; // from here on the outer padding is wide
inline constexpr int statusPanelWidth = 260;
inline constexpr int minimumPaneWidth = 280;
inline constexpr int floatingPadding = 12;
inline constexpr int titleSpacing = 12;
inline constexpr int minimumWidth = 760;
inline constexpr int minimumHeight = 480;
inline constexpr QSize defaultSize{1280, 640};
} // namespace windowMetrics

WindowLayout windowLayoutFor(int width, bool statusSidebarForced);

// The two file panes as the window sees them: a widget that takes the toolbar under its
// title line, and the list inside it.
struct PaneSlot {
    QWidget* widget = nullptr;
    QAbstractItemView* list = nullptr;
};

// The computer pane and the floppy pane with their toolbars placed.
PaneSlot makeComputerPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent);
PaneSlot makeFloppyPane(VellumViewModel& session, QWidget* toolbar, QWidget* parent);

// The row above the panes: the brand mark, which opens About, and at the trailing end the
// button that shows or hides the status panel in narrow windows.
class TitleBar : public QWidget {
    Q_OBJECT

public:
    explicit TitleBar(QWidget* parent = nullptr);

    // Compact brand, whether the toggle is shown, and whether the panel is forced open
    // (which the toggle's symbol and help tell).
    void setArrangement(bool compactBrand, bool showsStatusToggle, bool statusForced);

    AppBrandMark* brandMark() const { return brand; }
    IconButton* statusToggle() const { return toggle; }

signals:
    void aboutRequested();
    void statusToggleRequested();

private:
    AppBrandMark* brand;
    IconButton* toggle;
};

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
