#pragma once

#include <QFrame>

class QVBoxLayout;

namespace vellum {

// One rounded card of the status panel; its content is stacked top to bottom.
class StatusCard : public QFrame {
    Q_OBJECT

public:
    explicit StatusCard(QWidget* parent = nullptr);

    QVBoxLayout* contentLayout() const { return content; }
    void addWidget(QWidget* widget);

private:
    QVBoxLayout* content;
};

} // namespace vellum
