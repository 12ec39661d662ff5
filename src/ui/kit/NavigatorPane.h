#pragma once

#include <QFrame>

class QVBoxLayout;

namespace vellum {

// The rounded frame around a file pane; highlighted while a drag hovers over it.
class NavigatorPane : public QFrame {
    Q_OBJECT

public:
    explicit NavigatorPane(QWidget* parent = nullptr);

    void setHighlighted(bool highlighted);
    bool isHighlighted() const;

    QVBoxLayout* contentLayout() const { return content; }

private:
    QVBoxLayout* content;
};

} // namespace vellum
