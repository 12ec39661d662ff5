#pragma once

#include <QHashFunctions>
#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

// One row of the computer pane: a file or folder on the computer, or a file inside a
// browsed disk or tape image (then `blocks` and `imageIndex` are set).
struct ComputerFileItem {
    QUrl url;
    QString name;
    bool isDirectory = false;
    std::optional<qint64> fileSize;
    QString typeLabel;
    std::optional<qint64> blocks;
    std::optional<qint64> imageIndex;

    // The blocks column: "—" for folders and unknown sizes, else 254-byte blocks.
    QString blocksText() const;

    friend bool operator==(const ComputerFileItem&, const ComputerFileItem&) = default;
};

inline size_t qHash(const ComputerFileItem& item, size_t seed = 0) noexcept {
    return qHashMulti(seed, item.url, item.name, item.isDirectory, item.fileSize.value_or(-1),
                      item.typeLabel, item.blocks.value_or(-1), item.imageIndex.value_or(-1));
}

} // namespace vellum
