#include "model/ComputerFileItem.h"

namespace vellum {

QString ComputerFileItem::blocksText() const {
    const QString dash = QStringLiteral("—");
    if (isDirectory) {
        return dash;
    }
    if (blocks && *blocks > 0) {
        return QString::number(*blocks);
    }
    if (fileSize && *fileSize >= 1) {
        return QString::number((*fileSize + 253) / 254);
    }
    return dash;
}

} // namespace vellum
