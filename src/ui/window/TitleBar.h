#pragma once

#include <QWidget>

namespace vellum {

class AppBrandMark;
class HeaderIconButton;

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
    HeaderIconButton* statusToggle() const { return toggle; }

signals:
    void aboutRequested();
    void statusToggleRequested();

private:
    AppBrandMark* brand;
    HeaderIconButton* toggle;
};

} // namespace vellum
