#pragma once

#include "ui/kit/KitButton.h"

namespace vellum {

// One toolbar command: its symbol above a short title, the help text as tooltip. Without
// its title it is a small square holding the symbol alone; the title still names it for
// screen readers.
class CompactActionButton : public KitButton {
    Q_OBJECT

public:
    CompactActionButton(const QIcon& icon, const QString& title, QWidget* parent = nullptr);

    void setShowsTitle(bool shows);
    bool showsTitle() const { return titleShown; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintContent(QPainter& painter, const QRect& area) override;

private:
    QFont titleFont() const;

    bool titleShown = true;
};

} // namespace vellum
