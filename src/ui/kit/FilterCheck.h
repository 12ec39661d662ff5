#pragma once

#include <QCheckBox>

namespace vellum {

// A small check box of a pane's filter row.
class FilterCheck : public QCheckBox {
    Q_OBJECT

public:
    explicit FilterCheck(const QString& title, QWidget* parent = nullptr);
};

} // namespace vellum
