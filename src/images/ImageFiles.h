#pragma once

#include <QByteArray>
#include <QUrl>

namespace vellum {

// The whole file; fails with a PlatformError carrying the system's description.
QByteArray readWholeFile(const QUrl& url);

// Writes a temporary file beside the target and renames it over the target, so a crash or
// a full disk leaves either the old file or the new one, never half of either. Fails with
// a PlatformError.
void writeFileAtomically(const QUrl& url, const QByteArray& bytes);

} // namespace vellum
