#pragma once

#include "ui/kit/KitButton.h"

namespace vellum {

// One toolbar command: its symbol above a short title, the help text as tooltip. Without
// its title it is a small square holding the symbol alone; the title still names it for
// screen readers and in the tooltip. In a line of text it can sit as a low pill with the
// title beside the symbol.
class CompactActionButton : public KitButton {
    Q_OBJECT

public:
    CompactActionButton(const QIcon& icon, const QString& title, QWidget* parent = nullptr);

    void setShowsTitle(bool shows);
    bool showsTitle() const { return titleShown; }
    void setTitleBeside(bool beside);
    bool isTitleBeside() const { return titleBeside; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintContent(QPainter& painter, const QRect& area) override;
    QString toolTipText() const override;
    QColor restingFill() const override;
    QColor restingBorder() const override;

private:
    QFont titleFont() const;

    bool titleShown = true;
    bool titleBeside = false;
};

} // namespace vellum
