#include "ui/kit/FilterCheck.h"

namespace vellum {

// Its smaller text comes from the theme's style sheet.
FilterCheck::FilterCheck(const QString& title, QWidget* parent) : QCheckBox(title, parent) {
    setFocusPolicy(Qt::TabFocus);
}

} // namespace vellum
