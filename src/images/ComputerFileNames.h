#pragma once

#include <QString>
#include <QUrl>

namespace vellum {

// Where files taken out of images and off the floppy land on the computer: names that
// never replace anything already there.

// Something (file, folder, or even a dangling link) already has this path.
bool pathIsTaken(const QString& path);

// Whether the path names a folder, following links.
bool isFolder(const QString& path);

// A name in `folder` that nothing has yet: base.ext, then base-2.ext, base-3.ext …
// Dots around the extension are ignored; an empty extension gives base, base-2 …
QUrl uniqueLocalURL(const QUrl& folder, const QString& base, const QString& extension);

// A Commodore or image entry name made safe as a file name base on the computer: trimmed,
// "/", ":", "\" and control codes become "-", and "file" stands in for nothing.
QString safeLocalBaseName(const QString& name);

} // namespace vellum
