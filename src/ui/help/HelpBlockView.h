#pragma once

#include "ui/help/HelpDocument.h"

#include <QFrame>

class QLabel;

namespace vellum {

// Rich text for one line of the guide: HTML special characters escaped, `code` in
// monospace and **words** in bold.
QString inlineHelpHtml(const QString& text);

// A selectable, wrapping label for rich help text.
QLabel* makeHelpLabel(const QString& html, QWidget* parent);

// The widget that shows one block of a help section.
QWidget* makeHelpBlockView(const HelpBlock& block, QWidget* parent);

// A table of the guide: the header row over the rows, on a card.
class HelpTable : public QFrame {
    Q_OBJECT

public:
    HelpTable(const QStringList& headers, const QList<QStringList>& rows,
              QWidget* parent = nullptr);
};

} // namespace vellum
