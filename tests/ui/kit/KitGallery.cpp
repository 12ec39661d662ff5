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
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>

namespace vellum::testing {

namespace {

QLabel* roleLabel(const QString& text, const QString& role) {
    auto* label = new QLabel(text);
    setStyleRole(label, role);
    return label;
}

QWidget* row(std::initializer_list<QWidget*> widgets, int spacing = 6) {
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    layout->addStretch();
    return holder;
}

QWidget* toolbar(bool floppy) {
    auto* bar = new QWidget;
    setStyleRole(bar, StyleRole::toolbar);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    const auto add = [&](const QIcon& icon, const QString& title, bool enabled = true) {
        auto* button = new CompactActionButton(icon, title);
        button->setEnabled(enabled);
        button->setToolTip(title);
        layout->addWidget(button);
        return button;
    };
    if (floppy) {
        add(themedIcon(IconName::directory), QStringLiteral("Directory"));
        pretendHovered(add(DriveTransferIcon::icon(true), QStringLiteral("Save")));
        add(DriveTransferIcon::icon(false), QStringLiteral("Write"));
        add(themedIcon(IconName::format), QStringLiteral("Format"));
        add(themedIcon(IconName::init), QStringLiteral("Init"));
        add(themedIcon(IconName::reset), QStringLiteral("Reset"));
        add(themedIcon(IconName::rename), QStringLiteral("Rename"), false);
        add(themedIcon(IconName::trash), QStringLiteral("Delete"), false);
    } else {
        add(themedIcon(IconName::up), QStringLiteral("Up"), false);
        add(themedIcon(IconName::refresh), QStringLiteral("Refresh"));
        add(themedIcon(IconName::openFolder), QStringLiteral("Open"));
        add(themedIcon(IconName::newFolder), QStringLiteral("New Folder"));
        add(themedIcon(IconName::rename), QStringLiteral("Rename"));
        add(themedIcon(IconName::trash), QStringLiteral("Delete"));
    }
    layout->addStretch();
    return bar;
}

// A list that shows one row as the target of a drag, as the computer pane does for a D64.
class DropRowTree : public QTreeView {
public:
    int dropRow = -1;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
        QTreeView::drawRow(painter, option, index);
        if (index.row() == dropRow) {
            paintDropTarget(*painter, option.rect);
            QStyleOptionViewItem onTarget = option;
            onTarget.state &= ~QStyle::State_MouseOver;
            for (int column = 0; column < model()->columnCount(); ++column) {
                const QModelIndex cell = index.siblingAtColumn(column);
                onTarget.rect = visualRect(cell);
                itemDelegateForIndex(cell)->paint(painter, onTarget, cell);
            }
        }
    }
};

// A file list; Commodore names (`c64Names`) in the listing font, names on the computer in
// the desktop's.
QTreeView* listing(const QList<std::tuple<IconName, QString, QString, QString>>& rows,
                   const QStringList& headings, bool c64Names, int dropRow = -1) {
    auto* model = new QStandardItemModel(0, headings.size());
    model->setHorizontalHeaderLabels(headings);
    for (const auto& [icon, name, type, size] : rows) {
        auto* nameItem = new QStandardItem(themedIcon(icon), name);
        model->appendRow({nameItem, new QStandardItem(type), new QStandardItem(size)});
    }
    auto* view = new DropRowTree;
    view->dropRow = dropRow;
    view->setModel(model);
    model->setParent(view);
    view->setRootIsDecorated(false);
    view->setAlternatingRowColors(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    view->setIconSize({14, 14});
    if (c64Names)
        setStyleRole(view, StyleRole::listing);
    view->selectionModel()->select(model->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return view;
}

NavigatorPane* computerPane() {
    auto* pane = new NavigatorPane;
    auto* title = new PaneChromeTitle(themedIcon(IconName::directory), QStringLiteral("games"));
    auto* reveal = new HeaderIconButton(IconName::openFolder);
    reveal->setHelp(QStringLiteral("Show this folder in File Manager"));
    title->setTrailingWidget(reveal);
    pane->contentLayout()->addWidget(title);
    pane->contentLayout()->addWidget(toolbar(false));
    pane->contentLayout()->addWidget(
        roleLabel(QStringLiteral("CURRENT DIRECTORY"), StyleRole::heading));
    pane->contentLayout()->addWidget(
        roleLabel(QStringLiteral("/home/ada/Commodore/games"), QString()));
    pane->contentLayout()->addWidget(roleLabel(
        QStringLiteral("Tick a filter to narrow the list. Hide folders if you only want files."),
        StyleRole::secondary));
    auto* prg = new FilterCheck(QStringLiteral(".prg"));
    prg->setChecked(true);
    pane->contentLayout()->addWidget(
        row({prg, new FilterCheck(QStringLiteral(".d64")), new FilterCheck(QStringLiteral(".t64")),
             new FilterCheck(QStringLiteral("Hide folders"))},
            12));
    pane->contentLayout()->addWidget(listing({{IconName::folderFilled, "demos", "Folder", "—"},
                                              {IconName::diskImage, "games.d64", "D64", "170 KB"},
                                              {IconName::diskImage, "tape.t64", "T64", "44 KB"},
                                              {IconName::diskImage, "utils.d64", "D64", "170 KB"},
                                              {IconName::document, "loader.prg", "PRG", "2 KB"},
                                              {IconName::document, "notes.seq", "SEQ", "1 KB"}},
                                             {"NAME", "TYPE", "SIZE"}, false, 3),
                                     1);
    pane->contentLayout()->addWidget(roleLabel(
        QStringLiteral("6 ITEMS  ·  1 SELECTED  ·  170 KB  ·  683 BLOCKS"), StyleRole::secondary));
    return pane;
}

NavigatorPane* floppyPane() {
    auto* pane = new NavigatorPane;
    auto* title = new PaneChromeTitle(appLogoIcon(), QStringLiteral("Floppy  |  Drive 8"));
    title->setTitleToolTip(QStringLiteral("FLOPPY - GAMES"));
    pane->contentLayout()->addWidget(title);
    pane->contentLayout()->addWidget(toolbar(true));
    pane->contentLayout()->addWidget(listing({{IconName::document, "\"BOULDER\"", "PRG", "37"},
                                              {IconName::document, "\"ELITE\"", "PRG", "142"},
                                              {IconName::document, "\"README\"", "SEQ", "4"}},
                                             {"NAME", "TYPE", "BLOCKS"}, true),
                                     1);
    auto* drop = new QWidget;
    auto* dropRow = new QHBoxLayout(drop);
    dropRow->setContentsMargins(0, 0, 0, 0);
    dropRow->addStretch();
    dropRow->addWidget(new IconView(themedIcon(IconName::drop), 22));
    dropRow->addWidget(roleLabel(QStringLiteral("Drop to copy to floppy"), StyleRole::title));
    dropRow->addStretch();
    pane->contentLayout()->addWidget(drop);
    pane->contentLayout()->addWidget(
        row({roleLabel(QStringLiteral("481 BLOCKS FREE."), StyleRole::secondary),
             roleLabel(QStringLiteral("3 FILES  ·  1 SELECTED"), StyleRole::secondary)},
            24));
    pane->setHighlighted(true);
    return pane;
}

QWidget* transferArrows() {
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto* toFloppy = new TransferArrowButton(IconName::chevronRight);
    pretendHovered(toFloppy);
    auto* toComputer = new TransferArrowButton(IconName::chevronLeft);
    toComputer->setEnabled(false);
    layout->addWidget(toFloppy);
    layout->addWidget(toComputer);
    layout->addStretch();
    return holder;
}

QWidget* statusPanel() {
    auto* panel = new QWidget;
    panel->setFixedWidth(260);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    auto* detect = new StatusCard;
    auto* detectTexts = new QWidget;
    auto* detectColumn = new QVBoxLayout(detectTexts);
    detectColumn->setContentsMargins(0, 0, 0, 0);
    detectColumn->setSpacing(0);
    detectColumn->addWidget(roleLabel(QStringLiteral("Detect"), StyleRole::title));
    detectColumn->addWidget(
        roleLabel(QStringLiteral("Scan ZoomFloppy and IEC bus"), StyleRole::secondary));
    detect->addWidget(row({new IconView(themedIcon(IconName::detect), 28), detectTexts}, 10));
    column->addWidget(detect);

    auto* adapter = new StatusCard;
    adapter->addWidget(row({new IconView(themedIcon(IconName::adapter), 18),
                            roleLabel(QStringLiteral("ZoomFloppy detected"), StyleRole::title),
                            new PresenceBadge(true)}));
    adapter->addWidget(roleLabel(QStringLiteral("xum1541 firmware 8"), StyleRole::secondary));
    column->addWidget(adapter);

    auto* drive = new StatusCard;
    drive->addWidget(row({new IconView(themedIcon(IconName::drive), 18),
                          roleLabel(QStringLiteral("Drive 8 · 1541"), StyleRole::title),
                          new PresenceBadge(false)}));
    auto* picker = new QComboBox;
    picker->addItems({QStringLiteral("Drive 8 — 1541"), QStringLiteral("Drive 9 — 1571")});
    drive->addWidget(picker);
    drive->addWidget(roleLabel(QStringLiteral("73,CBM DOS V2.6 1541,00,00"), StyleRole::code));
    column->addWidget(drive);

    auto* operation = new StatusCard;
    auto* stop = new CompactActionButton(themedIcon(IconName::stop), QStringLiteral("Stop"));
    stop->setTitleBeside(true);
    operation->addWidget(
        row({roleLabel(QStringLiteral("Reading directory…"), StyleRole::heading), stop}));
    operation->addWidget(roleLabel(QStringLiteral("Reading the directory of drive 8…"), QString()));
    column->addWidget(operation);

    auto* progress = new StatusCard;
    progress->addWidget(row({roleLabel(QStringLiteral("PROGRESS"), StyleRole::heading),
                             roleLabel(QStringLiteral("BUSY."), StyleRole::listing)}));
    auto* bar = new VellumProgressBar;
    bar->setProgress(0.42);
    progress->addWidget(row({bar, roleLabel(QStringLiteral("42%"), StyleRole::secondary)}));
    column->addWidget(progress);
    column->addStretch();
    return panel;
}

QWidget* standardWidgets() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* plain = new QPushButton(QStringLiteral("Cancel"));
    auto* fallback = new QPushButton(QStringLiteral("Format"));
    fallback->setDefault(true);
    auto* destroy = new QPushButton(QStringLiteral("Move to Trash"));
    destroy->setProperty("destructive", true);
    auto* off = new QPushButton(QStringLiteral("Disabled"));
    off->setEnabled(false);
    column->addWidget(row({plain, fallback, destroy, off}));

    auto* name = new QLineEdit(QStringLiteral("GAMES"));
    auto* empty = new QLineEdit;
    empty->setPlaceholderText(QStringLiteral("Disk name"));
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("Classic C64"), QStringLiteral("Modern C64")});
    column->addWidget(row({name, empty, combo}));

    auto* checked = new QCheckBox(QStringLiteral("Verify"));
    checked->setChecked(true);
    auto* radio = new QRadioButton(QStringLiteral("1541"));
    radio->setChecked(true);
    auto* progress = new QProgressBar;
    progress->setValue(64);
    progress->setTextVisible(false);
    column->addWidget(row({checked, new QCheckBox(QStringLiteral("Quick")), radio,
                           new QRadioButton(QStringLiteral("1571")), progress}));

    auto* tabs = new QTabWidget;
    tabs->addTab(roleLabel(QStringLiteral("cbmctrl --petscii command 8 \"i0\""), StyleRole::code),
                 QStringLiteral("Help"));
    tabs->addTab(new QLabel(QStringLiteral("Second")), QStringLiteral("About"));
    tabs->setFixedHeight(80);
    auto* scroll = new QScrollBar(Qt::Vertical);
    scroll->setRange(0, 100);
    scroll->setPageStep(30);
    scroll->setFixedHeight(80);
    column->addWidget(row({tabs, scroll}));
    column->addWidget(
        roleLabel(QStringLiteral("A disk name has at most 16 characters."), StyleRole::warning));
    return panel;
}

} // namespace

void pretendHovered(QWidget* widget) {
    widget->setAttribute(Qt::WA_UnderMouse, true);
}

std::unique_ptr<QWidget> makeKitGallery() {
    auto gallery = std::make_unique<QWidget>();
    gallery->setAutoFillBackground(true);
    gallery->setBackgroundRole(QPalette::Window);
    auto* outer = new QVBoxLayout(gallery.get());
    outer->setContentsMargins(20, 12, 20, 20);
    outer->setSpacing(12);

    auto* toggle = new HeaderIconButton(IconName::sidebarHide);
    toggle->setHelp(QStringLiteral("Hide status"));
    auto* show = new HeaderIconButton(IconName::sidebarShow);
    pretendHovered(show);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new AppBrandMark(false));
    titleRow->addSpacing(24);
    titleRow->addWidget(new AppBrandMark(true));
    titleRow->addStretch();
    titleRow->addWidget(show);
    titleRow->addWidget(toggle);
    outer->addLayout(titleRow);

    auto* commander = new QHBoxLayout;
    commander->setSpacing(10);
    commander->addWidget(computerPane(), 1);
    commander->addWidget(transferArrows());
    commander->addWidget(floppyPane(), 1);
    commander->addWidget(statusPanel());
    outer->addLayout(commander, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(standardWidgets(), 1);
    auto* floating = new QFrame;
    setStyleRole(floating, StyleRole::floating);
    auto* floatingColumn = new QVBoxLayout(floating);
    floatingColumn->setContentsMargins(12, 12, 12, 12);
    floatingColumn->addWidget(roleLabel(QStringLiteral("STATUS"), StyleRole::heading));
    floatingColumn->addWidget(roleLabel(QStringLiteral("Read 3 files."), StyleRole::title));
    auto* untitled = new CompactActionButton(themedIcon(IconName::copy), QStringLiteral("Copy"));
    untitled->setShowsTitle(false);
    floatingColumn->addWidget(row({untitled, new IconView(themedIcon(IconName::checkCircle), 16),
                                   new IconView(themedIcon(IconName::emptyCircle), 16),
                                   new IconView(themedIcon(IconName::chevronDown), 16)}));
    floating->setFixedWidth(260);
    bottom->addWidget(floating, 0, Qt::AlignTop);
    outer->addLayout(bottom);
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
    column->addWidget(menuBar);
    column->setContentsMargins(20, 12, 20, 16);
    column->setSpacing(10);
    column->addWidget(roleLabel(QStringLiteral("Move items to Trash?"), StyleRole::title));
    column->addWidget(new QLabel(QStringLiteral("“loader.prg” and 2 more items will be moved "
                                                "to the Trash.")));
    auto* field = new QLineEdit(QStringLiteral("A NAME THAT IS TOO LONG"));
    column->addWidget(field);
    column->addWidget(
        roleLabel(QStringLiteral("A disk name has at most 16 characters."), StyleRole::warning));
    column->addWidget(roleLabel(QStringLiteral("cbmformat 8 \"GAMES,01\""), StyleRole::code));
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("Copy to Computer"));
    menu->addAction(QStringLiteral("Rename…"))->setEnabled(false);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Format Floppy…"));
    menu->setActiveAction(menu->actions().first());
    auto* menuHolder = new QWidget;
    menu->setParent(menuHolder, Qt::Widget);
    menu->move(0, 0);
    menuHolder->setMinimumSize(menu->sizeHint());
    column->addWidget(menuHolder);
    auto* buttons = new QDialogButtonBox;
    auto* trash =
        buttons->addButton(QStringLiteral("Move to Trash"), QDialogButtonBox::DestructiveRole);
    trash->setProperty("destructive", true);
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    column->addWidget(buttons);
    // A button finds its dialog only once it is inside it; set earlier, the default is lost
    // and the dialog makes its first button (here the destructive one) the default.
    cancel->setDefault(true);
    dialog->resize(460, 330);
    return dialog;
}

} // namespace vellum::testing
