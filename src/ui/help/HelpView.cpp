#include "ui/help/HelpView.h"

#include "ui/help/HelpBlockView.h"
#include "ui/kit/LogoView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

namespace vellum {

namespace {

// About 85 characters of text a line reads comfortably; wider windows centre the column.
int comfortableColumnWidth(const QWidget* widget) {
    return widget->fontMetrics().horizontalAdvance(QString(68, QLatin1Char('n')));
}

} // namespace

HelpView::HelpView(QWidget* parent) : HelpView(parseHelp(loadUserGuide()), parent) {}

HelpView::HelpView(QList<HelpSection> sections, QWidget* parent)
    : QDialog(parent), guide(std::move(sections)) {
    setWindowTitle(tr("Vellum Help"));
    setSizeGripEnabled(true);
    resize(1000, 720);

    sectionList = new QListWidget(this);
    sectionList->setObjectName(QStringLiteral("helpSectionList"));
    sectionList->setAccessibleName(tr("Sections"));
    sectionList->setFrameShape(QFrame::NoFrame);
    sectionList->setSpacing(3);
    // The list is the sidebar; the guide itself reads on the text background.
    sectionList->viewport()->setBackgroundRole(QPalette::Window);
    for (const HelpSection& section : std::as_const(guide)) {
        sectionList->addItem(section.title);
    }
    sectionList->setMinimumWidth(160);

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("helpScrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidget(makeColumn());
    scrollArea->viewport()->setBackgroundRole(QPalette::Base);
    scrollArea->widget()->setBackgroundRole(QPalette::Base);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(sectionList);
    splitter->addWidget(scrollArea);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 780});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeHeader());
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addWidget(splitter, 1);

    connect(sectionList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < guide.size()) {
            jumpToSection(guide.at(row).id);
        }
    });
    connect(scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &HelpView::followScroll);
    selectRow(guide.isEmpty() ? -1 : 0);
}

QWidget* HelpView::makeHeader() {
    auto* header = new QWidget(this);
    auto* logo = new LogoView(28, 6, header);

    auto* title = new QLabel(tr("Vellum Help"), header);
    title->setProperty("vellumRole", QStringLiteral("title"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    auto* tagline = new QLabel(tr("From Linux to 1541."), header);
    tagline->setProperty("vellumRole", QStringLiteral("secondary"));

    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    names->addWidget(title);
    names->addWidget(tagline);

    auto* close = new QPushButton(tr("Close"), header);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(logo);
    layout->addLayout(names);
    layout->addStretch(1);
    layout->addWidget(close);
    return header;
}

QWidget* HelpView::makeColumn() {
    auto* page = new QWidget;
    column = new QWidget(page);
    column->setMaximumWidth(comfortableColumnWidth(this));
    auto* blocks = new QVBoxLayout(column);
    blocks->setContentsMargins(0, 16, 0, 48);
    blocks->setSpacing(0);
    for (const HelpSection& section : std::as_const(guide)) {
        auto* sectionView = new QWidget(column);
        sectionView->setObjectName(section.id);
        auto* sectionLayout = new QVBoxLayout(sectionView);
        sectionLayout->setContentsMargins(0, 0, 0, 12);
        sectionLayout->setSpacing(10);
        for (const HelpBlock& block : section.blocks) {
            sectionLayout->addWidget(makeHelpBlockView(block, sectionView));
        }
        blocks->addWidget(sectionView);
        sectionViews.append(sectionView);
    }
    blocks->addStretch(1);

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(28, 0, 28, 0);
    layout->addStretch(0);
    layout->addWidget(column, 1);
    layout->addStretch(0);
    return page;
}

QString HelpView::selectedID() const {
    const int row = sectionList->currentRow();
    return row >= 0 && row < guide.size() ? guide.at(row).id : QString();
}

int HelpView::sectionOffset(const QString& id) const {
    for (qsizetype i = 0; i < guide.size(); ++i) {
        if (guide.at(i).id == id) {
            return sectionViews.at(i)->mapTo(scrollArea->widget(), QPoint(0, 0)).y();
        }
    }
    return -1;
}

void HelpView::jumpToSection(const QString& id) {
    const int offset = sectionOffset(id);
    if (offset < 0) {
        return;
    }
    for (qsizetype i = 0; i < guide.size(); ++i) {
        if (guide.at(i).id == id) {
            selectRow(int(i));
        }
    }
    jumping = true;
    scrollArea->verticalScrollBar()->setValue(offset);
    jumping = false;
}

void HelpView::followScroll(int position) {
    if (jumping || sectionViews.isEmpty()) {
        return;
    }
    // A section counts as at the top once its heading has come within a line of the edge.
    const int reach = position + fontMetrics().height();
    int row = 0;
    for (qsizetype i = 0; i < sectionViews.size(); ++i) {
        if (sectionOffset(guide.at(i).id) <= reach) {
            row = int(i);
        }
    }
    selectRow(row);
}

void HelpView::selectRow(int row) {
    const QSignalBlocker blocker(sectionList);
    sectionList->setCurrentRow(row);
}

} // namespace vellum
