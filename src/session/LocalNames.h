#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

// The rule message for a folder or file name typed on the computer side, or nothing
// when the name is acceptable. The name is trimmed first.
std::optional<QString> validateMacName(const QString& name);

// Something (file, folder, or even a dangling link) already has this path.
bool pathIsTaken(const QString& path);

// A name in `folder` that nothing has yet: base.ext, then base-2.ext, base-3.ext …
// Dots around the extension are ignored; an empty extension gives base, base-2 …
QUrl uniqueLocalURL(const QUrl& folder, const QString& base, const QString& extension);

// "untitled folder", then "untitled folder 2", "untitled folder 3" … whichever is free.
QString proposedNewFolderName(const QUrl& folder);

// A Commodore or image entry name made safe as a file name base on the computer: trimmed,
// "/", ":" and "\" become "-", and "file" stands in for nothing.
QString safeLocalBaseName(const QString& name);

} // namespace vellum
