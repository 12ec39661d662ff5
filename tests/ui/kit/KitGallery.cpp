#include "KitGallery.h"

#include "ui/kit/AppBrandMark.h"
#include "ui/kit/CompactActionButton.h"
#include "ui/kit/DriveTransferIcon.h"
#include "ui/kit/DropTargetPainting.h"
#include "ui/kit/FilterCheck.h"
#include "ui/kit/HeaderIconButton.h"
#include "ui/kit/IconView.h"
#include "ui/kit/Icons.h"
#include "ui/kit/NavigatorPane.h"
#include "ui/kit/PaneChromeTitle.h"
#include "ui/kit/PresenceBadge.h"
#include "ui/kit/StatusCard.h"
#include "ui/kit/StyleRoles.h"
#include "ui/kit/TransferArrowButton.h"
#include "ui/kit/VellumProgressBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>

namespace vellum::testing {

namespace {

QLabel* label(const QString& text, const QString& role = {}) {
    auto* shown = new QLabel(text);
    setStyleRole(shown, role);
    return shown;
}

void addAll(QBoxLayout* layout, std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
}

template <typename Layout = QHBoxLayout> QWidget* line(std::initializer_list<QWidget*> widgets) {
    auto* holder = new QWidget;
    auto* layout = new Layout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    addAll(layout, widgets);
    layout->addStretch();
    return holder;
}

template <typename T> T* disabled(T* widget) {
    widget->setEnabled(false);
    return widget;
}

template <typename T> T* hovered(T* widget) {
    pretendHovered(widget);
    return widget;
}

template <typename T> T* checked(T* button) {
    button->setChecked(true);
    return button;
}

QWidget* action(const QIcon& icon, const char* title) {
    return new CompactActionButton(icon, QString::fromLatin1(title));
}

// A list that shows one row as the target of a drag, as the computer pane does for a D64.
class DropRowTree : public QTreeView {
protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
        QTreeView::drawRow(painter, option, index);
        if (index.row() != 2) {
            return;
        }
        paintDropTarget(*painter, option.rect);
        QStyleOptionViewItem onTarget = option;
        onTarget.state &= ~QStyle::State_MouseOver;
        for (int column = 0; column < model()->columnCount(); ++column) {
            onTarget.rect = visualRect(index.siblingAtColumn(column));
            itemDelegateForIndex(index)->paint(painter, onTarget, index.siblingAtColumn(column));
        }
    }
};

// Commodore names (`c64Names`) in the listing font, names on the computer in the desktop's;
// the second row selected, the third under a drag.
QWidget* listing(const QStringList& names, bool c64Names) {
    auto* model = new QStandardItemModel(0, 2);
    model->setHorizontalHeaderLabels({"NAME", "SIZE"});
    for (const QString& name : names) {
        model->appendRow({new QStandardItem(themedIcon(IconName::document), name),
                          new QStandardItem(QStringLiteral("37"))});
    }
    auto* view = new DropRowTree;
    view->setModel(model);
    model->setParent(view);
    view->setRootIsDecorated(false);
    view->setAlternatingRowColors(true);
    view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    view->header()->setStretchLastSection(false);
    view->setIconSize({14, 14});
    if (c64Names) {
        setStyleRole(view, StyleRole::listing);
    }
    view->selectionModel()->select(model->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return view;
}

NavigatorPane* pane(const QString& title, bool floppy) {
    auto* pane = new NavigatorPane;
    auto* chrome =
        new PaneChromeTitle(floppy ? appLogoIcon() : themedIcon(IconName::directory), title);
    chrome->setTrailingWidget(new HeaderIconButton(IconName::openFolder));
    auto* toolbar = line({action(themedIcon(IconName::directory), "Directory"),
                          hovered(action(DriveTransferIcon::icon(true), "Save")),
                          action(DriveTransferIcon::icon(false), "Write"),
                          disabled(action(themedIcon(IconName::trash), "Delete"))});
    setStyleRole(toolbar, StyleRole::toolbar);
    addAll(pane->contentLayout(),
           {chrome, toolbar, label("CURRENT DIRECTORY", StyleRole::heading),
            line({checked(new FilterCheck(".prg")), new FilterCheck(".d64")}),
            floppy ? listing({"\"BOULDER\"", "\"ELITE\"", "\"README\""}, true)
                   : listing({"demos", "games.d64", "utils.d64"}, false),
            label("481 BLOCKS FREE.  ·  3 FILES", StyleRole::secondary)});
    pane->setHighlighted(floppy);
    return pane;
}

StatusCard* card(std::initializer_list<QWidget*> widgets) {
    auto* card = new StatusCard;
    for (QWidget* widget : widgets) {
        card->addWidget(widget);
    }
    return card;
}

QWidget* statusPanel() {
    auto* stop = new CompactActionButton(themedIcon(IconName::stop), QStringLiteral("Stop"));
    stop->setTitleBeside(true);
    auto* bar = new VellumProgressBar;
    bar->setProgress(0.42);
    auto* picker = new QComboBox;
    picker->addItems({QStringLiteral("Drive 8 — 1541"), QStringLiteral("Drive 9 — 1571")});
    auto* floating = new QFrame;
    setStyleRole(floating, StyleRole::floating);
    (new QVBoxLayout(floating))->addWidget(label("Read 3 files.", StyleRole::title));
    auto* panel = line<QVBoxLayout>(
        {card({line(
             {new IconView(themedIcon(IconName::detect), 28),
              line<QVBoxLayout>({label("Detect", StyleRole::title),
                                 label("Scan ZoomFloppy and IEC bus", StyleRole::secondary)})})}),
         card({line({new IconView(themedIcon(IconName::adapter), 18),
                     label("ZoomFloppy detected", StyleRole::title), new PresenceBadge(true)}),
               line({label("Drive 8 · 1541", StyleRole::title), new PresenceBadge(false)}), picker,
               label("73,CBM DOS V2.6 1541,00,00", StyleRole::code)}),
         card(
             {line({label("Reading directory…", StyleRole::heading), stop}),
              line({bar, label("42%", StyleRole::secondary), label("BUSY.", StyleRole::listing)})}),
         floating});
    panel->setFixedWidth(260);
    return panel;
}

QWidget* standardWidgets() {
    auto* fallback = new QPushButton(QStringLiteral("Format"));
    fallback->setDefault(true);
    auto* destroy = new QPushButton(QStringLiteral("Move to Trash"));
    destroy->setProperty("destructive", true);
    auto* empty = new QLineEdit;
    empty->setPlaceholderText(QStringLiteral("Disk name"));
    auto* tabs = new QTabWidget;
    tabs->addTab(label("cbmctrl --petscii command 8 \"i0\"", StyleRole::code), "Help");
    tabs->addTab(new QLabel, QStringLiteral("About"));
    tabs->setFixedHeight(80);
    auto* scroll = new QScrollBar(Qt::Vertical);
    scroll->setPageStep(30);
    auto* untitled = new CompactActionButton(themedIcon(IconName::copy), QStringLiteral("Copy"));
    untitled->setShowsTitle(false);
    return line<QVBoxLayout>(
        {line({new QPushButton(QStringLiteral("Cancel")), fallback, destroy,
               disabled(new QPushButton(QStringLiteral("Disabled")))}),
         line({new QLineEdit(QStringLiteral("GAMES")), empty,
               checked(new QCheckBox(QStringLiteral("Verify"))),
               new QCheckBox(QStringLiteral("Quick")),
               checked(new QRadioButton(QStringLiteral("1541")))}),
         line({tabs, scroll, untitled, new IconView(themedIcon(IconName::checkCircle), 16),
               new IconView(themedIcon(IconName::emptyCircle), 16)}),
         label("A disk name has at most 16 characters.", StyleRole::warning)});
}

} // namespace

void pretendHovered(QWidget* widget) {
    widget->setAttribute(Qt::WA_UnderMouse, true);
}

std::unique_ptr<QWidget> makeKitGallery() {
    auto gallery = std::make_unique<QWidget>();
    gallery->setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(gallery.get());
    outer->setContentsMargins(20, 12, 20, 20);
    auto* help = new HeaderIconButton(IconName::sidebarHide);
    help->setHelp(QStringLiteral("Hide status"));
    outer->addWidget(line({new AppBrandMark(false), new AppBrandMark(true),
                           hovered(new HeaderIconButton(IconName::sidebarShow)), help}));
    auto* commander =
        line({pane("games", false),
              line<QVBoxLayout>({hovered(new TransferArrowButton(IconName::chevronRight)),
                                 disabled(new TransferArrowButton(IconName::chevronLeft))}),
              pane("Floppy  |  Drive 8", true), statusPanel()});
    static_cast<QBoxLayout*>(commander->layout())->setStretch(0, 1);
    static_cast<QBoxLayout*>(commander->layout())->setStretch(2, 1);
    outer->addWidget(commander, 1);
    outer->addWidget(standardWidgets());
    gallery->resize(1280, 760);
    return gallery;
}

std::unique_ptr<QWidget> makeDialogGallery() {
    auto dialog = std::make_unique<QDialog>();
    auto* column = new QVBoxLayout(dialog.get());
    auto* menuBar = new QMenuBar;
    for (const char* title : {"File", "Edit", "Drive", "View", "Help"}) {
        menuBar->addMenu(QString::fromLatin1(title));
    }
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("Copy to Computer"));
    menu->addAction(QStringLiteral("Rename…"))->setEnabled(false);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Format Floppy…"));
    menu->setActiveAction(menu->actions().first());
    auto* menuHolder = new QWidget;
    menu->setParent(menuHolder, Qt::Widget);
    menuHolder->setMinimumSize(menu->sizeHint());
    addAll(column, {menuBar, label("Move items to Trash?", StyleRole::title),
                    label("“loader.prg” and 2 more items will be moved to the Trash."),
                    new QLineEdit(QStringLiteral("A NAME THAT IS TOO LONG")),
                    label("A disk name has at most 16 characters.", StyleRole::warning),
                    label("cbmformat 8 \"GAMES,01\"", StyleRole::code), menuHolder});
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Move to Trash"), QDialogButtonBox::DestructiveRole)
        ->setProperty("destructive", true);
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    column->addWidget(buttons);
    // A button finds its dialog only once it is inside it; set earlier, the default is lost
    // and the dialog makes its first button (here the destructive one) the default.
    cancel->setDefault(true);
    dialog->resize(460, 330);
    return dialog;
}

} // namespace vellum::testing
