#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>

class QHBoxLayout;

namespace vellum {

class CompactActionButton;

// A row of toolbar buttons, each a symbol over a short title. When the row is too narrow
// for every title it drops all of them (symbols alone, names kept for tooltips and screen
// readers) rather than clip any. Rows shown side by side can be tied together so that they
// always look alike: titles in all of them while every one has room, else in none.
class ToolbarRow : public QFrame {
    Q_OBJECT

public:
    explicit ToolbarRow(QWidget* parent = nullptr);

    CompactActionButton* addButton(const QIcon& icon, const QString& title);
    const QList<CompactActionButton*>& buttons() const { return rowButtons; }
    bool showsTitles() const { return titlesShown; }
    // Ties the rows together (each keeps a weak link to the others).
    static void showTitlesTogether(const QList<ToolbarRow*>& rows);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The width the row needs with or without titles.
    int neededWidth(bool withTitles) const;
    int rowHeight(bool withTitles) const;
    bool hasRoomForTitles() const;
    void fitTitles();
    void setTitlesShown(bool shown);

    QHBoxLayout* row;
    CompactActionButton* probe;
    QList<CompactActionButton*> rowButtons;
    QList<QPointer<ToolbarRow>> partners;
    bool titlesShown = true;
};

} // namespace vellum
