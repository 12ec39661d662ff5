#include "model/ToolOutputParsers.h"

namespace vellum {

std::optional<std::pair<QString, CBMFileType>> parseDraggedEntry(const QString& text) {
    // Split once at a tab; empty pieces (leading or doubled tabs) are skipped and do not
    // use up the one split.
    QStringList pieces;
    qsizetype start = 0;
    while (start <= text.size()) {
        if (pieces.size() == 1) {
            const QString rest = text.mid(start);
            if (!rest.isEmpty()) {
                pieces << rest;
            }
            break;
        }
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), start);
        const qsizetype end = tab < 0 ? text.size() : tab;
        if (end > start) {
            pieces << text.mid(start, end - start);
        }
        if (tab < 0) {
            break;
        }
        start = tab + 1;
    }
    if (pieces.isEmpty() || pieces.first().isEmpty()) {
        return std::nullopt;
    }
    if (pieces.size() == 1) {
        return std::pair{pieces.first(), CBMFileType::prg};
    }
    return std::pair{pieces.first(),
                     cbmFileTypeFromRaw(pieces.at(1).toUpper()).value_or(CBMFileType::other)};
}

} // namespace vellum
