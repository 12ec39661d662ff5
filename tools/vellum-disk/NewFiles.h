#pragma once

#include "images/ImageFiles.h"

#include <QByteArray>
#include <QString>

namespace vellum::disk {

// Creates `folder`/`base`.`extension`, or base-2, base-3 … when taken, and writes `bytes`
// into it. An existing file is never replaced, and a failed write leaves no partial file.
// Returns the path written.
QString writeUnderFreeName(const QString& folder, const QString& base, const QString& extension,
                           const QByteArray& bytes, Sync sync);

} // namespace vellum::disk
