#pragma once

#include <QFrame>
#include <QList>

class QHBoxLayout;

namespace vellum {

class CompactActionButton;

// A row of toolbar buttons, each a symbol over a short title. When the row is too narrow
// for every title it drops all of them (symbols alone, names kept for tooltips and screen
// readers) rather than clip any.
class ToolbarRow : public QFrame {
    Q_OBJECT

public:
    explicit ToolbarRow(QWidget* parent = nullptr);

    CompactActionButton* addButton(const QIcon& icon, const QString& title);
    const QList<CompactActionButton*>& buttons() const { return rowButtons; }
    bool showsTitles() const { return titlesShown; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The width the row needs with or without titles.
    int neededWidth(bool withTitles) const;
    int titledHeight() const;
    void fitTitles();

    QHBoxLayout* row;
    CompactActionButton* probe;
    QList<CompactActionButton*> rowButtons;
    bool titlesShown = true;
};

} // namespace vellum
