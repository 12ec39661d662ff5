#include "model/CommandResult.h"

namespace vellum {

QString CommandResult::combinedOutput() const {
    QStringList parts;
    for (const QString* text : {&stdoutText, &stderrText}) {
        if (!text->trimmed().isEmpty()) {
            parts << *text;
        }
    }
    return parts.join(QLatin1Char('\n'));
}

} // namespace vellum
