#pragma once

#include <QIcon>
#include <QWidget>

class QHBoxLayout;

namespace vellum {

class ElidedLabel;
class IconView;

// A pane's title line: a symbol (or the logo), the title, and a slot at the trailing end
// for a small control of the pane's own.
class PaneChromeTitle : public QWidget {
    Q_OBJECT

public:
    PaneChromeTitle(const QIcon& icon, const QString& title, QWidget* parent = nullptr);

    void setIcon(const QIcon& icon);
    void setTitle(const QString& title);
    QString title() const;
    // A tooltip of its own on the title (the floppy pane shows the disk name there).
    void setTitleToolTip(const QString& toolTip);
    QString titleToolTip() const;

    // Takes `widget` into the trailing slot, replacing (and deleting) the one before.
    void setTrailingWidget(QWidget* widget);
    QWidget* trailingWidget() const { return trailing; }

private:
    IconView* iconView;
    ElidedLabel* titleLabel;
    QHBoxLayout* row;
    QWidget* trailing = nullptr;
};

} // namespace vellum
