#include "ui/panes/TypeAhead.h"

#include <QApplication>

namespace vellum {

std::optional<int> findRowByPrefix(const QString& typed, int start, int rowCount,
                                   const std::function<QString(int)>& nameOf) {
    if (typed.isEmpty() || rowCount <= 0) {
        return std::nullopt;
    }
    const int first = ((start % rowCount) + rowCount) % rowCount;
    for (int step = 0; step < rowCount; ++step) {
        const int row = (first + step) % rowCount;
        if (nameOf(row).startsWith(typed, Qt::CaseInsensitive)) {
            return row;
        }
    }
    return std::nullopt;
}

std::optional<int> TypeAhead::find(const QString& typed, int currentRow, int rowCount,
                                   const std::function<QString(int)>& nameOf) {
    if (!sinceLastKey.isValid() || sinceLastKey.elapsed() > QApplication::keyboardInputInterval()) {
        search.clear();
    }
    sinceLastKey.start();
    search += typed;
    // "aaa" steps through the names starting with "a"; a longer word stays on the row that
    // matched so far while it still matches.
    const bool oneLetterRepeated = search.count(search.front()) == search.size();
    if (oneLetterRepeated) {
        return findRowByPrefix(search.left(1), currentRow + 1, rowCount, nameOf);
    }
    return findRowByPrefix(search, std::max(currentRow, 0), rowCount, nameOf);
}

} // namespace vellum
