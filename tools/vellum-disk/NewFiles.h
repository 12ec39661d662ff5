#pragma once

#include <QByteArray>
#include <QString>

namespace vellum {

// Creates `folder`/`base`.`extension`, or base-2, base-3 … when taken, and writes `bytes`
// into it. An existing file is never replaced, and a failed write leaves no partial file.
// Returns the path written.
QString writeNewFile(const QString& folder, const QString& base, const QString& extension,
                     const QByteArray& bytes);

} // namespace vellum
