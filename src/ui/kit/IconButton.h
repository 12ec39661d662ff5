#pragma once

#include "ui/kit/Icons.h"

#include <QToolButton>

namespace vellum {

// A square tool button that shows only a symbol: the pane header's buttons and the transfer
// arrows. The desktop's style draws it under System, the C64 sheets by its `iconButton`
// property ("header" or "arrow").
class IconButton : public QToolButton {
    Q_OBJECT

public:
    enum class Kind { header, arrow };

    IconButton(IconName symbol, Kind kind, QWidget* parent = nullptr);

    void setSymbol(IconName symbol);
    // The tooltip, and the accessible name, since the button shows no title.
    void setHelp(const QString& help);
};

} // namespace vellum
