#pragma once

#include "session/SessionTexts.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vellum {

// One part of a pane's footer line and what it tells, so that a narrow pane can choose
// which whole parts to show.
struct FooterPart {
    enum class Kind { count, free, selected, bytes, blocks };
    Kind kind;
    QString text;

    friend bool operator==(const FooterPart&, const FooterPart&) = default;
};

// The parts as one line, joined by the footer separator.
inline QString joinedFooter(const QList<FooterPart>& parts) {
    QStringList texts;
    for (const FooterPart& part : parts) {
        texts.append(part.text);
    }
    return texts.join(texts::footerSeparator());
}

} // namespace vellum
