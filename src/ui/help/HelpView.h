#pragma once

#include "ui/help/HelpDocument.h"

#include <QDialog>
#include <QList>

class QListWidget;
class QScrollArea;

namespace vellum {

// The user guide: a list of its sections beside one scrolling column of all of them. The
// list follows the scroll position; choosing a title scrolls its section to the top.
class HelpView : public QDialog {
    Q_OBJECT

public:
    // Shows the guide shipped with the application.
    explicit HelpView(QWidget* parent = nullptr);
    explicit HelpView(QList<HelpSection> sections, QWidget* parent = nullptr);

    const QList<HelpSection>& sections() const { return guide; }
    // The section highlighted in the list; empty for a guide without sections.
    QString selectedID() const;
    // True while a jump started from the list is scrolling.
    bool isJumping() const { return jumping; }

    // Scrolls the section to the top of the visible area and highlights it.
    void jumpToSection(const QString& id);

    // Where the section starts inside the scrolled column, or -1 for an unknown id.
    int sectionOffset(const QString& id) const;

private:
    QList<HelpSection> guide;
    QList<QWidget*> sectionViews;
    QListWidget* sectionList = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* column = nullptr;
    bool jumping = false;

    QWidget* makeHeader();
    QWidget* makeColumn();
    void followScroll(int position);
    void selectRow(int row);
};

} // namespace vellum
