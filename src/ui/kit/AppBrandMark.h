#pragma once

#include <QAbstractButton>

class QLabel;

namespace vellum {

class LogoView;

// The logo with the name "Vellum" and, when not compact, the tagline beneath it. The whole
// mark is one button that asks for the About window.
class AppBrandMark : public QAbstractButton {
    Q_OBJECT

public:
    explicit AppBrandMark(bool compact = false, QWidget* parent = nullptr);

    void setCompact(bool compact);
    bool isCompact() const { return compactLayout; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void aboutRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layOut();

    bool compactLayout;
    bool keyboardFocus = false;
    LogoView* logo;
    QLabel* name;
    QLabel* tagline;
};

} // namespace vellum
