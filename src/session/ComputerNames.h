#pragma once

#include "images/ComputerFileNames.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

// The rule message for a folder or file name typed on the computer side, or nothing
// when the name is acceptable. The name is trimmed first.
std::optional<QString> validateComputerName(const QString& name);

// "untitled folder", then "untitled folder 2", "untitled folder 3" … whichever is free.
QString proposedNewFolderName(const QUrl& folder);

} // namespace vellum
