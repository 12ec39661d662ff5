#include "ui/window/ToolbarRow.h"

#include "ui/kit/CompactActionButton.h"
#include "ui/kit/StyleRoles.h"

#include <QEvent>
#include <QHBoxLayout>

namespace vellum {

ToolbarRow::ToolbarRow(QWidget* parent)
    : QFrame(parent), row(new QHBoxLayout(this)), probe(new CompactActionButton({}, {}, this)) {
    probe->hide();
    setStyleRole(this, StyleRole::toolbar);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);
    row->addStretch(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

CompactActionButton* ToolbarRow::addButton(const QIcon& icon, const QString& title) {
    auto* button = new CompactActionButton(icon, title, this);
    button->setShowsTitle(titlesShown);
    row->insertWidget(row->count() - 1, button);
    rowButtons.append(button);
    updateGeometry();
    return button;
}

int ToolbarRow::neededWidth(bool withTitles) const {
    const QMargins margins = row->contentsMargins() + contentsMargins();
    int width = margins.left() + margins.right();
    // A hidden twin of the buttons tells their size in either look without disturbing
    // the layout (changing a shown button would ask the layout again, endlessly).
    probe->ensurePolished();
    probe->setShowsTitle(withTitles);
    for (CompactActionButton* button : rowButtons) {
        probe->setText(button->text());
        width += probe->sizeHint().width();
    }
    if (!rowButtons.isEmpty()) {
        width += row->spacing() * int(rowButtons.size() - 1);
    }
    return width;
}

int ToolbarRow::rowHeight(bool withTitles) const {
    const QMargins margins = row->contentsMargins() + contentsMargins();
    probe->ensurePolished();
    probe->setShowsTitle(withTitles);
    return probe->sizeHint().height() + margins.top() + margins.bottom();
}

// Rows tied together change their titles together, so their heights stay alike too.
QSize ToolbarRow::sizeHint() const {
    return {neededWidth(true), rowHeight(titlesShown)};
}

QSize ToolbarRow::minimumSizeHint() const {
    return {neededWidth(false), rowHeight(titlesShown)};
}

void ToolbarRow::showTitlesTogether(const QList<ToolbarRow*>& rows) {
    for (ToolbarRow* row : rows) {
        for (ToolbarRow* other : rows) {
            if (other != row) {
                row->partners.append(other);
            }
        }
    }
    if (!rows.isEmpty()) {
        rows.first()->fitTitles();
    }
}

bool ToolbarRow::hasRoomForTitles() const {
    return width() >= neededWidth(true);
}

void ToolbarRow::fitTitles() {
    bool room = hasRoomForTitles();
    // A partner not on screen has no say (its width means nothing yet).
    for (const QPointer<ToolbarRow>& partner : partners) {
        if (partner && partner->isVisible()) {
            room = room && partner->hasRoomForTitles();
        }
    }
    setTitlesShown(room);
    for (const QPointer<ToolbarRow>& partner : partners) {
        if (partner) {
            partner->setTitlesShown(room);
        }
    }
}

void ToolbarRow::setTitlesShown(bool shown) {
    if (shown == titlesShown) {
        return;
    }
    titlesShown = shown;
    for (CompactActionButton* button : rowButtons) {
        button->setShowsTitle(shown);
    }
    updateGeometry();
}

void ToolbarRow::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitTitles();
}

void ToolbarRow::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitTitles();
    }
}

} // namespace vellum
