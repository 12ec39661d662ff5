#include "ui/desktop/FilePanels.h"

#include "ui/kit/StyleRoles.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTreeView>

namespace vellum {

namespace {

constexpr QSize themedMinimumSize{640, 400};
constexpr QSize themedOpeningSize{820, 540};

QString filterTitle(const QStringList& extensions) {
    if (extensions.size() == 1 && extensions.first().compare(u"d64", Qt::CaseInsensitive) == 0) {
        return QCoreApplication::translate("FilePanels", "Disk images");
    }
    return QCoreApplication::translate("FilePanels", "Files");
}

// The widget dialog lays its parts out on one grid; the message goes in a row of its own
// above them.
void showMessage(QFileDialog& panel, const QString& message) {
    auto* grid = qobject_cast<QGridLayout*>(panel.layout());
    if (message.isEmpty() || grid == nullptr) {
        return;
    }
    auto* label = new QLabel(message, &panel);
    label->setObjectName(QStringLiteral("filePanelMessage"));
    label->setWordWrap(true);
    setStyleRole(label, StyleRole::secondary);
    // Move every item one row down to free the top row.
    QList<std::tuple<QLayoutItem*, int, int, int, int>> items;
    while (grid->count() > 0) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(0, &row, &column, &rowSpan, &columnSpan);
        items.append({grid->takeAt(0), row, column, rowSpan, columnSpan});
    }
    grid->addWidget(label, 0, 0, 1, -1);
    for (const auto& [item, row, column, rowSpan, columnSpan] : items) {
        grid->addItem(item, row + 1, column, rowSpan, columnSpan);
    }
}

// Qt's dialog gives its places and its columns only what their titles need: the places
// list cuts "Computer", the type and date columns cut theirs. The names are those of Qt's
// dialog form; a later Qt that renames them only loses this widening.
void widenParts(QFileDialog& panel) {
    if (auto* splitter = panel.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        const int places = panel.fontMetrics().averageCharWidth() * 22;
        splitter->setSizes({places, std::max(panel.width() - places, places)});
    }
    if (auto* details = panel.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column) {
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
}

} // namespace

QString nameFilterFor(const QStringList& extensions) {
    if (extensions.isEmpty()) {
        return {};
    }
    QStringList patterns;
    for (const QString& extension : extensions) {
        patterns << QStringLiteral("*.") + extension.toLower();
    }
    return filterTitle(extensions) + QStringLiteral(" (") + patterns.join(u' ') + QLatin1Char(')');
}

FilePanelLook filePanelLookFor(AppAppearance appearance) {
    return appearance == AppAppearance::system ? FilePanelLook::platform : FilePanelLook::themed;
}

void configureFilePanel(QFileDialog& panel, const FilePanelRequest& request, FilePanelKind kind,
                        FilePanelLook look) {
    panel.setOption(QFileDialog::DontUseNativeDialog, look == FilePanelLook::themed);
    panel.setWindowTitle(request.title);
    if (request.directory.isLocalFile()) {
        panel.setDirectory(request.directory.toLocalFile());
    }
    switch (kind) {
    case FilePanelKind::save:
        panel.setAcceptMode(QFileDialog::AcceptSave);
        panel.setFileMode(QFileDialog::AnyFile);
        if (!request.allowedExtensions.isEmpty()) {
            panel.setDefaultSuffix(request.allowedExtensions.first().toLower());
        }
        if (!request.proposedName.isEmpty()) {
            panel.selectFile(request.proposedName);
        }
        break;
    case FilePanelKind::openFiles:
        panel.setAcceptMode(QFileDialog::AcceptOpen);
        panel.setFileMode(request.allowsMultiple ? QFileDialog::ExistingFiles
                                                 : QFileDialog::ExistingFile);
        break;
    case FilePanelKind::folder:
        panel.setAcceptMode(QFileDialog::AcceptOpen);
        panel.setFileMode(QFileDialog::Directory);
        panel.setOption(QFileDialog::ShowDirsOnly, true);
        break;
    }
    if (kind != FilePanelKind::folder && !request.allowedExtensions.isEmpty()) {
        panel.setNameFilter(nameFilterFor(request.allowedExtensions));
    }
    if (look == FilePanelLook::themed) {
        showMessage(panel, request.message);
        // Qt's dialog opens small; the file list wants room for names, sizes and dates.
        panel.setMinimumSize(themedMinimumSize);
        panel.resize(panel.sizeHint().expandedTo(themedOpeningSize));
        widenParts(panel);
    }
}

} // namespace vellum
