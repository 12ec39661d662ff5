#pragma once

#include <QWidget>

class QLabel;

namespace vellum {

class LogoView;

// What an empty list shows in its middle: the logo where the pane has one, a line and a
// quieter second line.
class EmptyStateView : public QWidget {
    Q_OBJECT

public:
    explicit EmptyStateView(bool withLogo, QWidget* parent = nullptr);

    void setTexts(const QString& title, const QString& detail = {});
    QString title() const;
    QString detail() const;

private:
    LogoView* logo = nullptr;
    QLabel* titleLabel;
    QLabel* detailLabel;
};

// The hint that covers a list while a drag may drop onto it: the drop symbol and a line,
// on a card over a veil that leaves the rows faintly visible.
class DropHintView : public QWidget {
    Q_OBJECT

public:
    explicit DropHintView(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* card;
    QLabel* label;
};

} // namespace vellum
