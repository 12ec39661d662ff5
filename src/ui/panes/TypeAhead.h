#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <optional>

namespace vellum {

// The row whose name starts with `typed` (letter case ignored), looking from `start` on and
// wrapping round; none when no name does.
std::optional<int> findRowByPrefix(const QString& typed, int start, int rowCount,
                                   const std::function<QString(int)>& nameOf);

// Type-ahead find, as file managers do it: keys typed in quick succession make one search
// text; a pause (the desktop's keyboard input interval) starts a new one. Typing the same
// letter again steps through the names that start with it.
class TypeAhead {
public:
    std::optional<int> find(const QString& typed, int currentRow, int rowCount,
                            const std::function<QString(int)>& nameOf);
    void reset() { search.clear(); }

private:
    QString search;
    QElapsedTimer sinceLastKey;
};

} // namespace vellum
